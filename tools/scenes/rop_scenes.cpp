// Every ternary raster operation of put_image over a patterned source and destination, with a
// solid brush selected in the target.
#include <array>
#include <utility>

#include "scene.h"
#include "scene_support.h"

namespace scenes {
namespace {

constexpr int cell = 8;

// The operation index sits in bits 16 to 23. The named operations are passed with their full
// codes, as programs pass them; the others with the index alone, which is all the platform reads.
DWORD rop_code(int index) {
    static constexpr std::array<std::pair<int, DWORD>, 15> named = {{
        {0x00, BLACKNESS}, {0x11, NOTSRCERASE}, {0x33, NOTSRCCOPY}, {0x44, SRCERASE}, {0x55, DSTINVERT},
        {0x5A, PATINVERT}, {0x66, SRCINVERT}, {0x88, SRCAND}, {0xBB, MERGEPAINT}, {0xC0, MERGECOPY},
        {0xCC, SRCCOPY}, {0xEE, SRCPAINT}, {0xF0, PATCOPY}, {0xFB, PATPAINT}, {0xFF, WHITENESS},
    }};
    for (const auto& [i, code] : named)
        if (i == index) return code;
    return static_cast<DWORD>(index) << 16;
}

// A 16 by 16 grid of cells, operation n in cell n (row by row).
template <COLORREF brush>
void rop_grid(IMAGE& canvas) {
    fill_pattern(canvas, 1);
    IMAGE source(cell, cell);
    fill_pattern(source, 2);
    select_solid_brush(canvas.dc, brush);
    for (int rop = 0; rop < 256; ++rop) put_image((rop % 16) * cell, (rop / 16) * cell, &source, rop_code(rop));
}

// Sources that reach past every edge of the target, and one larger than the target.
void put_image_edges(IMAGE& canvas) {
    fill_pattern(canvas, 3);
    select_solid_brush(canvas.dc, 0x00A55AC3);
    IMAGE small(24, 24);
    fill_pattern(small, 4);
    IMAGE large(100, 80);
    fill_pattern(large, 5);
    put_image(-8, -8, &small, SRCCOPY);
    put_image(52, -5, &small, SRCINVERT);
    put_image(-6, 36, &small, SRCAND);
    put_image(50, 40, &small, PATINVERT);
    put_image(20, 12, &small, DSTINVERT);
    put_image(-30, -20, &large, MERGEPAINT);
    put_image(64, 48, &small, SRCCOPY);    // entirely outside: nothing changes
    put_image(-24, -24, &small, SRCCOPY);  // touches the corner from outside: nothing changes
}

// The destination's world transform applies to put_image: a translation moves the copy, a
// scale stretches it.
void put_image_translated(IMAGE& canvas) {
    fill_pattern(canvas, 6);
    IMAGE source(12, 10);
    fill_pattern(source, 7);
    set_transform(canvas, XFORM{1.0f, 0.0f, 0.0f, 1.0f, 5.0f, -3.0f});
    put_image(0, 0, &source, SRCCOPY);
    put_image(30, 20, &source, SRCINVERT);
    put_image(55, 40, &source, SRCCOPY);
}

void put_image_scaled(IMAGE& canvas) {
    fill_pattern(canvas, 8);
    IMAGE source(8, 6);
    fill_pattern(source, 9);
    set_transform(canvas, XFORM{2.0f, 0.0f, 0.0f, 2.0f, 0.0f, 0.0f});
    put_image(1, 1, &source, SRCCOPY);
    put_image(12, 10, &source, SRCINVERT);
    put_image(28, 20, &source, SRCCOPY);
}

// Regions clip in device units, under any transform.
void put_image_clip_region(IMAGE& canvas) {
    fill_pattern(canvas, 10);
    select_solid_brush(canvas.dc, 0x000F0FF0);
    IMAGE source(20, 16);
    fill_pattern(source, 11);
    clip_to_rect(canvas.dc, 12, 10, 52, 38);
    put_image(2, 2, &source, SRCCOPY);
    put_image(40, 30, &source, SRCINVERT);
    put_image(22, 18, &source, PATPAINT);
    set_transform(canvas, XFORM{1.0f, 0.0f, 0.0f, 1.0f, 30.0f, -6.0f});
    put_image(0, 0, &source, NOTSRCCOPY);
}

constexpr Scene table[] = {
    {"rop3_brush_000000", 16 * cell, 16 * cell, rop_grid<0x000000>},
    {"rop3_brush_ffffff", 16 * cell, 16 * cell, rop_grid<0xFFFFFF>},
    {"rop3_brush_a55ac3", 16 * cell, 16 * cell, rop_grid<0xA55AC3>},
    {"rop3_brush_0ff066", 16 * cell, 16 * cell, rop_grid<0x0FF066>},
    {"put_image_edges", 64, 48, put_image_edges},
    {"put_image_translated", 64, 48, put_image_translated},
    {"put_image_scaled", 64, 48, put_image_scaled},
    {"put_image_clip_region", 64, 48, put_image_clip_region},
};

} // namespace

std::span<const Scene> rop_scenes() { return table; }

} // namespace scenes
