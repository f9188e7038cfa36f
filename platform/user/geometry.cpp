// Window geometry: frame arithmetic, rectangles, coordinates and placement.
#include "user/display.h"
#include "user/metrics.h"
#include "user/window.h"
#include "user/wm_lock.h"

namespace layer::user {

RECT frame_insets(DWORD style, DWORD ex_style, bool menu) {
    int side = 0;
    if (style & WS_THICKFRAME) side = metrics::size_frame + metrics::padded_border;
    else if ((style & WS_DLGFRAME) || (ex_style & WS_EX_DLGMODALFRAME)) side = metrics::fixed_frame;
    else if (style & WS_BORDER) side = metrics::border;
    if (ex_style & WS_EX_CLIENTEDGE) side += metrics::edge;
    if (ex_style & WS_EX_STATICEDGE) side += metrics::border;
    int top = side;
    if ((style & WS_CAPTION) == WS_CAPTION)
        top += (ex_style & WS_EX_TOOLWINDOW) ? metrics::small_caption : metrics::caption;
    if (menu) top += metrics::menu;
    return RECT{side, top, side, side};
}

} // namespace layer::user

using namespace layer::user;

namespace {

std::shared_ptr<Window> window_or_error(HWND hwnd) {
    auto window = find_window(hwnd);
    if (!window) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return window;
}

LPARAM point_lparam(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(static_cast<SHORT>(x)), static_cast<WORD>(static_cast<SHORT>(y)));
}

} // namespace

BOOL WINAPI AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle) {
    if (rect == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const RECT in = frame_insets(style, exStyle, menu != FALSE);
    rect->left -= in.left;
    rect->top -= in.top;
    rect->right += in.right;
    rect->bottom += in.bottom;
    return TRUE;
}

BOOL WINAPI AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu) { return AdjustWindowRectEx(rect, style, menu, 0); }

int WINAPI GetSystemMetrics(int index) {
    switch (index) {
    case SM_CXSCREEN: return display().screen_size().cx;
    case SM_CYSCREEN: return display().screen_size().cy;
    case SM_CXBORDER:
    case SM_CYBORDER: return metrics::border;
    case SM_CYCAPTION: return metrics::caption;
    case SM_CYSMCAPTION: return metrics::small_caption;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return metrics::fixed_frame;
    case SM_CXFRAME:
    case SM_CYFRAME: return metrics::size_frame;
    case SM_CXPADDEDBORDER: return metrics::padded_border;
    case SM_CXEDGE:
    case SM_CYEDGE: return metrics::edge;
    case SM_CYMENU: return metrics::menu;
    case SM_CXICON:
    case SM_CYICON: return metrics::icon;
    case SM_CXCURSOR:
    case SM_CYCURSOR: return metrics::cursor;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK: return metrics::double_click_area;
    default: return 0;
    }
}

BOOL WINAPI GetWindowRect(HWND hwnd, LPRECT rect) {
    auto window = window_or_error(hwnd);
    if (!window || rect == nullptr) return FALSE;
    std::lock_guard lock(wm_mutex());
    *rect = window->rect;
    return TRUE;
}

BOOL WINAPI GetClientRect(HWND hwnd, LPRECT rect) {
    auto window = window_or_error(hwnd);
    if (!window || rect == nullptr) return FALSE;
    std::lock_guard lock(wm_mutex());
    *rect = RECT{0, 0, window->client_width(), window->client_height()};
    return TRUE;
}

BOOL WINAPI ScreenToClient(HWND hwnd, LPPOINT point) {
    auto window = window_or_error(hwnd);
    if (!window || point == nullptr) return FALSE;
    std::lock_guard lock(wm_mutex());
    const POINT origin = window->client_origin();
    point->x -= origin.x;
    point->y -= origin.y;
    return TRUE;
}

BOOL WINAPI ClientToScreen(HWND hwnd, LPPOINT point) {
    auto window = window_or_error(hwnd);
    if (!window || point == nullptr) return FALSE;
    std::lock_guard lock(wm_mutex());
    const POINT origin = window->client_origin();
    point->x += origin.x;
    point->y += origin.y;
    return TRUE;
}

BOOL WINAPI SetWindowPos(HWND hwnd, HWND, int x, int y, int cx, int cy, UINT flags) {
    auto window = window_or_error(hwnd);
    if (!window) return FALSE;
    bool moved = false, sized = false;
    int old_w = 0, old_h = 0, new_w = 0, new_h = 0;
    POINT origin{};
    RECT client{};
    {
        std::lock_guard lock(wm_mutex());
        if (window->gone) return FALSE;
        RECT r = window->rect;
        old_w = window->client_width();
        old_h = window->client_height();
        if (!(flags & SWP_NOMOVE)) {
            const LONG w = r.right - r.left, h = r.bottom - r.top;
            r = RECT{x, y, x + w, y + h};
        }
        if (!(flags & SWP_NOSIZE)) {
            r.right = r.left + std::max(0, cx);
            r.bottom = r.top + std::max(0, cy);
        }
        moved = r.left != window->rect.left || r.top != window->rect.top;
        window->rect = r;
        new_w = window->client_width();
        new_h = window->client_height();
        sized = new_w != old_w || new_h != old_h;
        origin = window->client_origin();
        client = RECT{origin.x, origin.y, origin.x + new_w, origin.y + new_h};
    }
    if (sized) {
        window->store->resize(new_w, new_h);
        if (window->cls->style & (CS_HREDRAW | CS_VREDRAW)) {
            invalidate(*window, nullptr);
        } else {
            // Only the parts that were not there before need painting.
            const RECT right{old_w, 0, new_w, new_h};
            const RECT below{0, old_h, new_w, new_h};
            invalidate(*window, &right);
            invalidate(*window, &below);
        }
    }
    if (moved || sized) display().place(hwnd, client);
    if (flags & SWP_SHOWWINDOW) ShowWindow(hwnd, SW_SHOWNA);
    if (flags & SWP_HIDEWINDOW) ShowWindow(hwnd, SW_HIDE);
    if (moved) notify(window, WM_MOVE, 0, point_lparam(origin.x, origin.y));
    if (sized) notify(window, WM_SIZE, SIZE_RESTORED, point_lparam(new_w, new_h));
    return TRUE;
}

BOOL WINAPI MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL) {
    return SetWindowPos(hwnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace layer::user {

// The display moved a window (its user dragged it): the layer's rectangle follows.
void display_moved(HWND hwnd, POINT client_origin) {
    auto window = find_window(hwnd);
    if (!window) return;
    {
        std::lock_guard lock(wm_mutex());
        const POINT old = window->client_origin();
        if (old.x == client_origin.x && old.y == client_origin.y) return;
        const LONG dx = client_origin.x - old.x, dy = client_origin.y - old.y;
        window->rect = RECT{window->rect.left + dx, window->rect.top + dy, window->rect.right + dx, window->rect.bottom + dy};
    }
    notify(window, WM_MOVE, 0, point_lparam(client_origin.x, client_origin.y));
}

} // namespace layer::user
