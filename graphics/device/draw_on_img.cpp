// The image device: drawing state, pixels and the current position of the current target.
#include "draw_on_img.h"

#include <cstring>

#include "graph_state.h"
#include "image.h"

namespace Pellux {

namespace {

IMAGE& target() { return *graph_state.target; }
HDC dc() { return graph_state.target_dc; }

} // namespace

DrawOnImg::~DrawOnImg() = default;

void DrawOnImg::clear_target() {
    IMAGE& image = target();
    const DWORD pixel = swap_red_blue(image.bk_color);
    const size_t count = image.buffer ? static_cast<size_t>(image.width) * static_cast<size_t>(image.height) : 0;
    const BYTE low = static_cast<BYTE>(pixel);
    if (low == static_cast<BYTE>(pixel >> 8) && low == static_cast<BYTE>(pixel >> 16)) {
        // Greys fill byte by byte; the top byte of every pixel takes the same value.
        if (count) std::memset(image.buffer, low, count * 4);
    } else {
        for (size_t i = count; i-- > 0;) image.buffer[i] = pixel;
    }
    move_to(0, 0);
}

COLORREF DrawOnImg::get_line_color() { return target().line_color; }
COLORREF DrawOnImg::get_text_color() { return target().text_color; }
COLORREF DrawOnImg::get_bk_color() { return target().bk_color; }
COLORREF DrawOnImg::get_fill_color() { return target().fill_color; }

void DrawOnImg::set_text_color(COLORREF color) {
    target().text_color = color;
    SetTextColor(dc(), color);
}

void DrawOnImg::set_bk_color(COLORREF color) {
    target().bk_color = color;
    SetBkColor(dc(), color);
}

int DrawOnImg::get_bk_mode() { return GetBkMode(dc()); }
void DrawOnImg::set_bk_mode(int mode) { SetBkMode(dc(), mode); }

void DrawOnImg::set_origin(int x, int y) {
    IMAGE& image = target();
    image.xform.eDx = static_cast<FLOAT>(x);
    image.xform.eDy = static_cast<FLOAT>(y);
    SetWorldTransform(dc(), &image.xform);
}

void DrawOnImg::set_clip_region(HRGN region) { SelectClipRgn(dc(), region); }

void DrawOnImg::clear_clip_region() {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (GetClipRgn(dc(), region) > 0) {
        HBRUSH brush = CreateSolidBrush(target().bk_color);
        SetWorldTransform(dc(), &graph_state.identity_xform);
        FillRgn(dc(), region, brush);
        SetWorldTransform(dc(), &target().xform);
        DeleteObject(brush);
    } else {
        clear_target();
    }
    DeleteObject(region);
}

void DrawOnImg::get_line_style(LINESTYLE* out) {
    if (out) *out = target().line_style;
}

void DrawOnImg::get_fill_style(FILLSTYLE* out) {
    if (out) *out = target().fill_style;
}

void DrawOnImg::get_aspect_ratio(float* x_scale, float* y_scale) {
    if (x_scale) *x_scale = target().xform.eM11;
    if (y_scale) *y_scale = target().xform.eM22;
}

void DrawOnImg::set_aspect_ratio(float x_scale, float y_scale) {
    IMAGE& image = target();
    image.xform.eM11 = x_scale;
    image.xform.eM22 = y_scale;
    SetWorldTransform(dc(), &image.xform);
}

int DrawOnImg::get_rop2() { return GetROP2(dc()); }
void DrawOnImg::set_rop2(int mode) { SetROP2(dc(), mode); }
int DrawOnImg::get_poly_fill_mode() { return GetPolyFillMode(dc()); }
void DrawOnImg::set_poly_fill_mode(int mode) { SetPolyFillMode(dc(), mode); }

void DrawOnImg::reset_defaults() { target().reset_defaults(); }

COLORREF DrawOnImg::get_pixel(int x, int y) { return GetPixel(dc(), x, y); }
void DrawOnImg::put_pixel(int x, int y, COLORREF color) { SetPixelV(dc(), x, y, color); }

void DrawOnImg::move_to(int x, int y) {
    MoveToEx(dc(), x, y, nullptr);
    target().x = x;
    target().y = y;
}

void DrawOnImg::move_rel(int dx, int dy) { move_to(target().x + dx, target().y + dy); }

int DrawOnImg::get_width() { return target().width; }
int DrawOnImg::get_height() { return target().height; }
int DrawOnImg::get_x() { return target().x; }
int DrawOnImg::get_y() { return target().y; }

} // namespace Pellux
