// Brushes: solid, null, hatched, pattern and DIB pattern; pattern pixels are copied at creation.
#include "dc_access.h"
#include "color.h"
#include "handle_table.h"
#include "pattern_source.h"
#include "stock_objects.h"

using namespace layer::gdi;

namespace {

HBRUSH add_brush(UINT style, COLORREF color, ULONG_PTR hatch, std::shared_ptr<const BrushPattern> pattern = nullptr) {
    auto b = std::make_unique<Brush>();
    b->style = style;
    b->color = color;
    b->hatch = hatch;
    b->pattern = std::move(pattern);
    return static_cast<HBRUSH>(add_object(std::move(b)));
}

HBRUSH hatch_brush(int hatch, COLORREF color) {
    if (hatch < 0) return nullptr;
    // Styles past the last hatch give a solid brush, as on the reference platform.
    if (hatch > HS_DIAGCROSS) return add_brush(BS_SOLID, color, 0);
    return add_brush(BS_HATCHED, color, static_cast<ULONG_PTR>(hatch));
}

HBRUSH dib_pattern_brush(const void* packed, UINT usage, ULONG_PTR reported) {
    auto pattern = pattern_from_packed_dib(packed, usage, default_palette_entries());
    if (!pattern) return nullptr;
    return add_brush(BS_DIBPATTERN, 0, reported, std::move(pattern));
}

} // namespace

HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
    GdiGuard guard(gdi_mutex());
    return add_brush(BS_SOLID, color, 0);
}

HBRUSH WINAPI CreateHatchBrush(int hatch, COLORREF color) {
    GdiGuard guard(gdi_mutex());
    return hatch_brush(hatch, color);
}

HBRUSH WINAPI CreatePatternBrush(HBITMAP bitmap) {
    GdiGuard guard(gdi_mutex());
    const Bitmap* b = find<Bitmap>(bitmap);
    if (!b) return nullptr;
    auto pattern = pattern_from_bitmap(*b);
    if (!pattern) return nullptr;
    return add_brush(BS_PATTERN, 0, reinterpret_cast<ULONG_PTR>(bitmap), std::move(pattern));
}

HBRUSH WINAPI CreateDIBPatternBrushPt(const void* packed, UINT usage) {
    GdiGuard guard(gdi_mutex());
    return dib_pattern_brush(packed, usage, reinterpret_cast<ULONG_PTR>(packed));
}

HBRUSH WINAPI CreateBrushIndirect(const LOGBRUSH* brush) {
    if (!brush) return nullptr;
    GdiGuard guard(gdi_mutex());
    switch (brush->lbStyle) {
    case BS_SOLID:
        return add_brush(BS_SOLID, brush->lbColor, 0);
    case BS_NULL:
        return static_cast<HBRUSH>(stock_object(NULL_BRUSH));
    case BS_HATCHED:
        return hatch_brush(static_cast<int>(brush->lbHatch), brush->lbColor);
    case BS_PATTERN:
        return CreatePatternBrush(reinterpret_cast<HBITMAP>(brush->lbHatch));
    case BS_DIBPATTERN: {
        // lbHatch is a global memory handle holding the packed DIB.
        const HGLOBAL memory = reinterpret_cast<HGLOBAL>(brush->lbHatch);
        if (!memory) return nullptr;
        const void* packed = GlobalLock(memory);
        if (!packed) return nullptr;
        HBRUSH result = dib_pattern_brush(packed, brush->lbColor, brush->lbHatch);
        GlobalUnlock(memory);
        return result;
    }
    case BS_DIBPATTERNPT:
        return dib_pattern_brush(reinterpret_cast<const void*>(brush->lbHatch), brush->lbColor, brush->lbHatch);
    default:
        return nullptr;
    }
}
