// What the window tests share: the window object, waiting for the window thread, reading what
// the window shows, and small windows of the test thread's own.
#pragma once

#include <gtest/gtest.h>

#include <functional>

#include "draw_on_wnd.h"
#include "graph_state.h"
#include "graph_wnd.h"
#include "graphics.h"
#include "mouse_input.h"
#include "window_module.h"

namespace window_test {

inline Pellux::GraphWnd& window() { return *graph_state.window; }
inline Pellux::DrawOnWnd& window_device() { return *graph_state.window_device; }

// Polls until done() holds or limit_ms have passed; the result is done() at the end. The limit
// only keeps a broken build from hanging: it is far beyond what any pass needs.
bool wait_until(const std::function<bool()>& done, DWORD limit_ms = 10000);

// A pixel of the window's client area as its device context shows it.
COLORREF client_pixel(HWND hwnd, int x, int y);

// Empties the mouse queue, forgets a pending wait request and drains the window's event.
void reset_mouse_state();

// A small window of the calling thread, of a class of the tests' own with the given procedure.
HWND make_test_window(WNDPROC procedure);

// Every test leaves the window closed and the mouse state empty.
class WindowTest : public testing::Test {
protected:
    void SetUp() override { reset_mouse_state(); }
    void TearDown() override {
        window().batch_mode = false;
        set_target_image(nullptr);
        close_window();
        reset_mouse_state();
    }
};

} // namespace window_test
