// The largest picture the imaging module decodes or makes. Decoders read a picture's size from
// its header and refuse it before they allocate anything for its pixels; the graphics library's
// images have the same limits, so nothing it could display is refused here.
#pragma once

#include <cstdint>

namespace layer::gdiplus {

constexpr std::int64_t max_picture_side = 1 << 15;
constexpr std::int64_t max_picture_pixels = std::int64_t{1} << 28;

constexpr bool acceptable_size(std::int64_t width, std::int64_t height) {
    return width > 0 && height > 0 && width <= max_picture_side && height <= max_picture_side &&
           width * height <= max_picture_pixels;
}

} // namespace layer::gdiplus
