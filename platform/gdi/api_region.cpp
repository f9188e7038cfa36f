// Region objects: rectangles combined into sets of pixels.
#include "handle_table.h"

using namespace layer::gdi;

HRGN WINAPI CreateRectRgn(int left, int top, int right, int bottom) {
    GdiGuard guard(gdi_mutex());
    auto r = std::make_unique<Region>();
    r->set.set_rect({left, top, right, bottom});
    return static_cast<HRGN>(add_object(std::move(r)));
}

HRGN WINAPI CreateRectRgnIndirect(const RECT* rect) {
    if (!rect) return nullptr;
    return CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
}

BOOL WINAPI SetRectRgn(HRGN region, int left, int top, int right, int bottom) {
    GdiGuard guard(gdi_mutex());
    Region* r = find<Region>(region);
    if (!r) return FALSE;
    r->set.set_rect({left, top, right, bottom});
    return TRUE;
}

int WINAPI CombineRgn(HRGN destination, HRGN source1, HRGN source2, int mode) {
    GdiGuard guard(gdi_mutex());
    Region* d = find<Region>(destination);
    const Region* a = find<Region>(source1);
    if (!d || !a || mode < RGN_AND || mode > RGN_COPY) return ERROR;
    RegionSet result = a->set;
    if (mode != RGN_COPY) {
        const Region* b = find<Region>(source2);
        if (!b) return ERROR;
        switch (mode) {
        case RGN_AND: result.intersect(b->set); break;
        case RGN_OR: result.unite(b->set); break;
        case RGN_XOR: result.exclusive_or(b->set); break;
        case RGN_DIFF: result.subtract(b->set); break;
        default: break;
        }
    }
    d->set = result;
    return d->set.complexity();
}

int WINAPI OffsetRgn(HRGN region, int dx, int dy) {
    GdiGuard guard(gdi_mutex());
    Region* r = find<Region>(region);
    if (!r) return ERROR;
    r->set.offset(dx, dy);
    return r->set.complexity();
}

int WINAPI GetRgnBox(HRGN region, LPRECT box) {
    GdiGuard guard(gdi_mutex());
    const Region* r = find<Region>(region);
    if (!r || !box) return ERROR;
    *box = r->set.box();
    return r->set.complexity();
}

BOOL WINAPI PtInRegion(HRGN region, int x, int y) {
    GdiGuard guard(gdi_mutex());
    const Region* r = find<Region>(region);
    return r && r->set.contains(x, y);
}

BOOL WINAPI RectInRegion(HRGN region, const RECT* rect) {
    GdiGuard guard(gdi_mutex());
    const Region* r = find<Region>(region);
    return r && rect && r->set.intersects(*rect);
}

BOOL WINAPI EqualRgn(HRGN region1, HRGN region2) {
    GdiGuard guard(gdi_mutex());
    const Region* a = find<Region>(region1);
    const Region* b = find<Region>(region2);
    return a && b && a->set.equals(b->set);
}
