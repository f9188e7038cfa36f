// Single pixels, addressed in logical coordinates through the world transform.
#include "color.h"
#include "dc_access.h"
#include "handle_table.h"
#include "surface_lock.h"
#include "transform.h"

using namespace layer::gdi;

namespace {

bool on_surface(const PixelView& v, const POINT& p) { return p.x >= 0 && p.y >= 0 && p.x < v.width && p.y < v.height; }

// Sets a pixel and gives the colour the surface took, CLR_INVALID for a bad DC. A point off the
// surface or outside the clip region is not drawn but still succeeds, as on the reference platform.
COLORREF put_pixel(HDC handle, int x, int y, COLORREF color) {
    GdiGuard guard(gdi_mutex());
    DeviceContext* dc = find<DeviceContext>(handle);
    if (!dc) return CLR_INVALID;
    SurfaceLock surface(*dc);
    const PixelView& v = surface.view();
    const COLORREF rgb = resolve_color(color, dc_palette_entries(*dc));
    if (!surface.valid()) return rgb;
    const std::uint32_t value = v.from_rgb(swap_red_blue(rgb));
    const POINT p = to_device(dc->xform, x, y);
    if (on_surface(v, p) && (!dc->clip || dc->clip->contains(p.x, p.y))) {
        v.set(p.x, p.y, value);
        surface.mark_modified();
    }
    return swap_red_blue(v.to_rgb(value));
}

} // namespace

COLORREF WINAPI SetPixel(HDC dc, int x, int y, COLORREF color) { return put_pixel(dc, x, y, color); }

BOOL WINAPI SetPixelV(HDC dc, int x, int y, COLORREF color) { return put_pixel(dc, x, y, color) != CLR_INVALID; }

// A point outside the clip region reads as CLR_INVALID, as the platform documents it (Wine, which
// runs our Windows builds, reads through the clip region instead).
COLORREF WINAPI GetPixel(HDC handle, int x, int y) {
    GdiGuard guard(gdi_mutex());
    const DeviceContext* dc = find<DeviceContext>(handle);
    if (!dc) return CLR_INVALID;
    const SurfaceLock surface(*dc);
    const PixelView& v = surface.view();
    const POINT p = to_device(dc->xform, x, y);
    if (!surface.valid() || !on_surface(v, p)) return CLR_INVALID;
    if (dc->clip && !dc->clip->contains(p.x, p.y)) return CLR_INVALID;
    return swap_red_blue(v.to_rgb(v.get(p.x, p.y)));
}
