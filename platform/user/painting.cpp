// Invalidation, WM_PAINT support, and the device contexts of windows and of the screen.
#include "user/display.h"
#include "user/window.h"
#include "user/wm_lock.h"

#include <unordered_map>

using namespace layer::user;

namespace {

// Every DC handed out by GetDC, with the window it belongs to (null: the screen), so that
// ReleaseDC ends it even after its window is gone.
std::unordered_map<HDC, HWND>& handed_out() {
    static auto* map = new std::unordered_map<HDC, HWND>();
    return *map;
}

// The screen without a display to read from: a surface in memory of the screen's size.
std::shared_ptr<BackingStore> desktop_store() {
    static auto* store = [] {
        const SIZE screen = display().screen_size();
        return new std::shared_ptr<BackingStore>(std::make_shared<BackingStore>(screen.cx, screen.cy));
    }();
    return *store;
}

} // namespace

BOOL WINAPI InvalidateRect(HWND hwnd, const RECT* rect, BOOL) {
    if (hwnd == nullptr) {
        for (const auto& window : windows_of(0)) invalidate(*window, nullptr);
        return TRUE;
    }
    auto window = find_window(hwnd);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    invalidate(*window, rect);
    return TRUE;
}

BOOL WINAPI ValidateRect(HWND hwnd, const RECT* rect) {
    if (hwnd == nullptr) {
        for (const auto& window : windows_of(0)) ValidateRect(window->handle, nullptr);
        return TRUE;
    }
    auto window = find_window(hwnd);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    std::lock_guard lock(wm_mutex());
    if (!window->has_update) return TRUE;
    RECT& u = window->update;
    if (rect == nullptr || (rect->left <= u.left && rect->top <= u.top && rect->right >= u.right && rect->bottom >= u.bottom)) {
        window->has_update = false;
        return TRUE;
    }
    // The invalid part is kept as one rectangle: a validated band across its whole width or
    // height cuts it; any other part leaves it as it is (painted again, never lost).
    if (rect->left <= u.left && rect->right >= u.right) {
        if (rect->top <= u.top && rect->bottom > u.top) u.top = rect->bottom;
        else if (rect->bottom >= u.bottom && rect->top < u.bottom) u.bottom = rect->top;
    } else if (rect->top <= u.top && rect->bottom >= u.bottom) {
        if (rect->left <= u.left && rect->right > u.left) u.left = rect->right;
        else if (rect->right >= u.right && rect->left < u.right) u.right = rect->left;
    }
    if (u.right <= u.left || u.bottom <= u.top) window->has_update = false;
    return TRUE;
}

BOOL WINAPI GetUpdateRect(HWND hwnd, LPRECT rect, BOOL) {
    auto window = find_window(hwnd);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    std::lock_guard lock(wm_mutex());
    const bool invalid = window->has_update && window->visible;
    if (rect != nullptr) *rect = invalid ? window->update : RECT{0, 0, 0, 0};
    return invalid ? TRUE : FALSE;
}

BOOL WINAPI UpdateWindow(HWND hwnd) {
    auto window = find_window(hwnd);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    bool paint;
    {
        std::lock_guard lock(wm_mutex());
        paint = window->visible && window->has_update && !window->destroying;
    }
    if (paint) notify(window, WM_PAINT, 0, 0);
    return TRUE;
}

HDC WINAPI BeginPaint(HWND hwnd, PAINTSTRUCT* paint) {
    auto window = find_window(hwnd);
    if (!window || paint == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    *paint = PAINTSTRUCT{};
    HDC dc = GetDC(hwnd);
    bool invalid;
    {
        std::lock_guard lock(wm_mutex());
        invalid = window->has_update;
        paint->rcPaint = invalid ? window->update : RECT{0, 0, 0, 0};
        window->has_update = false;
    }
    paint->hdc = dc;
    // The background is erased by the window procedure's WM_ERASEBKGND (DefWindowProcW fills it
    // with the class brush); fErase tells the painter that nobody erased it.
    if (invalid && dc != nullptr) paint->fErase = SendMessageW(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) ? FALSE : TRUE;
    return dc;
}

BOOL WINAPI EndPaint(HWND hwnd, const PAINTSTRUCT* paint) {
    if (paint == nullptr) return FALSE;
    if (paint->hdc != nullptr) ReleaseDC(hwnd, paint->hdc);
    return TRUE;
}

HDC WINAPI GetDC(HWND hwnd) {
    std::shared_ptr<BackingStore> store;
    if (hwnd == nullptr) {
        store = desktop_store();
    } else {
        auto window = find_window(hwnd);
        if (!window) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return nullptr;
        }
        store = window->store;
    }
    HDC dc = layer::create_external_dc(store);
    if (dc == nullptr) return nullptr;
    std::lock_guard lock(wm_mutex());
    handed_out()[dc] = hwnd;
    return dc;
}

int WINAPI ReleaseDC(HWND hwnd, HDC dc) {
    {
        std::lock_guard lock(wm_mutex());
        auto it = handed_out().find(dc);
        if (it == handed_out().end() || it->second != hwnd) return 0;
        handed_out().erase(it);
    }
    DeleteDC(dc);
    return 1;
}

int WINAPI FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
    if (dc == nullptr || rect == nullptr || brush == nullptr) return 0;
    HRGN region = CreateRectRgnIndirect(rect);
    if (region == nullptr) return 0;
    const BOOL ok = FillRgn(dc, region, brush);
    DeleteObject(region);
    return ok ? 1 : 0;
}
