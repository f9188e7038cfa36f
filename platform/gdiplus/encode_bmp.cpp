// BMP files: 32-bit, rows from the bottom up, as the platform writes a 32-bit picture.
#include "encoders.h"

namespace layer::gdiplus {

namespace {

void put16(EncodedFile& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(EncodedFile& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

} // namespace

bool encode_bmp(const Raster& picture, EncodedFile& out) {
    const std::uint64_t pixel_bytes = static_cast<std::uint64_t>(picture.width) * picture.height * 4;
    if (pixel_bytes > 0xFFFFFFFFull - 54) return false;
    out.clear();
    out.reserve(54 + pixel_bytes);
    // File header.
    put16(out, 0x4D42);
    put32(out, static_cast<std::uint32_t>(54 + pixel_bytes));
    put32(out, 0);
    put32(out, 54);
    // Information header: 96 dots per inch.
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(picture.width));
    put32(out, static_cast<std::uint32_t>(picture.height));
    put16(out, 1);
    put16(out, 32);
    put32(out, 0);
    put32(out, static_cast<std::uint32_t>(pixel_bytes));
    put32(out, 3780);
    put32(out, 3780);
    put32(out, 0);
    put32(out, 0);
    for (int y = picture.height - 1; y >= 0; --y)
        for (int x = 0; x < picture.width; ++x) put32(out, picture.row(y)[x]);
    return true;
}

} // namespace layer::gdiplus
