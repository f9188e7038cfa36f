// Drawing contexts over device contexts, and drawing a picture scaled into a rectangle.
#include <new>

#include "../gdi/imaging_access.h"
#include "draw_scaled.h"
#include "flat_api.h"
#include "picture.h"

namespace layer::gdiplus {

Status WINAPI GdipCreateFromHDC(HDC dc, GpGraphics** graphics) {
    if (!graphics) return InvalidParameter;
    // The reference answers a missing device context with OutOfMemory.
    if (!dc || !gdi::is_device_context(dc)) return OutOfMemory;
    auto* canvas = new (std::nothrow) Canvas{dc};
    if (!canvas) return OutOfMemory;
    live_canvases().add(canvas);
    *graphics = canvas;
    return Ok;
}

Status WINAPI GdipDeleteGraphics(GpGraphics* graphics) {
    if (!graphics || !live_canvases().remove(graphics)) return InvalidParameter;
    delete graphics;
    return Ok;
}

Status WINAPI GdipDrawImageRectI(GpGraphics* graphics, GpImage* image, INT x, INT y, INT width, INT height) {
    if (!graphics || !image || !live_canvases().contains(graphics) || !live_pictures().contains(image))
        return InvalidParameter;
    // A device context deleted under the drawing context, or one without pixels, takes nothing.
    gdi::draw_on_dc(graphics->dc, [&](const gdi::ImagingSurface& surface) {
        draw_scaled(image->raster, x, y, width, height, surface);
    });
    return Ok;
}

} // namespace layer::gdiplus
