// The SDL backend on a real display (run under Xvfb): real windows, frames that reach the
// renderer, the screen size of the display.
#include "user_test_support.h"

#include <layer/display.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

namespace {

bool display_present() {
    const char* x = std::getenv("DISPLAY");
    const char* w = std::getenv("WAYLAND_DISPLAY");
    return (x != nullptr && *x != 0) || (w != nullptr && *w != 0);
}

class SdlDisplay : public testing::Test {
protected:
    void SetUp() override {
        if (!display_present()) GTEST_SKIP() << "no display";
    }
};

// Pumps until the display shows what the backing store holds.
bool shows_store(HWND hwnd) {
    for (int i = 0; i < 2000; ++i) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        const auto store = layer::backing_store_pixels(hwnd);
        const auto shown = layer::displayed_pixels(hwnd);
        if (shown.width == store.width && shown.height == store.height && shown.pixels == store.pixels) return true;
    }
    return false;
}

} // namespace

TEST_F(SdlDisplay, ChosenWhenADisplayIsPresent) {
    EXPECT_EQ(layer::display_backend(), layer::DisplayBackend::sdl);
    EXPECT_GT(GetSystemMetrics(SM_CXSCREEN), 0);
    EXPECT_GT(GetSystemMetrics(SM_CYSCREEN), 0);
}

TEST_F(SdlDisplay, DrawingReachesTheRendererAfterPumping) {
    TestClass cls(CS_DBLCLKS);
    HWND hwnd = cls.create(WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 40, 40, 180, 140);
    ASSERT_NE(hwnd, nullptr);
    HDC dc = GetDC(hwnd);
    ASSERT_NE(dc, nullptr);
    for (int x = 0; x < 20; ++x) SetPixelV(dc, x, 3, RGB(255, 128, 0));
    SetPixelV(dc, 100, 90, RGB(0, 0, 255));
    ReleaseDC(hwnd, dc);
    ASSERT_TRUE(shows_store(hwnd));
    const auto shown = layer::displayed_pixels(hwnd);
    EXPECT_EQ(shown.at(10, 3), 0x00FF8000u);
    EXPECT_EQ(shown.at(100, 90), 0x000000FFu);
    EXPECT_EQ(shown.at(50, 50), 0u);

    // A resized window shows its new size.
    RECT outer{0, 0, 90, 70};
    AdjustWindowRectEx(&outer, WS_CAPTION | WS_SYSMENU, FALSE, 0);
    SetWindowPos(hwnd, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top, SWP_NOMOVE | SWP_NOZORDER);
    ASSERT_TRUE(shows_store(hwnd));
    EXPECT_EQ(layer::displayed_pixels(hwnd).width, 90);
    DestroyWindow(hwnd);
    EXPECT_EQ(layer::displayed_pixels(hwnd).width, 0);
}

TEST_F(SdlDisplay, InputAndCloseStillReachTheWindow) {
    TestClass cls;
    HWND hwnd = cls.create(WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 0, 0, 100, 100);
    ASSERT_TRUE(layer::inject_mouse_button(hwnd, layer::MouseButton::left, true, 10, 20));
    MSG msg;
    bool clicked = false;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        clicked = clicked || msg.message == WM_LBUTTONDOWN;
        DispatchMessageW(&msg);
    }
    EXPECT_TRUE(clicked);
    // The close button as the display thread reports it: carried out when this thread pumps.
    std::thread([hwnd] { EXPECT_TRUE(layer::inject_close(hwnd)); }).join();
    EXPECT_TRUE(IsWindow(hwnd));
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    EXPECT_FALSE(IsWindow(hwnd));
}
