// A window's text and data words, its thread, and finding windows by class and title.
#include "user/display.h"
#include "user/text.h"
#include "user/window.h"
#include "user/wm_lock.h"

#include <unistd.h>

namespace layer::user {

void set_title(const std::shared_ptr<Window>& window, std::u16string title) {
    {
        std::lock_guard lock(wm_mutex());
        window->title = title;
    }
    if (!window->message_only) display().retitle(window->handle, title);
}

int copy_title(const std::u16string& title, LPWSTR buffer, int capacity) {
    if (buffer == nullptr || capacity <= 0) return 0;
    const int n = std::min<int>(static_cast<int>(title.size()), capacity - 1);
    std::copy_n(title.data(), n, buffer);
    buffer[n] = 0;
    return n;
}

} // namespace layer::user

using namespace layer::user;

BOOL WINAPI SetWindowTextW(HWND hwnd, LPCWSTR text) {
    if (!find_window(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    return SendMessageW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) ? TRUE : FALSE;
}

int WINAPI GetWindowTextW(HWND hwnd, LPWSTR buffer, int capacity) {
    auto window = find_window(hwnd);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        if (buffer != nullptr && capacity > 0) buffer[0] = 0;
        return 0;
    }
    // The owner thread asks the window procedure; other threads read the stored title.
    if (is_owner_thread(*window))
        return static_cast<int>(call_window(hwnd, WM_GETTEXT, static_cast<WPARAM>(std::max(0, capacity)),
                                            reinterpret_cast<LPARAM>(buffer)));
    std::u16string title;
    {
        std::lock_guard lock(wm_mutex());
        title = window->title;
    }
    return copy_title(title, buffer, capacity);
}

int WINAPI GetWindowTextLengthW(HWND hwnd) {
    auto window = find_window(hwnd);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (is_owner_thread(*window)) return static_cast<int>(call_window(hwnd, WM_GETTEXTLENGTH, 0, 0));
    std::lock_guard lock(wm_mutex());
    return static_cast<int>(window->title.size());
}

LONG_PTR WINAPI GetWindowLongPtrW(HWND hwnd, int index) {
    auto window = find_window(hwnd);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    std::lock_guard lock(wm_mutex());
    switch (index) {
    case GWL_STYLE: return static_cast<LONG_PTR>(window->style | (window->visible ? WS_VISIBLE : 0));
    case GWL_EXSTYLE: return static_cast<LONG_PTR>(window->ex_style);
    case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(window->proc);
    case GWLP_USERDATA: return window->user_data;
    default: SetLastError(ERROR_INVALID_PARAMETER); return 0;
    }
}

LONG_PTR WINAPI SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value) {
    auto window = find_window(hwnd);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    std::lock_guard lock(wm_mutex());
    LONG_PTR old = 0;
    switch (index) {
    case GWL_STYLE:
        // Visibility changes only through ShowWindow; the frame keeps its size until moved.
        old = static_cast<LONG_PTR>(window->style | (window->visible ? WS_VISIBLE : 0));
        window->style = static_cast<DWORD>(value) & ~WS_VISIBLE;
        return old;
    case GWL_EXSTYLE:
        old = static_cast<LONG_PTR>(window->ex_style);
        window->ex_style = static_cast<DWORD>(value);
        return old;
    case GWLP_WNDPROC:
        if (value == 0) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        old = reinterpret_cast<LONG_PTR>(window->proc);
        window->proc = reinterpret_cast<WNDPROC>(value);
        return old;
    case GWLP_USERDATA:
        old = window->user_data;
        window->user_data = value;
        return old;
    default: SetLastError(ERROR_INVALID_PARAMETER); return 0;
    }
}

DWORD WINAPI GetWindowThreadProcessId(HWND hwnd, LPDWORD processId) {
    auto window = find_window(hwnd);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (processId != nullptr) *processId = static_cast<DWORD>(getpid());
    return window->thread_id;
}

HWND WINAPI FindWindowW(LPCWSTR className, LPCWSTR windowName) {
    std::shared_ptr<WindowClass> cls;
    if (className != nullptr) {
        cls = find_class(className);
        if (!cls) return nullptr;
    }
    const std::u16string title = wide_copy(windowName);
    for (const auto& window : windows_of(0)) {
        if (window->message_only || (cls && window->cls != cls)) continue;
        std::lock_guard lock(wm_mutex());
        if (window->destroying) continue;
        if (windowName != nullptr && !equal_names(window->title, title)) continue;
        return window->handle;
    }
    return nullptr;
}
