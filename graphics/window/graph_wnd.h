// GraphWnd: the graphics window. Its IMAGE part is the window surface; the window itself runs on
// a thread of its own that pumps messages and copies the surface to the screen.
#pragma once

#include <atomic>
#include <cstdio>
#include <vector>

#include "fixed_queue.h"
#include "image.h"
#include "mouse_msg.h"

// Flags of open_window.
constexpr int WND_SHOWCONSOLE = 1;
constexpr int WND_NOCLOSE = 2;
constexpr int WND_NOMINIMIZE = 4;

namespace Pellux {

// Where and how the window thread makes the window.
struct WindowStartInfo {
    int x;
    int y;
    bool no_close;
    bool no_minimize;
};

class GraphWnd : public IMAGE {
public:
    GraphWnd();
    void reset_defaults() override;
    ~GraphWnd() override;
    void resize(int width, int height) override;

    // Opens the window with a client area of width by height (negative sizes count as 0) and
    // makes it the target. Returns null when no window could be made; the surface still takes the
    // size and becomes the target, so drawing and reading pixels keep working off screen.
    HWND open(int width, int height, int flags);
    // Hides the window (and destroys it when called on the window thread). Releases client_dc,
    // so neither a window thread that keeps running nor a later reset can use it.
    void close();

    bool console_existed = false;
    HANDLE event = nullptr;
    Collections::FixedQueue<MOUSEMSG> mouse_queue;
    FILE* console_out = nullptr;
    FILE* console_in = nullptr;
    // Written by open and close, which may run on the window thread (the close command).
    std::atomic<HWND> hwnd{nullptr};
    // Changed only under the library lock: the window thread's refresh draws on it.
    HDC client_dc = nullptr;
    // Written by the drawing thread and read by the window thread without the lock; a stale read
    // only delays or adds one refresh.
    std::atomic<bool> batch_mode{false};
    // Set when the surface may have changed since the window thread last copied it to the
    // screen (every holder of the library lock sets it, readers excepted), and kept set for good
    // once the pixel buffer has been handed out, since writes to it cannot be seen.
    std::atomic<bool> surface_changed{true};
    std::atomic<bool> buffer_handed_out{false};

private:
    struct WindowThread {
        HANDLE handle;
        DWORD id;
    };
    // Window threads started by open and possibly still running (a close from another thread
    // only hides the window). The destructor stops them before the object goes away.
    std::vector<WindowThread> threads_;
    // Whether the last open allocated the console, so close frees exactly what open made.
    bool console_allocated_ = false;

    void forget_finished_threads();
    void stop_window_threads();
    void open_console(int flags);
    void release_client_dc(HWND window);
};

} // namespace Pellux
