// Pixels set and read under world transforms and clip regions. Each picture holds the surface
// on the left and, on the right, what get_pixel reads back at the same logical points.
#include "scene.h"
#include "scene_support.h"

namespace scenes {
namespace {

constexpr int panel_w = 64;
constexpr int panel_h = 48;

// Sets a sparse lattice of logical points wide enough to cover the surface under every transform
// below (points that land outside are dropped by the platform), then reads the surface back.
void pixel_lattice(IMAGE& canvas, const XFORM& transform, const RECT* clip) {
    IMAGE surface(panel_w, panel_h);
    fill_pattern(surface, 20);
    set_transform(surface, transform);
    if (clip) clip_to_rect(surface.dc, clip->left, clip->top, clip->right, clip->bottom);
    TargetScope scope(surface, canvas);
    for (int y = -40; y < 110; ++y)
        for (int x = -40; x < 140; ++x)
            if ((x + 2 * y) % 3 == 0) SetPixelV(surface.dc, x, y, point_colour(x, y, 21));
    // Reads outside a clip region answer CLR_INVALID as the platform documents, but Wine, which
    // runs the Windows builds here, reads through it: compare the reads without the region.
    if (clip) SelectClipRgn(surface.dc, nullptr);
    paste_readback(canvas, panel_w, 0, panel_w, panel_h, 0, 0);
    paste(canvas, surface, 0, 0);
}

template <float m11, float m22, float dx, float dy>
void transformed(IMAGE& canvas) {
    pixel_lattice(canvas, XFORM{m11, 0.0f, 0.0f, m22, dx, dy}, nullptr);
}

template <float dx, float dy>
void clipped(IMAGE& canvas) {
    const RECT clip{10, 8, 50, 40};
    pixel_lattice(canvas, XFORM{1.0f, 0.0f, 0.0f, 1.0f, dx, dy}, &clip);
}

// Pixel reads and writes just inside and outside every edge of the surface.
void pixel_edges(IMAGE& canvas) {
    IMAGE surface(panel_w, panel_h);
    fill_pattern(surface, 22);
    TargetScope scope(surface, canvas);
    for (int i = -2; i < panel_w + 2; ++i) {
        SetPixelV(surface.dc, i, -1, 0x0000FF);
        SetPixelV(surface.dc, i, 0, 0x00FF00);
        SetPixelV(surface.dc, i, panel_h - 1, 0xFF0000);
        SetPixelV(surface.dc, i, panel_h, 0xFFFFFF);
    }
    for (int j = -2; j < panel_h + 2; ++j) {
        SetPixelV(surface.dc, -1, j, 0x00FFFF);
        SetPixelV(surface.dc, 0, j, 0xFF00FF);
        SetPixelV(surface.dc, panel_w - 1, j, 0xFFFF00);
        SetPixelV(surface.dc, panel_w, j, 0x808080);
    }
    // The panel is shifted by one so that the reads outside the surface show as well.
    paste_readback(canvas, panel_w, 0, panel_w, panel_h, -1, -1);
    paste(canvas, surface, 0, 0);
}

constexpr Scene table[] = {
    {"pixels_identity", 2 * panel_w, panel_h, transformed<1.0f, 1.0f, 0.0f, 0.0f>},
    {"pixels_translated", 2 * panel_w, panel_h, transformed<1.0f, 1.0f, 9.0f, -4.0f>},
    {"pixels_translated_half", 2 * panel_w, panel_h, transformed<1.0f, 1.0f, 2.5f, 1.5f>},
    {"pixels_scaled_up", 2 * panel_w, panel_h, transformed<2.0f, 3.0f, 0.0f, 0.0f>},
    {"pixels_scaled_down", 2 * panel_w, panel_h, transformed<0.5f, 0.75f, 0.0f, 0.0f>},
    {"pixels_mirrored", 2 * panel_w, panel_h, transformed<-1.0f, 1.0f, 63.0f, 0.0f>},
    {"pixels_clipped", 2 * panel_w, panel_h, clipped<0.0f, 0.0f>},
    {"pixels_clipped_translated", 2 * panel_w, panel_h, clipped<5.0f, 3.0f>},
    {"pixels_edges", 2 * panel_w, panel_h, pixel_edges},
};

} // namespace

std::span<const Scene> pixel_scenes() { return table; }

} // namespace scenes
