// The handle table of windows, frame arithmetic and invalidation.
#include "user/window.h"

#include "user/wm_lock.h"

#include <unordered_map>

namespace layer::user {
namespace {

std::unordered_map<HWND, std::shared_ptr<Window>>& table() {
    static auto* t = new std::unordered_map<HWND, std::shared_ptr<Window>>();
    return *t;
}

} // namespace

HWND new_handle() {
    // Even values from 0x10010 up, never reused, so a stale handle never finds a new window.
    static std::uintptr_t next = 0x10010;
    std::lock_guard lock(wm_mutex());
    next += 2;
    return reinterpret_cast<HWND>(next);
}

std::shared_ptr<Window> find_window(HWND hwnd) {
    if (hwnd == nullptr) return nullptr;
    std::lock_guard lock(wm_mutex());
    auto it = table().find(hwnd);
    return it == table().end() ? nullptr : it->second;
}

void add_window(const std::shared_ptr<Window>& window) {
    std::lock_guard lock(wm_mutex());
    table()[window->handle] = window;
}

void remove_window(HWND hwnd) {
    std::lock_guard lock(wm_mutex());
    table().erase(hwnd);
}

std::vector<std::shared_ptr<Window>> windows_of(DWORD thread_id) {
    std::vector<std::shared_ptr<Window>> list;
    std::lock_guard lock(wm_mutex());
    for (const auto& [handle, window] : table())
        if (thread_id == 0 || window->thread_id == thread_id) list.push_back(window);
    // Creation order, so that the oldest window is found first.
    std::sort(list.begin(), list.end(), [](const auto& a, const auto& b) {
        return reinterpret_cast<std::uintptr_t>(a->handle) < reinterpret_cast<std::uintptr_t>(b->handle);
    });
    return list;
}

void invalidate(Window& window, const RECT* rect) {
    {
        std::lock_guard lock(wm_mutex());
        if (window.gone) return;
        RECT r{0, 0, window.client_width(), window.client_height()};
        if (rect != nullptr) {
            r.left = std::max(r.left, rect->left);
            r.top = std::max(r.top, rect->top);
            r.right = std::min(r.right, rect->right);
            r.bottom = std::min(r.bottom, rect->bottom);
        }
        if (r.right <= r.left || r.bottom <= r.top) return;
        if (window.has_update) {
            window.update.left = std::min(window.update.left, r.left);
            window.update.top = std::min(window.update.top, r.top);
            window.update.right = std::max(window.update.right, r.right);
            window.update.bottom = std::max(window.update.bottom, r.bottom);
        } else {
            window.update = r;
            window.has_update = true;
        }
    }
    window.owner->wake();
}

} // namespace layer::user
