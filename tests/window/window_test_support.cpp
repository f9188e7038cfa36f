#include "window_test_support.h"

#include <string>

namespace window_test {

namespace {

// The window surface lives as long as the process. It is made here, before the first test, so
// that the per-test check for leaked GDI objects does not count it against whichever test opens
// the window first.
class SurfaceFirst : public testing::Environment {
public:
    void SetUp() override { window().resize(16, 16); }
};

[[maybe_unused]] testing::Environment* const surface_first = testing::AddGlobalTestEnvironment(new SurfaceFirst);

} // namespace

bool wait_until(const std::function<bool()>& done, DWORD limit_ms) {
    const DWORD started = GetTickCount();
    while (!done()) {
        if (GetTickCount() - started > limit_ms) return done();
        Sleep(2);
    }
    return true;
}

COLORREF client_pixel(HWND hwnd, int x, int y) {
    HDC dc = GetDC(hwnd);
    const COLORREF color = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return color;
}

void reset_mouse_state() {
    mouse_clear_messages();
    Pellux::mouse_waiting = false;
    while (WaitForSingleObject(window().event, 0) == WAIT_OBJECT_0) {
    }
}

HWND make_test_window(WNDPROC procedure) {
    // One class per procedure: the class name carries the procedure's address.
    const std::wstring name = L"PelluxTest" + std::to_wstring(reinterpret_cast<std::uintptr_t>(procedure));
    std::basic_string<WCHAR> class_name(name.begin(), name.end());
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = class_name.c_str();
    RegisterClassExW(&wc);  // already registered by an earlier test: that registration serves
    return CreateWindowExW(0, class_name.c_str(), class_name.c_str(), WS_CAPTION | WS_SYSMENU, 10, 10, 120, 90,
                           nullptr, nullptr, wc.hInstance, nullptr);
}

} // namespace window_test
