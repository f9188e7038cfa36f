// Pens (CreatePen, ExtCreatePen with the platform's checks) and fonts, kept as their records.
#include "handle_table.h"
#include "pattern_source.h"
#include "stock_objects.h"

using namespace layer::gdi;

namespace {

HPEN add_pen(std::unique_ptr<Pen> pen) { return static_cast<HPEN>(add_object(std::move(pen))); }

} // namespace

HPEN WINAPI CreatePen(int style, int width, COLORREF color) {
    GdiGuard guard(gdi_mutex());
    if (style == static_cast<int>(PS_NULL)) return static_cast<HPEN>(stock_object(NULL_PEN));
    auto p = std::make_unique<Pen>();
    // Styles other than the seven plain ones are taken as solid, as on the reference platform.
    p->style = style >= 0 && style <= static_cast<int>(PS_INSIDEFRAME) ? static_cast<DWORD>(style) : PS_SOLID;
    p->width = static_cast<DWORD>(width < 0 ? -width : width);
    p->color = color;
    return add_pen(std::move(p));
}

HPEN WINAPI CreatePenIndirect(const LOGPEN* pen) {
    if (!pen) return nullptr;
    return CreatePen(static_cast<int>(pen->lopnStyle), pen->lopnWidth.x, pen->lopnColor);
}

HPEN WINAPI ExtCreatePen(DWORD style, DWORD width, const LOGBRUSH* brush, DWORD style_count, const DWORD* styles) {
    auto refuse = [] {
        SetLastError(ERROR_INVALID_PARAMETER);
        return static_cast<HPEN>(nullptr);
    };
    if (!brush) return refuse();
    const DWORD type = style & PS_TYPE_MASK;
    const DWORD kind = style & PS_STYLE_MASK;
    if (type != PS_COSMETIC && type != PS_GEOMETRIC) return refuse();
    if (kind > PS_ALTERNATE) return refuse();
    if (kind == PS_USERSTYLE) {
        if (style_count == 0) return static_cast<HPEN>(nullptr);
        if (style_count > 16 || !styles) return refuse();
        bool any = false;
        for (DWORD i = 0; i < style_count; ++i) any = any || styles[i] != 0;
        if (!any) return refuse();
    } else if (style_count != 0 || styles != nullptr) {
        return refuse();
    }
    if (type == PS_COSMETIC) {
        if (width != 1 || brush->lbStyle != BS_SOLID) return refuse();
    } else if (kind == PS_ALTERNATE) {
        return refuse();
    }

    GdiGuard guard(gdi_mutex());
    if (kind == PS_NULL || brush->lbStyle == BS_NULL) return static_cast<HPEN>(stock_object(NULL_PEN));
    auto p = std::make_unique<Pen>();
    p->extended = true;
    p->style = style;
    p->width = width;
    p->brush_style = brush->lbStyle;
    p->color = brush->lbColor;
    p->brush_hatch = brush->lbHatch;
    if (brush->lbStyle == BS_PATTERN) {
        const Bitmap* b = find<Bitmap>(reinterpret_cast<HBITMAP>(brush->lbHatch));
        if (!b) return refuse();
        p->pattern = pattern_from_bitmap(*b);
    } else if (brush->lbStyle == BS_DIBPATTERNPT) {
        p->pattern = pattern_from_packed_dib(reinterpret_cast<const void*>(brush->lbHatch), brush->lbColor, {});
        if (!p->pattern) return refuse();
    } else if (brush->lbStyle != BS_SOLID && brush->lbStyle != BS_HATCHED) {
        return refuse();
    }
    if (kind == PS_USERSTYLE) p->dashes.assign(styles, styles + style_count);
    return add_pen(std::move(p));
}

HFONT WINAPI CreateFontIndirectW(const LOGFONTW* font) {
    if (!font) return nullptr;
    GdiGuard guard(gdi_mutex());
    auto f = std::make_unique<Font>();
    f->log = *font;
    f->log.lfFaceName[LF_FACESIZE - 1] = 0;
    return static_cast<HFONT>(add_object(std::move(f)));
}
