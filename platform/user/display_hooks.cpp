#include "layer/display.h"

#include "user/display.h"
#include "user/input.h"
#include "user/presenter.h"
#include "user/window.h"
#include "user/wm_lock.h"

namespace layer {
namespace {

WindowPixels from_frame(const std::shared_ptr<const user::Frame>& frame) {
    WindowPixels out;
    if (frame) {
        out.width = frame->width;
        out.height = frame->height;
        out.pixels = frame->pixels;
    }
    return out;
}

} // namespace

DisplayBackend display_backend() {
    return user::display().is_headless() ? DisplayBackend::headless : DisplayBackend::sdl;
}

void keep_presented_frames(bool keep) { user::keep_frames(keep); }

WindowPixels backing_store_pixels(HWND hwnd) {
    WindowPixels out;
    if (auto window = user::find_window(hwnd)) out.pixels = window->store->snapshot(out.width, out.height);
    return out;
}

WindowPixels presented_pixels(HWND hwnd) {
    auto window = user::find_window(hwnd);
    if (!window) return {};
    std::shared_ptr<const user::Frame> frame;
    {
        std::lock_guard lock(user::wm_mutex());
        frame = window->presented;
    }
    return from_frame(frame);
}

WindowPixels displayed_pixels(HWND hwnd) {
    if (!user::find_window(hwnd)) return {};
    return from_frame(user::display().read_back(hwnd));
}

std::uint64_t present_count(HWND hwnd) {
    auto window = user::find_window(hwnd);
    if (!window) return 0;
    std::lock_guard lock(user::wm_mutex());
    return window->present_count;
}

bool inject_mouse_move(HWND hwnd, int x, int y, WPARAM keys) {
    return user::deliver_mouse_move(hwnd, POINT{x, y}, keys);
}

bool inject_mouse_button(HWND hwnd, MouseButton button, bool down, int x, int y, WPARAM keys, int clicks) {
    return user::deliver_mouse_button(hwnd, static_cast<user::MouseButton>(button), down, clicks, POINT{x, y}, keys);
}

bool inject_mouse_wheel(HWND hwnd, int x, int y, int delta, WPARAM keys) {
    return user::deliver_mouse_wheel(hwnd, POINT{x, y}, delta, keys);
}

bool inject_key(HWND hwnd, UINT virtual_key, bool down, bool repeat) {
    return user::deliver_key(hwnd, virtual_key, down, repeat, 0);
}

bool inject_close(HWND hwnd) { return user::deliver_close(hwnd); }

} // namespace layer
