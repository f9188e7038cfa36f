// BMP files and the device-independent bitmaps inside icons, decoded by hand: no kept library
// reads them, and the format is small.
#include <array>
#include <bit>
#include <optional>
#include <vector>

#include "byte_reader.h"
#include "decoders.h"
#include "picture_limits.h"

namespace layer::gdiplus {

namespace {

constexpr std::uint32_t bi_rgb = 0;
constexpr std::uint32_t bi_rle8 = 1;
constexpr std::uint32_t bi_rle4 = 2;
constexpr std::uint32_t bi_bitfields = 3;

struct DibHeader {
    std::uint32_t header_size = 0;
    std::int64_t width = 0;
    std::int64_t height = 0; // the picture's own height, already halved for icons
    bool top_down = false;
    int bit_count = 0;
    std::uint32_t compression = bi_rgb;
    std::uint32_t colors_used = 0;
    std::array<std::uint32_t, 4> masks{}; // red, green, blue, alpha
    bool core = false;                    // the 12-byte header with 3-byte palette entries
};

// One colour channel described by a bit mask, widened to 8 bits by repeating its high bits.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    explicit Channel(std::uint32_t m) : mask(m) {
        if (m == 0) return;
        shift = std::countr_zero(m);
        bits = std::popcount(m >> shift);
    }
    std::uint32_t extract(std::uint32_t pixel) const {
        if (bits == 0) return 0;
        const std::uint32_t v = (pixel & mask) >> shift;
        if (bits >= 8) return (v >> (bits - 8)) & 0xFF;
        std::uint32_t widened = 0;
        for (int position = 8 - bits; position > -bits; position -= bits)
            widened |= position >= 0 ? v << position : v >> -position;
        return widened & 0xFF;
    }
};

// The green of a 5-5-5 pixel as the reference widens it: the low four bits scaled by 8.5 and
// the high bit worth 128 (repeating the bits, as for red and blue, differs by up to 3).
std::uint32_t green_of_555(std::uint32_t pixel) {
    const std::uint32_t v = (pixel >> 5) & 0x1F;
    return (v & 0x10 ? 128u : 0u) | ((v & 0x0F) * 17 >> 1);
}

bool read_header(ByteReader& in, DibHeader& h, bool icon) {
    h.header_size = in.u32();
    if (h.header_size == 12) {
        h.core = true;
        h.width = in.u16();
        h.height = in.u16();
        in.u16(); // planes
        h.bit_count = in.u16();
    } else if (h.header_size >= 40 && h.header_size <= 124) {
        h.width = in.s32();
        h.height = in.s32();
        in.u16(); // planes
        h.bit_count = in.u16();
        h.compression = in.u32();
        in.skip(12); // image size, resolution
        h.colors_used = in.u32();
        in.u32(); // colours important
        if (h.header_size >= 52) {
            for (int i = 0; i < (h.header_size >= 56 ? 4 : 3); ++i) h.masks[i] = in.u32();
            in.skip(h.header_size - (h.header_size >= 56 ? 56 : 52));
        } else if (h.compression == bi_bitfields) {
            // The masks follow a 40-byte header.
            for (int i = 0; i < 3; ++i) h.masks[i] = in.u32();
        }
    } else {
        return false;
    }
    if (in.overrun()) return false;
    if (h.height < 0) {
        h.top_down = true;
        h.height = -h.height;
    }
    if (icon) h.height /= 2;
    return true;
}

bool supported_layout(const DibHeader& h) {
    switch (h.compression) {
    case bi_rgb: return h.bit_count == 1 || h.bit_count == 4 || h.bit_count == 8 || h.bit_count == 16 ||
                        h.bit_count == 24 || h.bit_count == 32;
    case bi_rle8: return h.bit_count == 8 && !h.top_down;
    case bi_rle4: return h.bit_count == 4 && !h.top_down;
    case bi_bitfields: return h.bit_count == 16 || h.bit_count == 32;
    default: return false;
    }
}

std::size_t row_bytes(std::int64_t width, int bit_count) {
    return static_cast<std::size_t>((width * bit_count + 31) / 32 * 4);
}

void default_masks(DibHeader& h) {
    if (h.compression == bi_bitfields) return;
    if (h.bit_count == 16) h.masks = {0x7C00, 0x03E0, 0x001F, 0};
    else h.masks = {0xFF0000, 0x00FF00, 0x0000FF, 0};
}

void decode_rows(Bytes pixels, const DibHeader& h, const std::vector<std::uint32_t>& palette, Raster& raster) {
    const std::size_t stride = row_bytes(h.width, h.bit_count);
    const Channel red(h.masks[0]), green(h.masks[1]), blue(h.masks[2]), alpha(h.masks[3]);
    const bool masked = h.bit_count == 16 || (h.bit_count == 32 && h.compression == bi_bitfields);
    const bool five_five_five = h.bit_count == 16 && h.masks[0] == 0x7C00 && h.masks[1] == 0x03E0 && h.masks[2] == 0x001F;
    for (int y = 0; y < raster.height; ++y) {
        const int stored = h.top_down ? y : raster.height - 1 - y;
        const std::uint8_t* src = pixels.data() + stride * stored;
        std::uint32_t* out = raster.row(y);
        for (int x = 0; x < raster.width; ++x) {
            std::uint32_t value;
            switch (h.bit_count) {
            case 1: value = palette[(src[x >> 3] >> (7 - (x & 7))) & 1]; break;
            case 4: value = palette[(src[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF]; break;
            case 8: value = palette[src[x]]; break;
            case 24: value = argb(255, src[3 * x + 2], src[3 * x + 1], src[3 * x]); break;
            default: {
                const std::uint8_t* p = src + x * (h.bit_count / 8);
                const std::uint32_t raw =
                    h.bit_count == 16 ? (p[0] | (p[1] << 8)) : (p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t{p[3]} << 24));
                if (masked)
                    value = argb(alpha.bits ? alpha.extract(raw) : 255, red.extract(raw),
                                 five_five_five ? green_of_555(raw) : green.extract(raw), blue.extract(raw));
                else
                    value = 0xFF000000u | (raw & 0xFFFFFF); // the fourth byte of BI_RGB carries no colour
            }
            }
            out[x] = value;
        }
    }
}

// Run-length encoded pixels; what the runs never reach stays transparent.
bool decode_rle(Bytes pixels, const DibHeader& h, const std::vector<std::uint32_t>& palette, Raster& raster) {
    ByteReader in(pixels);
    const bool four = h.compression == bi_rle4;
    std::int64_t x = 0;
    std::int64_t line = 0; // counted from the bottom
    auto put = [&](int index) {
        if (x < raster.width && line < raster.height)
            raster.row(static_cast<int>(raster.height - 1 - line))[x] = palette[index];
        ++x;
    };
    bool skipped = false;
    while (true) {
        const int count = in.u8();
        const int value = in.u8();
        if (in.overrun()) return false;
        if (count > 0) {
            for (int i = 0; i < count; ++i) put(four ? ((i & 1) ? value & 0xF : value >> 4) : value);
            continue;
        }
        if (value == 0) { // end of line
            if (x < raster.width) skipped = true;
            x = 0;
            ++line;
        } else if (value == 1) { // end of bitmap
            if (line < raster.height) skipped = true;
            break;
        } else if (value == 2) { // delta
            x += in.u8();
            line += in.u8();
            skipped = true;
        } else { // absolute run, padded to a whole word
            const int stored = four ? (value + 1) / 2 : value;
            for (int i = 0; i < value; ++i) {
                const int byte = in.u8() ;
                if (four) {
                    put(byte >> 4);
                    if (++i < value) put(byte & 0xF);
                } else {
                    put(byte);
                }
            }
            if (stored & 1) in.u8();
            if (in.overrun()) return false;
        }
        if (line >= raster.height + 1) break;
    }
    raster.has_alpha = skipped;
    return true;
}

// Pixels where the icon's AND mask is set are transparent, unless the 32-bit colours carry an
// alpha channel of their own.
void apply_and_mask(Bytes mask_bytes, const DibHeader& h, Raster& raster) {
    const std::size_t stride = row_bytes(h.width, 1);
    if (stride * raster.height > mask_bytes.size()) return;
    for (int y = 0; y < raster.height; ++y) {
        const std::uint8_t* mask = mask_bytes.data() + stride * (raster.height - 1 - y);
        std::uint32_t* out = raster.row(y);
        for (int x = 0; x < raster.width; ++x)
            if ((mask[x >> 3] >> (7 - (x & 7))) & 1) out[x] &= 0x00FFFFFF;
    }
    raster.has_alpha = true;
}

// header: the DIB header and what follows it. pixels: the pixel bits when they are stored
// apart from the header; otherwise they are found in header at pixel_offset (0: right after
// the colour table).
DecodeResult decode_dib_from(Bytes header, std::size_t pixel_offset, std::optional<Bytes> apart, bool icon,
                             Raster& raster) {
    ByteReader in(header);
    DibHeader h;
    if (!read_header(in, h, icon)) return DecodeResult::corrupt;
    if (!supported_layout(h)) return DecodeResult::corrupt;
    if (!acceptable_size(h.width, h.height))
        return h.width > 0 && h.height > 0 ? DecodeResult::too_large : DecodeResult::corrupt;
    default_masks(h);

    std::vector<std::uint32_t> palette;
    if (h.bit_count <= 8) {
        const std::uint32_t full = 1u << h.bit_count;
        const std::uint32_t count = h.colors_used == 0 || h.colors_used > full ? full : h.colors_used;
        palette.assign(full, 0xFF000000u);
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::uint32_t b = in.u8(), g = in.u8(), r = in.u8();
            if (!h.core) in.u8();
            palette[i] = argb(255, r, g, b);
        }
        if (in.overrun()) return DecodeResult::corrupt;
    }
    if (pixel_offset == 0) pixel_offset = in.position();
    if (!apart && pixel_offset > header.size()) return DecodeResult::corrupt;
    const Bytes pixels = apart ? *apart : header.subspan(pixel_offset);

    const bool rle = h.compression == bi_rle8 || h.compression == bi_rle4;
    const std::size_t stride = row_bytes(h.width, h.bit_count);
    if (!rle && stride * h.height > pixels.size()) return DecodeResult::corrupt;

    Raster out;
    out.width = static_cast<int>(h.width);
    out.height = static_cast<int>(h.height);
    out.pixels.assign(static_cast<std::size_t>(h.width * h.height), rle ? 0u : 0xFF000000u);
    if (rle) {
        if (!decode_rle(pixels, h, palette, out)) return DecodeResult::corrupt;
    } else {
        decode_rows(pixels, h, palette, out);
        out.has_alpha = h.masks[3] != 0 && (h.bit_count == 16 || h.compression == bi_bitfields);
    }
    if (icon) {
        bool own_alpha = false;
        if (h.bit_count == 32) {
            // A 32-bit icon image keeps its fourth byte as alpha when any pixel uses it.
            for (int y = 0; y < out.height && !own_alpha; ++y)
                for (int x = 0; x < out.width && !own_alpha; ++x) own_alpha = pixels[stride * y + 4 * x + 3] != 0;
            if (own_alpha) {
                for (int y = 0; y < out.height; ++y) {
                    const int stored = h.top_down ? y : out.height - 1 - y;
                    const std::uint8_t* src = pixels.data() + stride * stored;
                    std::uint32_t* row = out.row(y);
                    for (int x = 0; x < out.width; ++x)
                        row[x] = (row[x] & 0x00FFFFFF) | (std::uint32_t{src[4 * x + 3]} << 24);
                }
                out.has_alpha = true;
            }
        }
        if (!own_alpha) apply_and_mask(pixels.subspan(stride * out.height), h, out);
    }
    raster = std::move(out);
    return DecodeResult::ok;
}

} // namespace

DecodeResult decode_dib(Bytes bytes, Raster& raster, bool icon) {
    return decode_dib_from(bytes, 0, std::nullopt, icon, raster);
}

DecodeResult decode_dib_parts(Bytes header, Bytes pixels, Raster& raster) {
    return decode_dib_from(header, 0, pixels, false, raster);
}

std::size_t dib_header_bytes(Bytes header) {
    ByteReader in(header);
    DibHeader h;
    if (!read_header(in, h, false) || !supported_layout(h)) return 0;
    std::size_t palette = 0;
    if (h.bit_count <= 8) {
        const std::uint32_t full = 1u << h.bit_count;
        palette = (h.colors_used == 0 || h.colors_used > full ? full : h.colors_used) * (h.core ? 3 : 4);
    }
    return in.position() + palette;
}

std::size_t dib_pixel_bytes(Bytes header) {
    ByteReader in(header);
    DibHeader h;
    if (!read_header(in, h, false) || !supported_layout(h) || !acceptable_size(h.width, h.height)) return 0;
    if (h.compression == bi_rle8 || h.compression == bi_rle4) return 0;
    return row_bytes(h.width, h.bit_count) * static_cast<std::size_t>(h.height);
}

DecodeResult decode_bmp(Bytes bytes, Raster& raster) {
    ByteReader in(bytes);
    if (in.u16() != 0x4D42) return DecodeResult::unknown_format;
    in.skip(8); // file size, reserved
    const std::uint32_t pixel_offset = in.u32();
    if (in.overrun()) return DecodeResult::corrupt;
    if (pixel_offset < 14 || pixel_offset > bytes.size()) return DecodeResult::corrupt;
    return decode_dib_from(bytes.subspan(14), pixel_offset - 14, std::nullopt, false, raster);
}

} // namespace layer::gdiplus
