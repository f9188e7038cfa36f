#include "imaging_access.h"

#include "handle_table.h"
#include "surface_lock.h"
#include "transform.h"

namespace layer::gdi {

bool is_device_context(HDC dc) {
    GdiGuard guard(gdi_mutex());
    return find<DeviceContext>(dc) != nullptr;
}

bool draw_on_dc(HDC dc, const std::function<void(const ImagingSurface&)>& draw) {
    GdiGuard guard(gdi_mutex());
    const DeviceContext* context = find<DeviceContext>(dc);
    if (!context) return false;
    SurfaceLock lock(*context);
    if (!lock.valid()) return false;
    // Outside the advanced graphics mode the platform applies no world transform.
    const XFORM world = context->graphics_mode == GM_ADVANCED ? context->xform : identity_xform;
    const ImagingSurface surface{lock.view(), world, context->clip ? &*context->clip : nullptr};
    draw(surface);
    lock.mark_modified();
    return true;
}

} // namespace layer::gdi
