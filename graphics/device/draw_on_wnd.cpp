// The window device's own operations: opening and closing the window, and batch drawing.
#include "draw_on_wnd.h"

#include <cstring>

#include "graph_state.h"
#include "graph_wnd.h"
#include "graphics.h"

namespace Pellux {

DrawOnWnd::~DrawOnWnd() = default;

HWND DrawOnWnd::open_window(int width, int height, int flags) {
    GraphWnd& window = *graph_state.window;
    HWND hwnd = window.open(width, height, flags);
    graph_state.target = &window;
    graph_state.current_device = this;
    reset_defaults();
    {
        // Cleared under the lock: the window thread may be copying the surface to the screen.
        // Negative sizes make no surface; only a real surface is cleared.
        LibraryLock lock;
        DWORD* pixels = window.buffer;
        if (pixels && width > 0 && height > 0 && width <= window.width && height <= window.height)
            std::memset(pixels, 0, static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    }
    flush_batch();
    return hwnd;
}

void DrawOnWnd::close_window() { graph_state.window->close(); }

void DrawOnWnd::begin_batch() { graph_state.window->batch_mode = true; }

void DrawOnWnd::flush_batch_rect(int left, int top, int right, int bottom) {
    LibraryLock lock;
    if (!graph_state.window_dc) return;  // the window is closed: nothing to copy to
    HDC dc = graph_state.target_dc;
    SetWorldTransform(dc, &graph_state.identity_xform);
    BitBlt(graph_state.window_dc, left, top, right - left + 1, bottom - top + 1, dc, left, top, SRCCOPY);
    SetWorldTransform(dc, &graph_state.window->xform);
}

void DrawOnWnd::flush_batch() {
    LibraryLock lock;
    if (!graph_state.window_dc) return;
    GraphWnd& window = *graph_state.window;
    HDC dc = graph_state.target_dc;
    SetWorldTransform(dc, &graph_state.identity_xform);
    BitBlt(graph_state.window_dc, 0, 0, window.width, window.height, dc, 0, 0, SRCCOPY);
    SetWorldTransform(dc, &window.xform);
}

void DrawOnWnd::end_batch_rect(int left, int top, int right, int bottom) {
    flush_batch_rect(left, top, right, bottom);
    graph_state.window->batch_mode = false;
}

void DrawOnWnd::end_batch() {
    flush_batch();
    graph_state.window->batch_mode = false;
}

} // namespace Pellux
