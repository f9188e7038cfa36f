#include "user/backing_store.h"

#include <algorithm>

namespace layer::user {

BackingStore::BackingStore(int width, int height)
    : width_(std::max(0, width)), height_(std::max(0, height)),
      pixels_(static_cast<std::size_t>(width_) * height_, 0) {}

std::uint32_t* BackingStore::lock(int& width, int& height) {
    mutex_.lock();
    width = width_;
    height = height_;
    return pixels_.data();
}

void BackingStore::unlock(bool modified) {
    mutex_.unlock();
    if (modified) {
        dirty_ = true;
        if (on_modified_) on_modified_();
    }
}

void BackingStore::resize(int width, int height) {
    width = std::max(0, width);
    height = std::max(0, height);
    std::lock_guard lock(mutex_);
    if (width == width_ && height == height_) return;
    std::vector<std::uint32_t> resized(static_cast<std::size_t>(width) * height, 0);
    const int keep_w = std::min(width, width_);
    const int keep_h = std::min(height, height_);
    for (int y = 0; y < keep_h; ++y)
        std::copy_n(pixels_.begin() + static_cast<std::ptrdiff_t>(y) * width_, keep_w,
                    resized.begin() + static_cast<std::ptrdiff_t>(y) * width);
    pixels_.swap(resized);
    width_ = width;
    height_ = height;
    dirty_ = true;
}

std::vector<std::uint32_t> BackingStore::snapshot(int& width, int& height) {
    std::lock_guard lock(mutex_);
    width = width_;
    height = height_;
    return pixels_;
}

} // namespace layer::user
