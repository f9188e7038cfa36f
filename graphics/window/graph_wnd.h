// GraphWnd: the graphics window. Its IMAGE part is the window surface; the window itself runs on
// a thread of its own that pumps messages and copies the surface to the screen.
#pragma once

#include <atomic>
#include <cstdio>

#include "fixed_queue.h"
#include "image.h"
#include "mouse_msg.h"

// Flags of open_window.
constexpr int WND_SHOWCONSOLE = 1;
constexpr int WND_NOCLOSE = 2;
constexpr int WND_NOMINIMIZE = 4;

namespace Pellux {

// What open hands to the window thread; valid until the thread signals the event.
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

    HWND open(int width, int height, int flags);
    void close();

    bool console_existed = false;
    HANDLE event = nullptr;
    Collections::FixedQueue<MOUSEMSG> mouse_queue;
    FILE* console_out = nullptr;
    FILE* console_in = nullptr;
    HWND hwnd = nullptr;
    HDC client_dc = nullptr;
    // Written by the drawing thread and read by the window thread without the lock; a stale read
    // only delays or adds one refresh.
    std::atomic<bool> batch_mode{false};
};

} // namespace Pellux
