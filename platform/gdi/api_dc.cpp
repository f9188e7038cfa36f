// Making and ending device contexts.
#include "dc_access.h"
#include "external_surface.h"
#include "handle_table.h"
#include "surface_lock.h"

using namespace layer::gdi;

HDC WINAPI CreateCompatibleDC(HDC reference) {
    GdiGuard guard(gdi_mutex());
    if (reference != nullptr && !find<DeviceContext>(reference)) return nullptr;
    return add_dc(std::make_unique<DeviceContext>());
}

BOOL WINAPI DeleteDC(HDC dc) {
    GdiGuard guard(gdi_mutex());
    if (!find<DeviceContext>(dc)) return FALSE;
    destroy_dc(dc);
    return TRUE;
}

int WINAPI GetDeviceCaps(HDC dc_handle, int index) {
    GdiGuard guard(gdi_mutex());
    const DeviceContext* dc = find<DeviceContext>(dc_handle);
    if (!dc) return 0;
    switch (index) {
    case BITSPIXEL: return 32;
    case PLANES: return 1;
    case NUMCOLORS: return -1;
    case LOGPIXELSX:
    case LOGPIXELSY: return 96;
    case HORZRES:
    case VERTRES: {
        const SurfaceLock surface(*dc);
        return index == HORZRES ? surface.view().width : surface.view().height;
    }
    default: return 0;
    }
}

namespace layer {

HDC create_external_dc(std::shared_ptr<ExternalSurface> surface) {
    if (!surface) return nullptr;
    gdi::GdiGuard guard(gdi::gdi_mutex());
    auto dc = std::make_unique<gdi::DeviceContext>();
    dc->external = std::move(surface);
    return gdi::add_dc(std::move(dc));
}

} // namespace layer
