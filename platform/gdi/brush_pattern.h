// What a brush paints, pixel by pixel, in the device values of a target surface: solid colours,
// the six hatch styles over the background colour, monochrome patterns in the text and
// background colours, and colour (DIB) patterns; all tiled from the DC's brush origin.
#pragma once

#include "objects.h"
#include "pixel_view.h"

#include <cstdint>
#include <vector>

namespace layer::gdi {

// The 8 rows of a hatch style, most significant bit leftmost; null for an unknown style.
const std::uint8_t* hatch_rows(ULONG_PTR hatch);

class BrushPaint {
public:
    BrushPaint(const Brush& brush, const DeviceContext& dc, const PixelView& target);

    // BS_NULL (and unusable brushes): nothing is painted.
    bool paints() const { return kind_ != Kind::none; }
    // Device values of `count` pixels of device row y from column x.
    void row(int x, int y, int count, std::uint32_t* out) const;
    // Hatched brushes: whether each pixel is a hatch line (false: background).
    bool hatched() const { return kind_ == Kind::hatch; }
    bool foreground(int x, int y) const;

private:
    enum class Kind { none, solid, hatch, tiles };
    Kind kind_ = Kind::none;
    std::uint32_t solid_ = 0;
    std::uint32_t background_ = 0;
    const std::uint8_t* hatch_ = nullptr;
    int tile_width_ = 0;
    int tile_height_ = 0;
    std::vector<std::uint32_t> tile_; // device values, converted once
    POINT origin_{0, 0};
};

} // namespace layer::gdi
