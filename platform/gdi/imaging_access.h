// What the imaging module needs of a device context to draw a picture on it: the pixels it
// draws on, its world transform and its clip region, all held still under the GDI lock.
#pragma once

#include <functional>

#include "pixel_view.h"
#include "region_set.h"
#include "win32.h"

namespace layer::gdi {

struct ImagingSurface {
    const PixelView& pixels;
    XFORM world;            // logical to device coordinates
    const RegionSet* clip;  // device coordinates; null when the whole surface may be drawn
};

// Whether dc names a live device context.
bool is_device_context(HDC dc);

// Runs draw over the DC's surface with the GDI lock held, and reports the pixels changed.
// False when dc is not a live DC or draws on no pixels; draw is not run then.
bool draw_on_dc(HDC dc, const std::function<void(const ImagingSurface&)>& draw);

} // namespace layer::gdi
