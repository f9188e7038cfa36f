// The window records and the handle table. Fields marked "wm" are guarded by wm_mutex().
#pragma once

#include "win32.h"
#include "user/backing_store.h"
#include "user/thread_queue.h"
#include "user/window_class.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace layer::user {

// What the display last showed of a window's client area.
struct Frame {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

struct Window {
    HWND handle = nullptr;
    std::shared_ptr<WindowClass> cls;
    std::shared_ptr<ThreadQueue> owner;
    DWORD thread_id = 0;
    std::shared_ptr<BackingStore> store;
    bool message_only = false;

    // wm
    WNDPROC proc = nullptr;
    DWORD style = 0;
    DWORD ex_style = 0;
    std::u16string title;
    RECT rect{};   // outer rectangle, screen coordinates
    RECT insets{}; // frame thickness on each side, from the style
    bool visible = false;
    LONG_PTR user_data = 0;
    bool has_update = false;
    RECT update{}; // bounding box of the invalid part, client coordinates
    bool destroying = false;
    bool gone = false;

    // Presentation: written by the owner thread, read by the test hooks.
    std::shared_ptr<const Frame> presented; // wm
    std::uint64_t present_count = 0;         // wm

    int client_width() const { return std::max<LONG>(0, rect.right - rect.left - insets.left - insets.right); }
    int client_height() const { return std::max<LONG>(0, rect.bottom - rect.top - insets.top - insets.bottom); }
    POINT client_origin() const { return {rect.left + insets.left, rect.top + insets.top}; }
};

// Handle table. Lookups return null for a handle that never existed or whose window is gone.
std::shared_ptr<Window> find_window(HWND hwnd);
void add_window(const std::shared_ptr<Window>& window);
void remove_window(HWND hwnd);
// The live windows of one thread (or of every thread for thread_id 0).
std::vector<std::shared_ptr<Window>> windows_of(DWORD thread_id);
HWND new_handle();

// Frame thickness of a style, as AdjustWindowRectEx applies it.
RECT frame_insets(DWORD style, DWORD ex_style, bool menu);

// Marks the whole or part of the client area invalid and wakes the owner. wm must not be held.
void invalidate(Window& window, const RECT* rect);

} // namespace layer::user

namespace layer::user {

// Sends a message to a window: directly on its own thread, otherwise queued for its thread
// without waiting (the sender must not block on a thread that may be waiting for it).
void notify(const std::shared_ptr<Window>& window, UINT message, WPARAM wParam, LPARAM lParam);
bool is_owner_thread(const Window& window);

// The window's text: stored, and shown in the display's title bar.
void set_title(const std::shared_ptr<Window>& window, std::u16string title);
// Copies a text into a caller's buffer, truncated and terminated; returns the length copied.
int copy_title(const std::u16string& title, LPWSTR buffer, int capacity);

} // namespace layer::user
