#include "image.h"

#include <algorithm>
#include <cstring>

#include "graph_state.h"

namespace {

template <typename Handle>
void select_and_delete(HDC dc, Handle object) {
    HGDIOBJ replaced = SelectObject(dc, object);
    DeleteObject(replaced);
}

HFONT create_default_font() {
    LOGFONTW font{};
    font.lfHeight = 16;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = NONANTIALIASED_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    lstrcpynW(font.lfFaceName, Pellux::wide(u"System"), 32);
    return CreateFontIndirectW(&font);
}

} // namespace

bool is_valid_surface_size(int w, int h) {
    return w > 0 && h > 0 && w <= MAX_SURFACE_SIDE && h <= MAX_SURFACE_SIDE &&
           static_cast<long long>(w) * h <= MAX_SURFACE_PIXELS;
}

IMAGE::IMAGE(int w, int h) {
    // Sizes the library cannot make a surface for leave the image without one.
    const bool surface = is_valid_surface_size(w, h);
    width = surface ? w : 0;
    height = surface ? h : 0;
    {
        LibraryLock lock;
        dc = CreateCompatibleDC(graph_state.window_dc);
    }
    IMAGE::reset_defaults();
    if (surface) {
        width = 0;
        height = 0;
        IMAGE::resize(w, h);
    }
}

IMAGE::~IMAGE() {
    {
        LibraryLock lock;
        select_and_delete(dc, GetStockObject(WHITE_PEN));
        select_and_delete(dc, GetStockObject(BLACK_BRUSH));
        select_and_delete(dc, GetStockObject(SYSTEM_FONT));
        DeleteDC(dc);
        if (bitmap) DeleteObject(bitmap);
    }
    // fill_style and line_style free what they own in their own destructors.
}

void IMAGE::reset_fields() {
    x = 0;
    y = 0;
    line_color = fill_color = text_color = 0xFFFFFF;
    bk_color = 0;
    xform = XFORM{1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f};
    line_style.style = 0;
    line_style.thickness = 1;
    line_style.drop_pattern();
    fill_style.style = 0;
    fill_style.drop_pattern();
}

void IMAGE::apply_default_state(HDC target) const {
    SetGraphicsMode(target, GM_ADVANCED);
    SetBkMode(target, OPAQUE);
    SetBkColor(target, bk_color);
    MoveToEx(target, 0, 0, nullptr);
    select_and_delete(target, CreatePen(PS_SOLID, 1, 0xFFFFFF));
    select_and_delete(target, CreateSolidBrush(0xFFFFFF));
    SetTextColor(target, 0xFFFFFF);
    SetWorldTransform(target, &xform);
    SelectClipRgn(target, nullptr);
    select_and_delete(target, create_default_font());
}

void IMAGE::reset_defaults() {
    reset_fields();
    LibraryLock lock;
    apply_default_state(dc);
}

void IMAGE::fill_buffer_with_bk_color() {
    std::fill_n(buffer, static_cast<size_t>(width) * static_cast<size_t>(height), swap_red_blue(bk_color));
}

HBITMAP IMAGE::create_dib(int w, int h, DWORD** pixels) {
    graph_state.bitmap_info.bmiHeader.biWidth = w;
    graph_state.bitmap_info.bmiHeader.biHeight = -h;
    LibraryLock lock;
    return CreateDIBSection(nullptr, &graph_state.bitmap_info, DIB_RGB_COLORS, reinterpret_cast<void**>(pixels), nullptr, 0);
}

void IMAGE::resize(int w, int h) {
    if (w == 0 || h == 0) return;
    // Negative or oversized requests change nothing: no surface could hold them.
    if (!is_valid_surface_size(w, h)) return;

    if (width != 0 && height != 0) {
        LibraryLock lock;
        DWORD* pixels = nullptr;
        HBITMAP fresh = create_dib(w, h, &pixels);
        if (!fresh || !pixels) return;  // the platform could not make it: keep the old surface
        std::fill_n(pixels, static_cast<size_t>(w) * static_cast<size_t>(h), swap_red_blue(bk_color));
        if (bitmap) {
            HDC copy_dc = CreateCompatibleDC(nullptr);
            HGDIOBJ initial = SelectObject(copy_dc, fresh);
            DeleteObject(initial);
            // The old surface is copied in device units, whatever transform the image carries.
            XFORM own = xform;
            SetWorldTransform(dc, &graph_state.identity_xform);
            BitBlt(copy_dc, 0, 0, w, h, dc, 0, 0, SRCCOPY);
            SetWorldTransform(dc, &own);
            DeleteDC(copy_dc);
        }
        SelectObject(dc, fresh);
        if (bitmap) DeleteObject(bitmap);
        bitmap = fresh;
        buffer = pixels;
        width = w;
        height = h;
        return;
    }

    DWORD* pixels = nullptr;
    HBITMAP fresh;
    {
        LibraryLock lock;
        fresh = create_dib(w, h, &pixels);
        if (!fresh || !pixels) return;
        HGDIOBJ initial = SelectObject(dc, fresh);
        DeleteObject(initial);
    }
    bitmap = fresh;
    buffer = pixels;
    width = w;
    height = h;
    fill_buffer_with_bk_color();
}

IMAGE& IMAGE::operator=(const IMAGE& source) {
    if (this == &source) return *this;
    resize(source.width, source.height);
    // From an image without a surface nothing is copied: this image keeps its pixels.
    if (!source.bitmap || !bitmap) return *this;
    LibraryLock lock;
    // A plain pixel copy to the top-left corner, whatever transforms the two images carry.
    XFORM own = xform;
    XFORM theirs = source.xform;
    SetWorldTransform(dc, &graph_state.identity_xform);
    SetWorldTransform(source.dc, &graph_state.identity_xform);
    BitBlt(dc, 0, 0, width, height, source.dc, 0, 0, SRCCOPY);
    SetWorldTransform(dc, &own);
    SetWorldTransform(source.dc, &theirs);
    return *this;
}
