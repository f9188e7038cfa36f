// Drawing a whole picture scaled into a rectangle, as the platform's imaging library does by
// default: bilinear filtering where the picture's edges fade into transparency, straight-alpha
// interpolation with weights in 1/255 steps, and the result composited over what the surface
// holds (its fourth byte receiving the coverage).
#pragma once

#include "../gdi/imaging_access.h"
#include "raster.h"

namespace layer::gdiplus {

// Draws picture into the logical rectangle (x, y, width, height) of the surface.
void draw_scaled(const Raster& picture, int x, int y, int width, int height, const gdi::ImagingSurface& surface);

// The building blocks, exposed for their tests.
std::uint32_t interpolate(std::uint32_t start, std::uint32_t end, int position);
std::uint32_t composite_over(std::uint32_t source, std::uint32_t destination);

} // namespace layer::gdiplus
