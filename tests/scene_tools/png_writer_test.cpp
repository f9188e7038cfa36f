#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "png_writer.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes bytes_of(const std::string& text) { return Bytes(text.begin(), text.end()); }

std::uint32_t be32(const Bytes& b, std::size_t at) {
    return std::uint32_t(b[at]) << 24 | std::uint32_t(b[at + 1]) << 16 | std::uint32_t(b[at + 2]) << 8 | b[at + 3];
}

struct Chunk {
    std::string type;
    Bytes data;
    bool crc_ok;
};

// Splits a PNG into its chunks, checking each chunk's CRC on the way.
std::vector<Chunk> chunks_of(const Bytes& png) {
    static const std::uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_GE(png.size(), 8u);
    EXPECT_EQ(0, std::memcmp(png.data(), signature, 8));
    std::vector<Chunk> chunks;
    std::size_t at = 8;
    while (at + 12 <= png.size()) {
        const std::uint32_t length = be32(png, at);
        Chunk c;
        c.type.assign(png.begin() + at + 4, png.begin() + at + 8);
        c.data.assign(png.begin() + at + 8, png.begin() + at + 8 + length);
        c.crc_ok = scenes::crc32(png.data() + at + 4, 4 + length) == be32(png, at + 8 + length);
        chunks.push_back(std::move(c));
        at += 12 + length;
    }
    EXPECT_EQ(at, png.size()) << "trailing bytes after the last chunk";
    return chunks;
}

struct Inflated {
    Bytes raw;
    int blocks = 0;
    bool header_ok = false;
    bool adler_ok = false;
    bool final_only_last = true;
};

// Undoes a zlib stream made only of stored blocks (which is all the encoder writes).
Inflated inflate_stored(const Bytes& z) {
    Inflated out;
    out.header_ok = z.size() >= 2 && (z[0] & 0x0F) == 8 && (z[0] * 256 + z[1]) % 31 == 0 && !(z[1] & 0x20);
    std::size_t at = 2;
    bool final_seen = false;
    // Blocks run up to the four-byte trailer; one after the final block would be a fault.
    while (at + 5 + 4 <= z.size()) {
        if (final_seen) out.final_only_last = false;
        const std::uint8_t head = z[at];
        EXPECT_EQ(head & 0x06, 0) << "not a stored block";
        final_seen = head & 1;
        const unsigned len = z[at + 1] | z[at + 2] << 8;
        const unsigned nlen = z[at + 3] | z[at + 4] << 8;
        EXPECT_EQ(len ^ 0xFFFFu, nlen);
        out.raw.insert(out.raw.end(), z.begin() + at + 5, z.begin() + at + 5 + len);
        at += 5 + len;
        ++out.blocks;
    }
    EXPECT_TRUE(final_seen) << "no final block";
    EXPECT_EQ(at + 4, z.size()) << "the Adler-32 trailer must end the stream";
    out.adler_ok = at + 4 <= z.size() && be32(z, at) == scenes::adler32(out.raw.data(), out.raw.size());
    return out;
}

TEST(PngChecksums, MatchTheStandardCheckValues) {
    struct Case {
        Bytes input;
        std::uint32_t crc;
        std::uint32_t adler;
    };
    const Case cases[] = {
        {{}, 0x00000000u, 0x00000001u},
        {bytes_of("123456789"), 0xCBF43926u, 0x091E01DEu},
        {bytes_of("Wikipedia"), 0xADAAC02Eu, 0x11E60398u},
        {bytes_of("The quick brown fox jumps over the lazy dog"), 0x414FA339u, 0x5BDC0FDAu},
        // Long enough for the Adler-32 sums to wrap their modulus many times.
        {Bytes(100000, 0xFF), 0x68C6CEC4u, 0x149A302Cu},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(scenes::crc32(c.input.data(), c.input.size()), c.crc) << c.input.size() << " bytes";
        EXPECT_EQ(scenes::adler32(c.input.data(), c.input.size()), c.adler) << c.input.size() << " bytes";
    }
}

TEST(PngChecksums, CrcContinuesAcrossPieces) {
    const Bytes text = bytes_of("The quick brown fox jumps over the lazy dog");
    const std::uint32_t first = scenes::crc32(text.data(), 10);
    EXPECT_EQ(scenes::crc32(text.data() + 10, text.size() - 10, first), 0x414FA339u);
}

TEST(PngEncoder, StoresEveryByteOfThePixelsIncludingTheSpareByte) {
    const std::uint32_t pixels[] = {0x00112233, 0xFF445566, 0x80FFFFFF, 0x00000000};
    const Bytes png = scenes::encode_png(pixels, 2, 2);
    const std::vector<Chunk> chunks = chunks_of(png);
    ASSERT_EQ(chunks.size(), 3u);
    EXPECT_EQ(chunks[0].type, "IHDR");
    EXPECT_EQ(chunks[1].type, "IDAT");
    EXPECT_EQ(chunks[2].type, "IEND");
    for (const Chunk& c : chunks) EXPECT_TRUE(c.crc_ok) << c.type;

    // Width 2, height 2, 8 bits per channel, RGBA, deflate, no filter method, not interlaced.
    EXPECT_EQ(chunks[0].data, (Bytes{0, 0, 0, 2, 0, 0, 0, 2, 8, 6, 0, 0, 0}));
    EXPECT_TRUE(chunks[2].data.empty());

    const Inflated z = inflate_stored(chunks[1].data);
    EXPECT_TRUE(z.header_ok);
    EXPECT_TRUE(z.adler_ok);
    // Each row: filter byte 0, then R, G, B and the inverted spare byte per pixel.
    EXPECT_EQ(z.raw, (Bytes{0, 0x11, 0x22, 0x33, 0xFF, 0x44, 0x55, 0x66, 0x00,  //
                            0, 0xFF, 0xFF, 0xFF, 0x7F, 0x00, 0x00, 0x00, 0xFF}));
}

TEST(PngEncoder, SplitsLargePicturesIntoSeveralStoredBlocks) {
    constexpr int w = 200, h = 100;  // 100 rows of 801 bytes: more than one 65535-byte block
    std::vector<std::uint32_t> pixels(w * h);
    for (int i = 0; i < w * h; ++i) pixels[i] = static_cast<std::uint32_t>(i * 2654435761u) & 0xFFFFFF;
    const std::vector<Chunk> chunks = chunks_of(scenes::encode_png(pixels.data(), w, h));
    ASSERT_EQ(chunks.size(), 3u);
    EXPECT_TRUE(chunks[1].crc_ok);
    const Inflated z = inflate_stored(chunks[1].data);
    EXPECT_EQ(z.blocks, 2);
    EXPECT_TRUE(z.final_only_last);
    EXPECT_TRUE(z.adler_ok);
    ASSERT_EQ(z.raw.size(), static_cast<std::size_t>(h * (1 + w * 4)));
    // Spot-check the last pixel, in the second block.
    const std::uint32_t last = pixels.back();
    const std::uint8_t* p = &z.raw[z.raw.size() - 4];
    EXPECT_EQ(p[0], (last >> 16) & 0xFF);
    EXPECT_EQ(p[1], (last >> 8) & 0xFF);
    EXPECT_EQ(p[2], last & 0xFF);
    EXPECT_EQ(p[3], 0xFF);
}

TEST(PngEncoder, RefusesEmptyPicturesAndUnwritablePaths) {
    const std::uint32_t pixel = 0x123456;
    const auto folder = std::filesystem::temp_directory_path();
    EXPECT_FALSE(scenes::write_png((folder / "pellux_empty.png").string(), &pixel, 0, 1));
    EXPECT_FALSE(scenes::write_png((folder / "pellux_empty.png").string(), &pixel, 1, 0));
    EXPECT_FALSE(scenes::write_png((folder / "pellux_empty.png").string(), nullptr, 1, 1));
    EXPECT_FALSE(std::filesystem::exists(folder / "pellux_empty.png"));
    // A folder is not a file that can be written.
    EXPECT_FALSE(scenes::write_png(folder.string(), &pixel, 1, 1));
}

} // namespace
