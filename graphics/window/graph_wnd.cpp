#include "graph_wnd.h"

#include <algorithm>

#include "draw_on_wnd.h"
#include "graph_state.h"
#include "graphics.h"
#include "window_appearance.h"
#include "window_module.h"
#include "window_thread.h"

namespace Pellux {

namespace {

// open gives up on a window thread that neither makes its window nor ends within this time.
constexpr DWORD open_time_limit_ms = 10000;
// How often open looks at the window thread while it waits for the window.
constexpr DWORD open_poll_ms = 20;
// How long the destructor waits for each window thread to wind down.
constexpr DWORD thread_stop_limit_ms = 2000;

template <typename Handle>
void select_and_delete(HDC dc, Handle object) {
    DeleteObject(SelectObject(dc, object));
}

// Waits until the window thread has reported on its window, has ended, or has taken too long.
// Returns the window, or null when there is none (the thread is then told it is not wanted).
HWND wait_for_window(WindowLaunch& launch, HANDLE thread) {
    const DWORD started = GetTickCount();
    for (;;) {
        // The event is only a hint: it is shared with the mouse wait, so the state decides.
        const bool woken = WaitForSingleObject(launch.event, open_poll_ms) == WAIT_OBJECT_0;
        const auto state = launch.state.load();
        if (state == WindowLaunch::State::ready || state == WindowLaunch::State::failed) {
            // The thread signals right after it reports: take that signal too, or it would
            // release a later wait for mouse input at once.
            if (!woken) WaitForSingleObject(launch.event, open_poll_ms);
            return state == WindowLaunch::State::ready ? launch.hwnd.load() : nullptr;
        }
        const bool thread_ended = WaitForSingleObject(thread, 0) == WAIT_OBJECT_0;
        if (thread_ended || GetTickCount() - started > open_time_limit_ms) {
            auto expected = WindowLaunch::State::waiting;
            if (launch.state.compare_exchange_strong(expected, WindowLaunch::State::abandoned)) return nullptr;
            // The thread reported just now: take its answer.
            if (expected == WindowLaunch::State::ready) return launch.hwnd.load();
            return nullptr;
        }
    }
}

} // namespace

GraphWnd::GraphWnd() : IMAGE(0, 0) {
    window_object = this;
    event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
}

GraphWnd::~GraphWnd() {
    close();
    stop_window_threads();
    if (event) CloseHandle(event);
}

void GraphWnd::stop_window_threads() {
    {
        // A refresh in progress finishes first; later ones find no window object.
        LibraryLock lock;
        window_object = nullptr;
    }
    const DWORD self = GetCurrentThreadId();
    for (const WindowThread& thread : threads_) {
        // When the program ends from the window thread (its close command), the teardown runs on
        // that thread: it cannot wait for itself.
        if (thread.id != self) WaitForSingleObject(thread.handle, thread_stop_limit_ms);
        CloseHandle(thread.handle);
    }
    threads_.clear();
}

void GraphWnd::forget_finished_threads() {
    std::erase_if(threads_, [](const WindowThread& thread) {
        if (WaitForSingleObject(thread.handle, 0) != WAIT_OBJECT_0) return false;
        CloseHandle(thread.handle);
        return true;
    });
}

void GraphWnd::open_console(int flags) {
    HWND console = GetConsoleWindow();
    console_existed = console != nullptr;
    console_allocated_ = false;
    if (!console_existed && (flags & WND_SHOWCONSOLE)) {
        console_allocated_ = AllocConsole() != FALSE;
        console = GetConsoleWindow();
        // Only a console that really came with a window takes the standard streams over; a
        // process that has a console without a window (a terminal) keeps its streams.
        if (console_allocated_ && console) {
            _wfreopen_s(&console_out, wide(u"CONOUT$"), wide(u"w+t"), stdout);
            _wfreopen_s(&console_in, wide(u"CONIN$"), wide(u"r+t"), stdin);
        }
    }
    console_window = console;
    // Ctrl+C must not end the program while the window is up.
    if (console) SetConsoleCtrlHandler(nullptr, TRUE);
}

HWND GraphWnd::open(int width, int height, int flags) {
    if (hwnd.load()) {
        close_window();
        hwnd = nullptr;
    }
    width = std::max(width, 0);
    height = std::max(height, 0);
    forget_finished_threads();
    open_console(flags);

    auto launch = std::make_shared<WindowLaunch>();
    launch->start.x = -1;
    launch->start.y = -1;
    HWND console = console_window.load();
    if (console_existed && console && !(flags & WND_SHOWCONSOLE)) {
        RECT rect{};
        if (GetWindowRect(console, &rect)) {
            launch->start.x = std::max<LONG>(rect.left, 0);
            launch->start.y = std::max<LONG>(rect.top, 0);
        }
    }
    launch->start.no_close = (flags & WND_NOCLOSE) != 0;
    launch->start.no_minimize = (flags & WND_NOMINIMIZE) != 0;
    launch->client_width = width;
    launch->client_height = height;
    launch->event = event;

    HWND made = nullptr;
    DWORD thread_id = 0;
    if (HANDLE thread = start_window_thread(launch, &thread_id)) {
        threads_.push_back({thread, thread_id});
        made = wait_for_window(*launch, thread);
    }
    hwnd = made;
    {
        LibraryLock lock;
        // Without a window there is no client DC to take: GetDC of null would be the screen.
        if (made) client_dc = GetDC(made);
        IMAGE::resize(width, height);
    }
    set_target_image(nullptr);
    return made;
}

void GraphWnd::release_client_dc(HWND window) {
    HDC dc = nullptr;
    {
        // Under the lock, so that the window thread's refresh never draws on a released DC.
        LibraryLock lock;
        dc = client_dc;
        client_dc = nullptr;
        graph_state.window_dc = nullptr;
        if (dc) {
            // The objects of reset_defaults are ours to delete; the DC itself goes back.
            select_and_delete(dc, GetStockObject(WHITE_PEN));
            select_and_delete(dc, GetStockObject(WHITE_BRUSH));
            select_and_delete(dc, GetStockObject(SYSTEM_FONT));
        }
    }
    if (dc) ReleaseDC(window, dc);
}

void GraphWnd::close() {
    // Cleared first: a close reached again while this one destroys the window (the teardown at
    // the end of the program, run from WM_DESTROY) then finds nothing left to do.
    HWND window = hwnd.exchange(nullptr);
    if (!window) return;
    release_client_dc(window);

    RECT last_place{};
    bool console_was_hidden = false;
    HWND console = console_window.load();
    if (console_existed) {
        if (console && !IsWindowVisible(console)) {
            console_was_hidden = GetWindowRect(window, &last_place) != FALSE;
        }
    } else if (console_allocated_) {
        // The console open made goes away; the standard streams must not point at it any more.
        FILE* ignored = nullptr;
        if (console_out) _wfreopen_s(&ignored, wide(u"NUL"), wide(u"w"), console_out);
        if (console_in) _wfreopen_s(&ignored, wide(u"NUL"), wide(u"r"), console_in);
        console_out = console_in = nullptr;
        FreeConsole();
        console_allocated_ = false;
        console_window = nullptr;
    }

    ShowWindow(window, SW_HIDE);
    // Destroys the window only on the window thread; from any other thread it stays hidden.
    DestroyWindow(window);

    if (console_was_hidden && !IsWindowVisible(console)) {
        SetWindowPos(console, HWND_TOP, last_place.left, last_place.top, -1, -1, SWP_NOSIZE);
        ShowWindow(console, SW_SHOW);
    }
}

void GraphWnd::resize(int width, int height) {
    {
        // The window thread's refresh reads the size and the surface under the lock.
        LibraryLock lock;
        IMAGE::resize(width, height);
    }
    HWND window = hwnd.load();
    // No window (or a size the surface refused): only the surface is concerned.
    if (!window || this->width != width || this->height != height) return;

    const SIZE outer = outer_window_size(width, height, WS_CAPTION | WS_SYSMENU);
    RECT old{};
    const bool measured = GetWindowRect(window, &old) != FALSE;
    SetWindowPos(window, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER);
    if (!measured) return;
    const bool grew = width > old.right - old.left + 1 || height > old.bottom - old.top + 1;
    // Only the window device can copy the surface to the screen.
    if (grew && graph_state.current_device == graph_state.window_device.get()) flush_batch();
}

void GraphWnd::reset_defaults() {
    // The window thread's refresh reads the transform and draws on client_dc: both change under
    // the lock.
    LibraryLock lock;
    IMAGE::reset_defaults();
    if (client_dc) apply_default_state(client_dc);
}

} // namespace Pellux
