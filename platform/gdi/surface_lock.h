// The pixels a DC draws on, held for the length of one operation: the selected bitmap of a
// memory DC, or the window manager's surface of any other DC.
#pragma once

#include "objects.h"
#include "pixel_view.h"

namespace layer::gdi {

class SurfaceLock {
public:
    explicit SurfaceLock(const DeviceContext& dc);
    // A second DC over the same surface as `other` shares its lock instead of locking again.
    SurfaceLock(const DeviceContext& dc, const SurfaceLock& other);
    ~SurfaceLock();
    SurfaceLock(const SurfaceLock&) = delete;
    SurfaceLock& operator=(const SurfaceLock&) = delete;

    const PixelView& view() const { return view_; }
    bool valid() const { return view_.valid(); }
    void mark_modified() { modified_ = true; }
    // Whether two locks reach the same pixels.
    bool same_pixels(const SurfaceLock& other) const { return valid() && view_.same_pixels(other.view_); }
    // The size of the surface, 0 by 0 when there is none.
    RECT bounds() const { return {0, 0, view_.width, view_.height}; }

private:
    void lock(const DeviceContext& dc);

    ExternalSurface* external_ = nullptr; // locked here and unlocked by the destructor
    PixelView view_;
    bool modified_ = false;
};

} // namespace layer::gdi
