// CreateWindowExW, DestroyWindow, ShowWindow and the queries of a window's existence.
#include "user/display.h"
#include "user/icons.h"
#include "user/text.h"
#include "user/window.h"
#include "user/wm_lock.h"

namespace layer::user {

bool is_owner_thread(const Window& window) { return window.thread_id == GetCurrentThreadId(); }

void notify(const std::shared_ptr<Window>& window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (is_owner_thread(*window)) {
        call_window(window->handle, message, wParam, lParam);
        return;
    }
    auto sent = std::make_shared<SentMessage>();
    sent->hwnd = window->handle;
    sent->message = message;
    sent->wParam = wParam;
    sent->lParam = lParam;
    window->owner->deliver(std::move(sent));
}

} // namespace layer::user

using namespace layer::user;

namespace {

// Windows with the default position cascade down from the top-left corner of the screen.
POINT next_default_position() {
    static int count = 0;
    std::lock_guard lock(wm_mutex());
    const int step = 26 * (count++ % 8);
    return POINT{26 + step, 26 + step};
}

LPARAM point_lparam(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(static_cast<SHORT>(x)), static_cast<WORD>(static_cast<SHORT>(y)));
}

// Takes a window out of the table after its last message.
void retire_window(const std::shared_ptr<Window>& window) {
    {
        std::lock_guard lock(wm_mutex());
        window->gone = true;
        window->visible = false;
        --window->cls->window_count;
    }
    remove_window(window->handle);
    display().destroy(window->handle);
    window->owner->purge(window->handle);
}

} // namespace

HWND WINAPI CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                            int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
    auto cls = find_class(className);
    if (!cls) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    const bool message_only = parent == HWND_MESSAGE;
    if (x == CW_USEDEFAULT) {
        const POINT p = next_default_position();
        x = p.x;
        y = p.y;
    }
    if (width == CW_USEDEFAULT) {
        const SIZE screen = display().screen_size();
        width = screen.cx * 3 / 4;
        height = screen.cy * 3 / 4;
    }
    width = std::max(0, width);
    height = std::max(0, height);

    auto window = std::make_shared<Window>();
    window->handle = new_handle();
    window->cls = cls;
    window->owner = current_queue();
    window->thread_id = window->owner->thread_id();
    window->message_only = message_only;
    window->proc = cls->proc;
    window->style = style & ~WS_VISIBLE;
    window->ex_style = exStyle;
    window->rect = RECT{x, y, x + width, y + height};
    window->insets = frame_insets(style, exStyle, false);
    window->store = std::make_shared<BackingStore>(window->client_width(), window->client_height());
    std::weak_ptr<ThreadQueue> owner = window->owner;
    window->store->on_modified([owner] {
        if (auto queue = owner.lock()) queue->wake();
    });
    {
        std::lock_guard lock(wm_mutex());
        ++cls->window_count;
    }
    add_window(window);
    const HWND hwnd = window->handle;

    CREATESTRUCTW cs{param, instance, menu, parent, height, width, y, x, static_cast<LONG>(style), windowName,
                     className, exStyle};
    // A refused creation ends with WM_NCDESTROY alone: the window never fully existed, so
    // WM_DESTROY is not sent (the platform does the same).
    if (!call_window(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs)) ||
        call_window(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        call_window(hwnd, WM_NCDESTROY, 0, 0);
        retire_window(window);
        return nullptr;
    }
    if (!find_window(hwnd)) return nullptr; // destroyed by its own creation messages

    std::u16string title;
    RECT client{};
    {
        std::lock_guard lock(wm_mutex());
        title = window->title;
        const POINT origin = window->client_origin();
        client = RECT{origin.x, origin.y, origin.x + window->client_width(), origin.y + window->client_height()};
    }
    if (!message_only) {
        auto icon = icon_image(cls->icon);
        display().create(hwnd, title, client, icon.get());
    }
    call_window(hwnd, WM_SIZE, SIZE_RESTORED,
                point_lparam(client.right - client.left, client.bottom - client.top));
    call_window(hwnd, WM_MOVE, 0, point_lparam(client.left, client.top));
    if ((style & WS_VISIBLE) && !message_only) ShowWindow(hwnd, SW_SHOW);
    return find_window(hwnd) ? hwnd : nullptr;
}

BOOL WINAPI DestroyWindow(HWND hwnd) {
    auto window = find_window(hwnd);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    // Only the thread that created a window may destroy it.
    if (!is_owner_thread(*window)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    bool was_visible;
    {
        std::lock_guard lock(wm_mutex());
        if (window->destroying) return TRUE; // already on its way out: no second destruction
        window->destroying = true;
        was_visible = window->visible;
        window->visible = false;
        window->has_update = false;
    }
    if (was_visible) display().show(hwnd, false);
    call_window(hwnd, WM_DESTROY, 0, 0);
    call_window(hwnd, WM_NCDESTROY, 0, 0);
    retire_window(window);
    return TRUE;
}

BOOL WINAPI IsWindow(HWND hwnd) {
    auto window = find_window(hwnd);
    return window ? TRUE : FALSE;
}

BOOL WINAPI ShowWindow(HWND hwnd, int command) {
    auto window = find_window(hwnd);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    const bool show = command != SW_HIDE;
    bool was;
    {
        std::lock_guard lock(wm_mutex());
        if (window->destroying || window->message_only) return FALSE;
        was = window->visible;
        window->visible = show;
        if (!show) window->has_update = false;
    }
    if (was != show) {
        notify(window, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
        display().show(hwnd, show);
        if (show) {
            // A window that appears needs painting, and its store must reach the display.
            window->store->mark_dirty();
            invalidate(*window, nullptr);
        }
    }
    return was ? TRUE : FALSE;
}

BOOL WINAPI IsWindowVisible(HWND hwnd) {
    auto window = find_window(hwnd);
    if (!window) return FALSE;
    std::lock_guard lock(wm_mutex());
    return window->visible ? TRUE : FALSE;
}
