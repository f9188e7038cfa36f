#include "window_thread.h"

#include "graph_state.h"
#include "window_appearance.h"
#include "window_module.h"

namespace Pellux {

namespace {

thread_local bool is_window_thread = false;

constexpr DWORD module_path_length = 260;

HICON extract_own_icon(HINSTANCE instance, const WCHAR* path) {
    HICON icon = ExtractIconW(instance, path, 0);
    // 1 means "not an executable": no icon, not a handle.
    if (icon == reinterpret_cast<HICON>(static_cast<INT_PTR>(1))) return nullptr;
    return icon;
}

void register_window_class(HINSTANCE instance, HICON icon, bool no_close) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = window_class_style(no_close);
    wc.lpfnWndProc = window_proc;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = window_class_name();
    // Fails unnoticed when an earlier window thread registered it: its registration is used.
    RegisterClassExW(&wc);
}

// Makes and shows the window; null when it cannot be made.
HWND create_window(const WindowLaunch& launch, HINSTANCE instance, bool& console_hidden) {
    WCHAR path[module_path_length] = {};
    GetModuleFileNameW(nullptr, path, module_path_length);
    path[module_path_length - 1] = 0;

    HICON icon = extract_own_icon(instance, path);
    register_window_class(instance, icon, launch.start.no_close);

    const WideString title = window_title_from_path(path);
    const DWORD style = window_style(launch.start.no_minimize);
    const SIZE outer = outer_window_size(launch.client_width, launch.client_height, style);
    const int x = launch.start.x == -1 ? CW_USEDEFAULT : launch.start.x;
    const int y = launch.start.y == -1 ? CW_USEDEFAULT : launch.start.y;

    HWND hwnd = CreateWindowExW(0, window_class_name(), title.c_str(), style, x, y, outer.cx, outer.cy, nullptr,
                                nullptr, instance, nullptr);
    if (icon) DestroyIcon(icon);
    if (!hwnd) return nullptr;

    // Placed over the console, the graphics window takes its place and the console is hidden.
    HWND console = console_window.load();
    if (x != CW_USEDEFAULT && console) {
        ShowWindow(console, SW_HIDE);
        console_hidden = true;
    }
    ShowWindow(hwnd, SW_SHOW);
    return hwnd;
}

// Reports the outcome to open. False when open has given up waiting: the window is not wanted.
bool report(WindowLaunch& launch, WindowLaunch::State outcome, HWND hwnd) {
    launch.hwnd = hwnd;
    auto expected = WindowLaunch::State::waiting;
    const bool taken = launch.state.compare_exchange_strong(expected, outcome);
    SetEvent(launch.event);
    return taken;
}

void run_message_loop(HWND own_window) {
    MSG msg{};
    DWORD last = GetTickCount();
    bool winding_down = false;
    for (;;) {
        if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) return;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
            continue;
        }
        GraphWnd* window = window_object.load();
        if (!window) {
            // The window object is gone (library teardown): end this thread without touching it.
            if (!winding_down) {
                winding_down = true;
                if (IsWindow(own_window)) destroy_window_quietly(own_window);
                PostQuitMessage(0);
            }
            continue;
        }
        if (!window->batch_mode) {
            const DWORD now = GetTickCount();
            if (refresh_due(now, last)) {
                last = now;
                refresh_window(*window);
                continue;
            }
        }
        Sleep(1);
    }
}

DWORD WINAPI window_thread(LPVOID parameter) {
    is_window_thread = true;
    std::shared_ptr<WindowLaunch> launch;
    {
        auto* handed = static_cast<std::shared_ptr<WindowLaunch>*>(parameter);
        launch = std::move(*handed);
        delete handed;
    }
    HINSTANCE instance = GetModuleHandleW(nullptr);
    bool console_hidden = false;
    HWND hwnd = create_window(*launch, instance, console_hidden);
    if (!hwnd) {
        report(*launch, WindowLaunch::State::failed, nullptr);
        UnregisterClassW(window_class_name(), instance);
        return 0;
    }
    if (!report(*launch, WindowLaunch::State::ready, hwnd)) {
        // open gave up before the window existed: take it down again, console included.
        ShowWindow(hwnd, SW_HIDE);
        if (HWND console = console_window.load(); console_hidden && console) ShowWindow(console, SW_SHOW);
        destroy_window_quietly(hwnd);
        UnregisterClassW(window_class_name(), instance);
        return 0;
    }
    launch.reset();
    run_message_loop(hwnd);
    UnregisterClassW(window_class_name(), instance);
    return 0;
}

} // namespace

HANDLE start_window_thread(const std::shared_ptr<WindowLaunch>& launch, DWORD* thread_id) {
    auto* handed = new std::shared_ptr<WindowLaunch>(launch);
    HANDLE thread = CreateThread(nullptr, 0, window_thread, handed, 0, thread_id);
    if (!thread) delete handed;
    return thread;
}

void refresh_window(GraphWnd& window) {
    ReadingLock lock;
    if (window_object.load() != &window || !window.client_dc) return;
    // An unchanged surface is on the screen already.
    if (!window.surface_changed.exchange(false, std::memory_order_relaxed) &&
        !window.buffer_handed_out.load(std::memory_order_relaxed))
        return;
    SetWorldTransform(window.dc, &graph_state.identity_xform);
    BitBlt(window.client_dc, 0, 0, window.width, window.height, window.dc, 0, 0, SRCCOPY);
    SetWorldTransform(window.dc, &window.xform);
}

bool on_window_thread() { return is_window_thread; }

} // namespace Pellux
