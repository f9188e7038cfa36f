// A window's client area in memory: pixels 0x00RRGGBB, rows top-down, the size of the client
// area. GDI draws into it through an external-surface DC from any thread; a drawing marks it
// dirty and wakes the owner thread, which alone presents it to the display.
#pragma once

#include "gdi/external_surface.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

namespace layer::user {

class BackingStore final : public ExternalSurface {
public:
    BackingStore(int width, int height);

    std::uint32_t* lock(int& width, int& height) override;
    void unlock(bool modified) override;

    // New size; the overlapping part keeps its pixels, new parts are black.
    void resize(int width, int height);
    // A copy of the pixels and their size.
    std::vector<std::uint32_t> snapshot(int& width, int& height);
    // Clears the dirty flag and reports whether it was set.
    bool take_dirty() { return dirty_.exchange(false); }
    void mark_dirty() { dirty_ = true; }
    // Called after a modifying unlock (the owner thread's wake-up). Set once, before any DC exists.
    void on_modified(std::function<void()> callback) { on_modified_ = std::move(callback); }

private:
    std::recursive_mutex mutex_; // held from lock() to unlock(); GDI may nest two DCs on one store
    int width_;
    int height_;
    std::vector<std::uint32_t> pixels_;
    std::atomic<bool> dirty_{false};
    std::function<void()> on_modified_;
};

} // namespace layer::user
