#include "surface_lock.h"

#include "handle_table.h"

namespace layer::gdi {

SurfaceLock::SurfaceLock(const DeviceContext& dc) { lock(dc); }

void SurfaceLock::lock(const DeviceContext& dc) {
    if (dc.external) {
        int width = 0, height = 0;
        std::uint32_t* pixels = dc.external->lock(width, height);
        external_ = dc.external.get();
        if (pixels != nullptr && width > 0 && height > 0) {
            view_.top = reinterpret_cast<std::uint8_t*>(pixels);
            view_.stride = static_cast<std::ptrdiff_t>(width) * 4;
            view_.width = width;
            view_.height = height;
            view_.layout = PixelLayout::xrgb32;
        }
    } else if (const Bitmap* b = find<Bitmap>(dc.bitmap)) {
        view_ = b->view();
    }
}

SurfaceLock::SurfaceLock(const DeviceContext& dc, const SurfaceLock& other) {
    if (dc.external && other.external_ == dc.external.get())
        view_ = other.view_;
    else
        lock(dc);
}

SurfaceLock::~SurfaceLock() {
    if (external_) external_->unlock(modified_);
}

} // namespace layer::gdi
