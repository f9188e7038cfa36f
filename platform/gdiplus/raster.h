// A decoded picture as the imaging module keeps it: 32-bit pixels 0xAARRGGBB with straight
// (not premultiplied) alpha, rows from the top down without gaps.
#pragma once

#include <cstdint>
#include <span>

#include "pixel_store.h"

namespace layer::gdiplus {

struct Raster {
    int width = 0;
    int height = 0;
    PixelStore pixels;
    // False when the picture's format has no transparency; its pixels then have alpha 255.
    bool has_alpha = false;

    std::uint32_t* row(int y) { return pixels.data() + static_cast<std::size_t>(y) * width; }
    const std::uint32_t* row(int y) const { return pixels.data() + static_cast<std::size_t>(y) * width; }
};

using Bytes = std::span<const std::uint8_t>;

constexpr std::uint32_t argb(std::uint32_t a, std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return (a << 24) | (r << 16) | (g << 8) | b;
}

} // namespace layer::gdiplus
