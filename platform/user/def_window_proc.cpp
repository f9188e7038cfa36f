// The default handling of window messages.
#include "user/window.h"
#include "user/wm_lock.h"
#include "user/text.h"

using namespace layer::user;

LRESULT WINAPI DefWindowProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto window = find_window(hwnd);
    if (!window) return 0;
    switch (message) {
    case WM_NCCREATE: {
        // The window's text comes from the creation record here, as on the platform.
        const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        if (cs != nullptr) set_title(window, wide_copy(cs->lpszName));
        return TRUE;
    }
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND: {
        HBRUSH brush = window->cls->background;
        // Brush handles below 32 are system colour indices, which this layer does not keep.
        if (brush == nullptr || reinterpret_cast<ULONG_PTR>(brush) < 32) return 0;
        RECT client{};
        GetClientRect(hwnd, &client);
        return FillRect(reinterpret_cast<HDC>(wParam), &client, brush) ? 1 : 0;
    }
    case WM_SETTEXT:
        set_title(window, wide_copy(reinterpret_cast<LPCWSTR>(lParam)));
        return TRUE;
    case WM_GETTEXT: {
        std::u16string title;
        {
            std::lock_guard lock(wm_mutex());
            title = window->title;
        }
        return copy_title(title, reinterpret_cast<LPWSTR>(lParam), static_cast<int>(wParam));
    }
    case WM_GETTEXTLENGTH: {
        std::lock_guard lock(wm_mutex());
        return static_cast<LRESULT>(window->title.size());
    }
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE && !(window->cls->style & CS_NOCLOSE)) SendMessageW(hwnd, WM_CLOSE, 0, 0);
        return 0;
    default:
        return 0;
    }
}
