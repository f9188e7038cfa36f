// Device contexts over pixels that the window manager owns (a window's backing store, the
// desktop): such a DC draws and copies like a memory DC, but no bitmap can be selected into it.
#pragma once

#include "win32.h"

#include <cstdint>
#include <memory>

namespace layer {

struct ExternalSurface {
    virtual ~ExternalSurface() = default;
    // Pixels 0x00RRGGBB, rows top-down, stride = width. The size may change between locks.
    // Called with the GDI lock held: an implementation must not call GDI itself.
    virtual std::uint32_t* lock(int& width, int& height) = 0;
    // modified: whether the DC wrote to the pixels since lock().
    virtual void unlock(bool modified) = 0;
};

// A new DC (object type OBJ_DC) over the surface; DeleteDC ends it and drops the surface.
HDC create_external_dc(std::shared_ptr<ExternalSurface> surface);

} // namespace layer
