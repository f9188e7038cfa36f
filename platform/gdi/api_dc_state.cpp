// The drawing state of a device context: modes, colours, world transform, positions.
#include "handle_table.h"
#include "transform.h"

using namespace layer::gdi;

namespace {

DeviceContext* dc_of(HDC dc) { return find<DeviceContext>(dc); }

// Sets an int mode within [low, high] and gives the previous one; 0 for a bad DC or value.
int set_mode(HDC handle, int DeviceContext::*field, int value, int low, int high) {
    GdiGuard guard(gdi_mutex());
    DeviceContext* dc = dc_of(handle);
    if (!dc || value < low || value > high) return 0;
    const int old = dc->*field;
    dc->*field = value;
    return old;
}

int get_mode(HDC handle, int DeviceContext::*field) {
    GdiGuard guard(gdi_mutex());
    const DeviceContext* dc = dc_of(handle);
    return dc ? dc->*field : 0;
}

COLORREF set_color(HDC handle, COLORREF DeviceContext::*field, COLORREF value) {
    GdiGuard guard(gdi_mutex());
    DeviceContext* dc = dc_of(handle);
    if (!dc) return CLR_INVALID;
    const COLORREF old = dc->*field;
    dc->*field = value;
    return old;
}

COLORREF get_color(HDC handle, COLORREF DeviceContext::*field, COLORREF invalid) {
    GdiGuard guard(gdi_mutex());
    const DeviceContext* dc = dc_of(handle);
    return dc ? dc->*field : invalid;
}

} // namespace

// The transform is kept when the mode goes back to GM_COMPATIBLE, and still applies, as on the
// reference platform.
int WINAPI SetGraphicsMode(HDC dc, int mode) {
    return set_mode(dc, &DeviceContext::graphics_mode, mode, GM_COMPATIBLE, GM_ADVANCED);
}
int WINAPI GetGraphicsMode(HDC dc) { return get_mode(dc, &DeviceContext::graphics_mode); }

BOOL WINAPI SetWorldTransform(HDC handle, const XFORM* xform) {
    GdiGuard guard(gdi_mutex());
    DeviceContext* dc = dc_of(handle);
    if (!dc || !xform || dc->graphics_mode != GM_ADVANCED || !invertible(*xform)) return FALSE;
    dc->xform = *xform;
    return TRUE;
}

BOOL WINAPI GetWorldTransform(HDC handle, LPXFORM xform) {
    GdiGuard guard(gdi_mutex());
    const DeviceContext* dc = dc_of(handle);
    if (!dc || !xform) return FALSE;
    *xform = dc->xform;
    return TRUE;
}

BOOL WINAPI ModifyWorldTransform(HDC handle, const XFORM* xform, DWORD mode) {
    GdiGuard guard(gdi_mutex());
    DeviceContext* dc = dc_of(handle);
    if (!dc) return FALSE;
    if (mode == MWT_IDENTITY) {
        dc->xform = identity_xform;
        return TRUE;
    }
    if (!xform || dc->graphics_mode != GM_ADVANCED) return FALSE;
    XFORM result;
    if (mode == MWT_LEFTMULTIPLY)
        result = combine(*xform, dc->xform);
    else if (mode == MWT_RIGHTMULTIPLY)
        result = combine(dc->xform, *xform);
    else
        return FALSE;
    if (!invertible(result)) return FALSE;
    dc->xform = result;
    return TRUE;
}

BOOL WINAPI LPtoDP(HDC handle, LPPOINT points, int count) {
    GdiGuard guard(gdi_mutex());
    const DeviceContext* dc = dc_of(handle);
    if (!dc || (!points && count > 0)) return FALSE;
    for (int i = 0; i < count; ++i) points[i] = to_device(dc->xform, points[i].x, points[i].y);
    return TRUE;
}

BOOL WINAPI DPtoLP(HDC handle, LPPOINT points, int count) {
    GdiGuard guard(gdi_mutex());
    const DeviceContext* dc = dc_of(handle);
    XFORM inverse;
    if (!dc || (!points && count > 0) || !invert(dc->xform, inverse)) return FALSE;
    for (int i = 0; i < count; ++i) points[i] = to_device(inverse, points[i].x, points[i].y);
    return TRUE;
}

int WINAPI SetBkMode(HDC dc, int mode) { return set_mode(dc, &DeviceContext::bk_mode, mode, TRANSPARENT, OPAQUE); }
int WINAPI GetBkMode(HDC dc) { return get_mode(dc, &DeviceContext::bk_mode); }
COLORREF WINAPI SetBkColor(HDC dc, COLORREF color) { return set_color(dc, &DeviceContext::bk_color, color); }
COLORREF WINAPI GetBkColor(HDC dc) { return get_color(dc, &DeviceContext::bk_color, CLR_INVALID); }
COLORREF WINAPI SetTextColor(HDC dc, COLORREF color) { return set_color(dc, &DeviceContext::text_color, color); }
// A bad DC reads as black text, as on the reference platform.
COLORREF WINAPI GetTextColor(HDC dc) { return get_color(dc, &DeviceContext::text_color, 0); }
int WINAPI SetROP2(HDC dc, int rop2) { return set_mode(dc, &DeviceContext::rop2, rop2, R2_BLACK, R2_WHITE); }
int WINAPI GetROP2(HDC dc) { return get_mode(dc, &DeviceContext::rop2); }
int WINAPI SetPolyFillMode(HDC dc, int mode) {
    return set_mode(dc, &DeviceContext::poly_fill_mode, mode, ALTERNATE, WINDING);
}
int WINAPI GetPolyFillMode(HDC dc) { return get_mode(dc, &DeviceContext::poly_fill_mode); }
int WINAPI SetStretchBltMode(HDC dc, int mode) {
    return set_mode(dc, &DeviceContext::stretch_mode, mode, BLACKONWHITE, HALFTONE);
}
int WINAPI GetStretchBltMode(HDC dc) { return get_mode(dc, &DeviceContext::stretch_mode); }

BOOL WINAPI MoveToEx(HDC handle, int x, int y, LPPOINT previous) {
    GdiGuard guard(gdi_mutex());
    DeviceContext* dc = dc_of(handle);
    if (!dc) return FALSE;
    if (previous) *previous = dc->position;
    dc->position = {x, y};
    return TRUE;
}

BOOL WINAPI GetCurrentPositionEx(HDC handle, LPPOINT position) {
    GdiGuard guard(gdi_mutex());
    const DeviceContext* dc = dc_of(handle);
    if (!dc || !position) return FALSE;
    *position = dc->position;
    return TRUE;
}

BOOL WINAPI SetBrushOrgEx(HDC handle, int x, int y, LPPOINT previous) {
    GdiGuard guard(gdi_mutex());
    DeviceContext* dc = dc_of(handle);
    if (!dc) return FALSE;
    if (previous) *previous = dc->brush_origin;
    dc->brush_origin = {x, y};
    return TRUE;
}

BOOL WINAPI GetBrushOrgEx(HDC handle, LPPOINT origin) {
    GdiGuard guard(gdi_mutex());
    const DeviceContext* dc = dc_of(handle);
    if (!dc || !origin) return FALSE;
    *origin = dc->brush_origin;
    return TRUE;
}
