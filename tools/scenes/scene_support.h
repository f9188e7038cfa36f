// Helpers shared by the scenes: patterns, composing a picture from parts, and the platform state
// that the drawing devices will later set for us.
#pragma once

#include <cstdint>

#include "graphics.h"
#include "image.h"

namespace scenes {

// Fills an image's pixels with a fixed pattern in which every bit of every colour channel varies,
// so that raster operations meet all combinations of source, destination and brush bits.
void fill_pattern(IMAGE& image, std::uint32_t seed);

// A colour that depends on a point and a seed; never black, so that set pixels stand out.
COLORREF point_colour(int x, int y, std::uint32_t seed);

// Copies the pixels of part into canvas at (x, y) through the pixel buffers: the composition of a
// scene must not depend on the layer under test.
void paste(IMAGE& canvas, const IMAGE& part, int x, int y);

// Writes into canvas at (x, y) a w by h panel of what get_pixel returns for the logical points
// (from_x + i, from_y + j) of the current target. A failed read (CLR_INVALID) keeps its spare
// byte 0xFF and so stays distinct from every colour.
void paste_readback(IMAGE& canvas, int x, int y, int w, int h, int from_x, int from_y);

// Sets the world transform of the image's device context and keeps its xform field equal.
void set_transform(IMAGE& image, const XFORM& transform);

// Selects a new solid brush into dc and deletes the one it replaces.
void select_solid_brush(HDC dc, COLORREF colour);

// Clips dc to a rectangle given in device units.
void clip_to_rect(HDC dc, int left, int top, int right, int bottom);

// Makes an image the current target for one scope, then hands the target back to the canvas,
// so that no image is destroyed while it is the target.
class TargetScope {
public:
    TargetScope(IMAGE& image, IMAGE& canvas) : canvas_(canvas) { set_target_image(&image); }
    ~TargetScope() { set_target_image(&canvas_); }
    TargetScope(const TargetScope&) = delete;
    TargetScope& operator=(const TargetScope&) = delete;

private:
    IMAGE& canvas_;
};

} // namespace scenes
