// Block transfers in device coordinates: the engine behind BitBlt, StretchBlt, PatBlt and the
// region fills. Callers hold the GDI lock.
#pragma once

#include "objects.h"
#include "region_set.h"
#include "surface_lock.h"

#include <cstdint>

namespace layer::gdi {

// An origin and signed extents: a negative extent covers the pixels from origin + extent + 1
// up to origin.
struct DeviceBox {
    int x;
    int y;
    int width;
    int height;
};

// The device box of a logical rectangle: both corners through the DC's world transform.
DeviceBox to_device_box(const DeviceContext& dc, int x, int y, int width, int height);
RECT normalised(const DeviceBox& box);

// Pixels of a device rectangle that a DC may draw: on its surface and inside its clip region.
RegionSet drawable_area(const DeviceContext& dc, const SurfaceLock& surface, const RECT& rect);

// Combines the brush with the destination over an area by a ROP3 code that uses no source; the
// brush may be null when the code does not use it. Without `hatch_background` a hatched brush
// paints its lines only.
void fill_area(const DeviceContext& dc, SurfaceLock& surface, const RegionSet& area, const Brush* brush,
               std::uint8_t code, bool hatch_background = true);

// The full transfer: destination box, optional source DC and box, ROP3 code. False when the
// code needs a source and there is none.
bool block_transfer(DeviceContext& dest, const DeviceBox& to, const DeviceContext* source, const DeviceBox& from,
                    std::uint8_t code);

} // namespace layer::gdi
