// Clipping (kept in device coordinates) and region fills (through the world transform).
#include "block_transfer.h"
#include "handle_table.h"
#include "rop.h"
#include "transform.h"

#include <algorithm>

using namespace layer::gdi;

namespace {

// A logical region in device coordinates: each rectangle's corners through the transform.
RegionSet region_to_device(const RegionSet& logical, const XFORM& x) {
    if (is_identity(x)) return logical;
    RegionSet result;
    for (const RECT& r : logical.rects()) {
        const POINT corners[4] = {to_device(x, r.left, r.top), to_device(x, r.right, r.bottom),
                                  to_device(x, r.left, r.bottom), to_device(x, r.right, r.top)};
        RECT box{corners[0].x, corners[0].y, corners[0].x, corners[0].y};
        for (const POINT& p : corners) {
            box.left = std::min(box.left, p.x);
            box.top = std::min(box.top, p.y);
            box.right = std::max(box.right, p.x);
            box.bottom = std::max(box.bottom, p.y);
        }
        result.unite(RegionSet(box));
    }
    return result;
}

// Fills as shapes fill: through the ROP2 mix, hatch backgrounds only in OPAQUE mode.
BOOL fill_region(DeviceContext& dc, const Region& region, const Brush& brush) {
    SurfaceLock surface(dc);
    if (!surface.valid()) return TRUE;
    RegionSet area = region_to_device(region.set, dc.xform);
    area.intersect(RegionSet(surface.bounds()));
    if (dc.clip) area.intersect(*dc.clip);
    const std::uint8_t code = rop3_from_rop2(dc.rop2);
    fill_area(dc, surface, area, &brush, code, dc.bk_mode == OPAQUE);
    return TRUE;
}

} // namespace

int WINAPI ExtSelectClipRgn(HDC dc_handle, HRGN region, int mode) {
    GdiGuard guard(gdi_mutex());
    DeviceContext* dc = find<DeviceContext>(dc_handle);
    if (!dc || mode < RGN_AND || mode > RGN_COPY) return ERROR;
    RECT bounds;
    {
        const SurfaceLock surface(*dc);
        bounds = surface.bounds();
    }
    if (!region) {
        if (mode != RGN_COPY) return ERROR;
        dc->clip.reset();
        return RegionSet(bounds).complexity();
    }
    const Region* r = find<Region>(region);
    if (!r) return ERROR;
    // Without a clip region the whole surface is the current clip.
    RegionSet result = dc->clip ? *dc->clip : RegionSet(bounds);
    switch (mode) {
    case RGN_AND: result.intersect(r->set); break;
    case RGN_OR: result.unite(r->set); break;
    case RGN_XOR: result.exclusive_or(r->set); break;
    case RGN_DIFF: result.subtract(r->set); break;
    default: result = r->set; break;
    }
    dc->clip = result;
    return result.complexity();
}

int WINAPI SelectClipRgn(HDC dc, HRGN region) { return ExtSelectClipRgn(dc, region, RGN_COPY); }

int WINAPI GetClipRgn(HDC dc_handle, HRGN region) {
    GdiGuard guard(gdi_mutex());
    const DeviceContext* dc = find<DeviceContext>(dc_handle);
    Region* r = find<Region>(region);
    if (!dc || !r) return -1;
    if (!dc->clip) return 0;
    r->set = *dc->clip;
    return 1;
}

int WINAPI GetClipBox(HDC dc_handle, LPRECT box) {
    GdiGuard guard(gdi_mutex());
    const DeviceContext* dc = find<DeviceContext>(dc_handle);
    if (!dc || !box) return ERROR;
    RegionSet visible;
    {
        const SurfaceLock surface(*dc);
        visible = RegionSet(surface.bounds());
    }
    if (dc->clip) visible.intersect(*dc->clip);
    if (visible.empty()) {
        *box = {0, 0, 0, 0};
        return NULLREGION;
    }
    const RECT device = visible.box();
    XFORM inverse;
    if (!invert(dc->xform, inverse)) inverse = identity_xform;
    const POINT a = to_device(inverse, device.left, device.top), b = to_device(inverse, device.right, device.bottom);
    *box = {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
    return visible.complexity();
}

BOOL WINAPI FillRgn(HDC dc_handle, HRGN region, HBRUSH brush) {
    GdiGuard guard(gdi_mutex());
    DeviceContext* dc = find<DeviceContext>(dc_handle);
    const Region* r = find<Region>(region);
    const Brush* b = find<Brush>(brush);
    if (!dc || !r || !b) return FALSE;
    return fill_region(*dc, *r, *b);
}

BOOL WINAPI PaintRgn(HDC dc_handle, HRGN region) {
    GdiGuard guard(gdi_mutex());
    DeviceContext* dc = find<DeviceContext>(dc_handle);
    const Region* r = find<Region>(region);
    const Brush* b = dc ? find<Brush>(dc->brush) : nullptr;
    if (!dc || !r || !b) return FALSE;
    return fill_region(*dc, *r, *b);
}
