#include "png_writer.h"

#include <algorithm>
#include <array>
#include <fstream>

namespace scenes {
namespace {

const std::array<std::uint32_t, 256>& crc_table() {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    return table;
}

void put_u32_be(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v >> 24));
    out.push_back(static_cast<std::uint8_t>(v >> 16));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
    out.push_back(static_cast<std::uint8_t>(v));
}

void put_chunk(std::vector<std::uint8_t>& out, const char type[4], const std::vector<std::uint8_t>& data) {
    put_u32_be(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t type_at = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    // The chunk CRC covers the type and the data, not the length.
    put_u32_be(out, crc32(out.data() + type_at, 4 + data.size()));
}

// A zlib stream of stored (uncompressed) deflate blocks.
std::vector<std::uint8_t> zlib_stored(const std::vector<std::uint8_t>& raw) {
    constexpr std::size_t max_block = 65535;
    std::vector<std::uint8_t> z;
    z.reserve(raw.size() + raw.size() / max_block * 5 + 16);
    z.push_back(0x78);  // deflate, 32 KiB window
    z.push_back(0x01);  // no preset dictionary, check bits make the header a multiple of 31
    std::size_t at = 0;
    do {
        const std::size_t len = std::min(max_block, raw.size() - at);
        const bool last = at + len == raw.size();
        z.push_back(last ? 1 : 0);
        z.push_back(static_cast<std::uint8_t>(len));
        z.push_back(static_cast<std::uint8_t>(len >> 8));
        z.push_back(static_cast<std::uint8_t>(~len));
        z.push_back(static_cast<std::uint8_t>(~len >> 8));
        z.insert(z.end(), raw.begin() + static_cast<std::ptrdiff_t>(at), raw.begin() + static_cast<std::ptrdiff_t>(at + len));
        at += len;
    } while (at < raw.size());
    put_u32_be(z, adler32(raw.data(), raw.size()));
    return z;
}

} // namespace

std::uint32_t crc32(const std::uint8_t* bytes, std::size_t size, std::uint32_t previous) {
    const auto& table = crc_table();
    std::uint32_t c = ~previous;
    for (std::size_t i = 0; i < size; ++i) c = table[(c ^ bytes[i]) & 0xFF] ^ (c >> 8);
    return ~c;
}

std::uint32_t adler32(const std::uint8_t* bytes, std::size_t size) {
    constexpr std::uint32_t mod = 65521;
    std::uint32_t a = 1, b = 0;
    for (std::size_t i = 0; i < size; ++i) {
        a = (a + bytes[i]) % mod;
        b = (b + a) % mod;
    }
    return (b << 16) | a;
}

std::vector<std::uint8_t> encode_png(const std::uint32_t* pixels, int width, int height) {
    std::vector<std::uint8_t> raw;
    raw.reserve(static_cast<std::size_t>(height) * (1 + static_cast<std::size_t>(width) * 4));
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);  // filter: none
        const std::uint32_t* row = pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t v = row[x];
            raw.push_back(static_cast<std::uint8_t>(v >> 16));
            raw.push_back(static_cast<std::uint8_t>(v >> 8));
            raw.push_back(static_cast<std::uint8_t>(v));
            raw.push_back(static_cast<std::uint8_t>(255 - (v >> 24)));
        }
    }

    std::vector<std::uint8_t> header;
    put_u32_be(header, static_cast<std::uint32_t>(width));
    put_u32_be(header, static_cast<std::uint32_t>(height));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, adaptive filters, no interlace

    std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    put_chunk(png, "IHDR", header);
    put_chunk(png, "IDAT", zlib_stored(raw));
    put_chunk(png, "IEND", {});
    return png;
}

bool write_png(const std::string& path, const std::uint32_t* pixels, int width, int height) {
    // The format has no empty pictures.
    if (!pixels || width <= 0 || height <= 0) return false;
    const std::vector<std::uint8_t> png = encode_png(pixels, width, height);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) return false;
    file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    file.close();
    return !file.fail();
}

} // namespace scenes
