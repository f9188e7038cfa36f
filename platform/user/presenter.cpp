#include "user/presenter.h"

#include "user/display.h"
#include "user/window.h"
#include "user/wm_lock.h"

#include <atomic>

namespace layer::user {
namespace {

std::atomic<bool>& frames_kept() {
    static auto* kept = new std::atomic<bool>(false);
    return *kept;
}

} // namespace

void keep_frames(bool keep) { frames_kept() = keep; }

void present_dirty_windows(DWORD thread_id) {
    for (const auto& window : windows_of(thread_id)) {
        {
            std::lock_guard lock(wm_mutex());
            if (!window->visible || window->destroying || window->message_only) continue;
        }
        if (!window->store->take_dirty()) continue;
        if (display().is_headless() && !frames_kept()) {
            // A copy of a large store every refresh would cost the drawing thread its time.
            std::lock_guard lock(wm_mutex());
            ++window->present_count;
            continue;
        }
        auto frame = std::make_shared<Frame>();
        frame->pixels = window->store->snapshot(frame->width, frame->height);
        std::shared_ptr<const Frame> shown = frame;
        {
            std::lock_guard lock(wm_mutex());
            window->presented = shown;
            ++window->present_count;
        }
        display().present(window->handle, std::move(shown));
    }
}

} // namespace layer::user
