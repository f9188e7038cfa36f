#include <cstdlib>

#include "graph_wnd.h"
#include "mouse_msg.h"
#include "window_module.h"

namespace Pellux {

std::atomic<GraphWnd*> window_object{nullptr};
std::atomic<HWND> console_window{nullptr};
std::atomic<bool> mouse_waiting{false};

namespace {

thread_local bool destroying_quietly = false;

constexpr UINT first_mouse_message = WM_MOUSEMOVE;
constexpr UINT last_mouse_message = WM_MOUSEWHEEL;

// Coordinates in lParam are signed 16-bit: left of or above the primary screen they are negative.
constexpr int low_signed(LPARAM value) { return static_cast<std::int16_t>(LOWORD(static_cast<DWORD_PTR>(value))); }
constexpr int high_signed(LPARAM value) { return static_cast<std::int16_t>(HIWORD(static_cast<DWORD_PTR>(value))); }

MOUSEMSG make_mouse_record(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const WORD keys = LOWORD(wParam);
    MOUSEMSG record{};
    record.message = message;
    record.ctrl = (keys & MK_CONTROL) != 0;
    record.shift = (keys & MK_SHIFT) != 0;
    record.left_button = (keys & MK_LBUTTON) != 0;
    record.middle_button = (keys & MK_MBUTTON) != 0;
    record.right_button = (keys & MK_RBUTTON) != 0;
    record.wheel = static_cast<std::int16_t>(HIWORD(wParam));
    POINT point{low_signed(lParam), high_signed(lParam)};
    // The wheel message carries screen coordinates, the others client coordinates.
    if (message == WM_MOUSEWHEEL) ScreenToClient(hwnd, &point);
    record.x = static_cast<std::int16_t>(point.x);
    record.y = static_cast<std::int16_t>(point.y);
    return record;
}

void handle_mouse_message(GraphWnd& window, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!window.mouse_queue.is_full()) window.mouse_queue.push(make_mouse_record(hwnd, message, wParam, lParam));
    // A dropped message still releases a waiting thread.
    if (mouse_waiting.exchange(false)) SetEvent(window.event);
}

LRESULT handle_destroy() {
    PostQuitMessage(0);
    // The library took the window down itself (teardown, an abandoned open): only the thread ends.
    if (destroying_quietly || !window_object.load()) return 0;
    if (HWND console = console_window.load()) {
        SendMessageW(console, WM_CLOSE, 0, 0);
        return 0;
    }
    std::exit(0);
}

} // namespace

void destroy_window_quietly(HWND hwnd) {
    const bool outer = destroying_quietly;
    destroying_quietly = true;
    DestroyWindow(hwnd);
    destroying_quietly = outer;
}

LRESULT CALLBACK window_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    GraphWnd* window = window_object.load();
    switch (message) {
    case WM_DESTROY:
        return handle_destroy();
    case WM_PAINT:
        // The content comes from the window thread's refresh.
        ValidateRect(hwnd, nullptr);
        return 0;
    case WM_CLOSE:
        // Only the current window closes the object's window; an earlier one, hidden by a second
        // open, has nothing left to close.
        if (window && window->hwnd.load() == hwnd) window->close();
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
        // Keystrokes go on to the console, except Ctrl+Break.
        if (HWND console = console_window.load(); console && wParam != VK_CANCEL)
            PostMessageW(console, message, wParam, lParam);
        return 0;
    case MOUSE_WAIT_REQUEST:
        mouse_waiting = true;
        return 0;
    default:
        break;
    }
    if (message >= first_mouse_message && message <= last_mouse_message) {
        if (window) handle_mouse_message(*window, hwnd, message, wParam, lParam);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace Pellux
