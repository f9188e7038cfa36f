#include "scene_support.h"

#include <algorithm>

#include "graphics.h"

namespace scenes {
namespace {

std::uint32_t mix(std::uint32_t v) {
    v ^= v >> 16;
    v *= 0x7FEB352Du;
    v ^= v >> 15;
    v *= 0x846CA68Bu;
    v ^= v >> 16;
    return v;
}

std::uint32_t point_hash(int x, int y, std::uint32_t seed) {
    return mix(static_cast<std::uint32_t>(x) * 0x9E3779B1u ^ mix(static_cast<std::uint32_t>(y) + seed * 0x85EBCA77u));
}

} // namespace

void fill_pattern(IMAGE& image, std::uint32_t seed) {
    GdiFlush();
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            image.buffer[y * image.width + x] = point_hash(x, y, seed) & 0xFFFFFFu;
}

COLORREF point_colour(int x, int y, std::uint32_t seed) {
    const COLORREF colour = point_hash(x, y, seed) & 0xFFFFFFu;
    return colour ? colour : 0x808080u;
}

void paste(IMAGE& canvas, const IMAGE& part, int x, int y) {
    GdiFlush();
    for (int j = 0; j < part.height; ++j) {
        const int cy = y + j;
        if (cy < 0 || cy >= canvas.height) continue;
        for (int i = 0; i < part.width; ++i) {
            const int cx = x + i;
            if (cx < 0 || cx >= canvas.width) continue;
            canvas.buffer[cy * canvas.width + cx] = part.buffer[j * part.width + i];
        }
    }
}

void paste_readback(IMAGE& canvas, int x, int y, int w, int h, int from_x, int from_y) {
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            const int cx = x + i, cy = y + j;
            const COLORREF read = get_pixel(from_x + i, from_y + j);
            if (cx >= 0 && cx < canvas.width && cy >= 0 && cy < canvas.height)
                canvas.buffer[cy * canvas.width + cx] = swap_red_blue(read);
        }
}

void set_transform(IMAGE& image, const XFORM& transform) {
    image.xform = transform;
    SetWorldTransform(image.dc, &image.xform);
}

void select_solid_brush(HDC dc, COLORREF colour) {
    DeleteObject(SelectObject(dc, CreateSolidBrush(colour)));
}

void clip_to_rect(HDC dc, int left, int top, int right, int bottom) {
    HRGN region = CreateRectRgn(left, top, right, bottom);
    SelectClipRgn(dc, region);  // the device context keeps a copy of the region
    DeleteObject(region);
}

} // namespace scenes
