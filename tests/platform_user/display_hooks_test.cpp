// The layer's own display side, headless: backing stores, presentation by the owner thread,
// input as the display delivers it, the screen DC, the message box without a display.
#include "user_test_support.h"

#include <layer/display.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <cstdlib>
#include <thread>

namespace {

// These tests check the headless backend: the display is chosen on first use, after this.
const bool headless_forced = [] {
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    layer::keep_presented_frames(true);
    return true;
}();

// Waits (without a time limit of its own; ctest has one) until a condition holds.
template <typename Condition>
bool eventually(Condition condition) {
    for (int i = 0; i < 20000; ++i) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return condition();
}

void draw_pixel(HWND hwnd, int x, int y, COLORREF colour) {
    HDC dc = GetDC(hwnd);
    ASSERT_NE(dc, nullptr);
    SetPixelV(dc, x, y, colour);
    EXPECT_EQ(ReleaseDC(hwnd, dc), 1);
}

class Presentation : public testing::Test {
protected:
    void SetUp() override {
        hwnd = cls.create(WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 100, 50, 160, 120);
        ASSERT_NE(hwnd, nullptr);
        pump_and_validate();
    }
    void TearDown() override { DestroyWindow(hwnd); }
    void pump_and_validate() {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    TestClass cls{CS_DBLCLKS};
    HWND hwnd = nullptr;
};

} // namespace

TEST(DisplayBackend, HeadlessWithoutADisplay) {
    ASSERT_TRUE(headless_forced);
    EXPECT_EQ(layer::display_backend(), layer::DisplayBackend::headless);
}

TEST_F(Presentation, DrawingFromAnotherThreadIsShownOnlyAfterTheOwnerPumps) {
    RECT client{};
    GetClientRect(hwnd, &client);
    const auto first = layer::presented_pixels(hwnd);
    ASSERT_EQ(first.width, client.right);
    ASSERT_EQ(first.height, client.bottom);
    const auto count = layer::present_count(hwnd);
    ASSERT_GE(count, 1u);

    std::thread([this] { draw_pixel(hwnd, 5, 6, RGB(255, 0, 0)); }).join();
    const auto store = layer::backing_store_pixels(hwnd);
    ASSERT_EQ(store.width, client.right);
    EXPECT_EQ(store.at(5, 6), 0x00FF0000u);
    EXPECT_EQ(layer::presented_pixels(hwnd).at(5, 6), 0u);
    EXPECT_EQ(layer::present_count(hwnd), count);

    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
    EXPECT_EQ(layer::present_count(hwnd), count + 1);
    const auto shown = layer::presented_pixels(hwnd);
    EXPECT_EQ(shown.at(5, 6), 0x00FF0000u);
    EXPECT_EQ(shown.pixels, layer::backing_store_pixels(hwnd).pixels);
    EXPECT_EQ(layer::displayed_pixels(hwnd).pixels, shown.pixels);
    // Nothing new: no present.
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
    EXPECT_EQ(layer::present_count(hwnd), count + 1);
}

TEST_F(Presentation, HiddenWindowsAreNotPresentedUntilShown) {
    ShowWindow(hwnd, SW_HIDE);
    const auto count = layer::present_count(hwnd);
    draw_pixel(hwnd, 1, 1, RGB(0, 0, 255));
    pump_and_validate();
    EXPECT_EQ(layer::present_count(hwnd), count);
    ShowWindow(hwnd, SW_SHOW);
    pump_and_validate();
    EXPECT_EQ(layer::present_count(hwnd), count + 1);
    EXPECT_EQ(layer::presented_pixels(hwnd).at(1, 1), 0x000000FFu);
}

TEST_F(Presentation, ResizingKeepsTheOverlapAndClearsTheRest) {
    draw_pixel(hwnd, 10, 10, RGB(0, 255, 0));
    RECT outer{0, 0, 60, 40};
    AdjustWindowRectEx(&outer, WS_CAPTION | WS_SYSMENU, FALSE, 0);
    ASSERT_TRUE(SetWindowPos(hwnd, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                             SWP_NOMOVE | SWP_NOZORDER));
    auto store = layer::backing_store_pixels(hwnd);
    ASSERT_EQ(store.width, 60);
    ASSERT_EQ(store.height, 40);
    EXPECT_EQ(store.at(10, 10), 0x0000FF00u);
    outer = RECT{0, 0, 200, 150};
    AdjustWindowRectEx(&outer, WS_CAPTION | WS_SYSMENU, FALSE, 0);
    SetWindowPos(hwnd, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top, SWP_NOMOVE | SWP_NOZORDER);
    store = layer::backing_store_pixels(hwnd);
    ASSERT_EQ(store.width, 200);
    EXPECT_EQ(store.at(10, 10), 0x0000FF00u);
    EXPECT_EQ(store.at(150, 120), 0u);
    pump_and_validate();
    EXPECT_EQ(layer::presented_pixels(hwnd).width, 200);
}

TEST(PresentationCost, WithoutKeptFramesPresentingOnlyCounts) {
    TestClass cls;
    HWND hwnd = cls.create(WS_POPUP | WS_VISIBLE, 0, 0, 16, 16);
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
    const auto count = layer::present_count(hwnd);
    layer::keep_presented_frames(false);
    draw_pixel(hwnd, 2, 2, RGB(9, 9, 9));
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
    layer::keep_presented_frames(true);
    EXPECT_EQ(layer::present_count(hwnd), count + 1);
    EXPECT_EQ(layer::presented_pixels(hwnd).at(2, 2), 0u); // the earlier frame stays the last one kept
    DestroyWindow(hwnd);
}

TEST(PresentationWhileWaiting, AnOwnerBlockedInGetMessagePresentsDrawingFromElsewhere) {
    TestClass cls;
    std::promise<HWND> made;
    std::atomic<bool> stop{false};
    std::thread owner([&] {
        HWND hwnd = cls.create(WS_POPUP | WS_VISIBLE, 0, 0, 32, 32);
        made.set_value(hwnd);
        MSG msg;
        while (!stop && GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
        DestroyWindow(hwnd);
    });
    const HWND hwnd = made.get_future().get();
    ASSERT_TRUE(eventually([&] { return layer::present_count(hwnd) >= 1; }));
    draw_pixel(hwnd, 3, 4, RGB(1, 2, 3));
    EXPECT_TRUE(eventually([&] {
        const auto shown = layer::presented_pixels(hwnd);
        return shown.width == 32 && shown.at(3, 4) == 0x00010203u;
    }));
    stop = true;
    PostMessageW(hwnd, WM_NULL, 0, 0);
    owner.join();
}

namespace {

struct MouseCase {
    const char* name;
    layer::MouseButton button;
    bool down;
    int clicks;
    UINT class_style;
    UINT expected;
    WPARAM keys_in;
    WPARAM keys_out;
};

class MouseInput : public testing::TestWithParam<MouseCase> {};

MSG next_message() {
    MSG msg{};
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    return msg;
}

} // namespace

TEST_P(MouseInput, ButtonsBecomeTheirMessages) {
    const auto& c = GetParam();
    TestClass cls(c.class_style);
    HWND hwnd = cls.create(WS_POPUP, 0, 0, 100, 100);
    ASSERT_TRUE(layer::inject_mouse_button(hwnd, c.button, c.down, 100, 50, c.keys_in, c.clicks));
    const MSG msg = next_message();
    EXPECT_EQ(msg.hwnd, hwnd);
    EXPECT_EQ(msg.message, c.expected);
    EXPECT_EQ(msg.wParam, c.keys_out);
    EXPECT_EQ(LOWORD(msg.lParam), 100);
    EXPECT_EQ(HIWORD(msg.lParam), 50);
    DestroyWindow(hwnd);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, MouseInput,
    testing::Values(
        MouseCase{"LeftDownWithControl", layer::MouseButton::left, true, 1, 0, WM_LBUTTONDOWN, MK_CONTROL,
                  MK_LBUTTON | MK_CONTROL},
        MouseCase{"LeftUp", layer::MouseButton::left, false, 1, 0, WM_LBUTTONUP, MK_LBUTTON | MK_SHIFT, MK_SHIFT},
        MouseCase{"RightDouble", layer::MouseButton::right, true, 2, CS_DBLCLKS, WM_RBUTTONDBLCLK, 0, MK_RBUTTON},
        MouseCase{"MiddleDouble", layer::MouseButton::middle, true, 2, CS_DBLCLKS, WM_MBUTTONDBLCLK, 0, MK_MBUTTON},
        MouseCase{"DoubleWithoutDblClks", layer::MouseButton::left, true, 2, 0, WM_LBUTTONDOWN, 0, MK_LBUTTON}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Input, WheelCarriesScreenCoordinatesAndTheDeltaInTheHighWord) {
    TestClass cls;
    const DWORD style = WS_CAPTION | WS_SYSMENU;
    RECT outer{0, 0, 300, 200};
    AdjustWindowRectEx(&outer, style, FALSE, 0);
    // Client area's top-left corner at screen (100, 50).
    HWND hwnd = cls.create(style, 100 + outer.left, 50 + outer.top, outer.right - outer.left, outer.bottom - outer.top);
    ASSERT_TRUE(layer::inject_mouse_wheel(hwnd, 400, 250, -WHEEL_DELTA, MK_SHIFT));
    const MSG msg = next_message();
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_MOUSEWHEEL));
    EXPECT_EQ(static_cast<SHORT>(HIWORD(msg.wParam)), -WHEEL_DELTA);
    EXPECT_EQ(LOWORD(msg.wParam), MK_SHIFT);
    EXPECT_EQ(static_cast<SHORT>(LOWORD(msg.lParam)), 500);
    EXPECT_EQ(static_cast<SHORT>(HIWORD(msg.lParam)), 300);
    POINT p{static_cast<SHORT>(LOWORD(msg.lParam)), static_cast<SHORT>(HIWORD(msg.lParam))};
    ScreenToClient(hwnd, &p);
    EXPECT_EQ(p.x, 400);
    EXPECT_EQ(p.y, 250);
    DestroyWindow(hwnd);
}

TEST(Input, MovesAndKeysArePostedInOrder) {
    TestClass cls;
    HWND hwnd = cls.create(WS_POPUP, 0, 0, 100, 100);
    ASSERT_TRUE(layer::inject_mouse_move(hwnd, -5, 70, MK_LBUTTON));
    ASSERT_TRUE(layer::inject_key(hwnd, 'A', true));
    ASSERT_TRUE(layer::inject_key(hwnd, 'A', false));
    MSG msg = next_message();
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_MOUSEMOVE));
    EXPECT_EQ(static_cast<SHORT>(LOWORD(msg.lParam)), -5);
    EXPECT_EQ(HIWORD(msg.lParam), 70);
    EXPECT_EQ(msg.wParam, MK_LBUTTON);
    msg = next_message();
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>('A'));
    EXPECT_EQ(msg.lParam & 0xFFFF, 1);
    msg = next_message();
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_KEYUP));
    EXPECT_NE(static_cast<DWORD>(msg.lParam) & 0x80000000u, 0u);
    EXPECT_FALSE(layer::inject_key(reinterpret_cast<HWND>(static_cast<ULONG_PTR>(0x7FFF0)), 'A', true));
    DestroyWindow(hwnd);
}

struct CloseCase {
    const char* name;
    UINT class_style;
    bool closes;
};

class CloseButton : public testing::TestWithParam<CloseCase> {};

TEST_P(CloseButton, SendsCloseToTheProcedureUnlessTheClassForbidsIt) {
    const auto& c = GetParam();
    TestClass cls(c.class_style);
    HWND hwnd = cls.create(WS_CAPTION | WS_SYSMENU, 0, 0, 100, 100);
    std::thread([hwnd] { EXPECT_TRUE(layer::inject_close(hwnd)); }).join();
    // Carried out when the owner pumps, and never handed out as a queued message.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) EXPECT_NE(msg.message, static_cast<UINT>(WM_CLOSE));
    EXPECT_EQ(message_log().count(hwnd, WM_CLOSE), c.closes ? 1 : 0);
    EXPECT_EQ(IsWindow(hwnd) == FALSE, c.closes);
    if (IsWindow(hwnd)) DestroyWindow(hwnd);
}

INSTANTIATE_TEST_SUITE_P(Classes, CloseButton,
                         testing::Values(CloseCase{"Plain", CS_DBLCLKS, true},
                                         CloseCase{"NoClose", CS_NOCLOSE | CS_DBLCLKS, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ScreenDC, GetDCOfNullIsADesktopSurfaceInMemory) {
    HDC screen = GetDC(nullptr);
    ASSERT_NE(screen, nullptr);
    SetPixelV(screen, 7, 8, RGB(10, 20, 30));
    EXPECT_EQ(GetPixel(screen, 7, 8), RGB(10, 20, 30));
    HDC again = GetDC(nullptr);
    EXPECT_EQ(GetPixel(again, 7, 8), RGB(10, 20, 30));
    TestClass cls;
    HWND hwnd = cls.create(WS_POPUP, 0, 0, 10, 10);
    EXPECT_EQ(ReleaseDC(hwnd, again), 0); // not that window's DC
    EXPECT_EQ(ReleaseDC(nullptr, again), 1);
    EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
    EXPECT_EQ(ReleaseDC(nullptr, screen), 0);
    DestroyWindow(hwnd);
}

TEST(WindowDC, ReleasedAfterTheWindowIsGone) {
    TestClass cls;
    HWND hwnd = cls.create(WS_POPUP, 0, 0, 10, 10);
    HDC dc = GetDC(hwnd);
    ASSERT_NE(dc, nullptr);
    DestroyWindow(hwnd);
    SetPixelV(dc, 1, 1, RGB(1, 1, 1)); // harmless: the store outlives its window
    EXPECT_EQ(ReleaseDC(hwnd, dc), 1);
}

struct BoxCase {
    const char* name;
    UINT type;
    int expected;
};

class HeadlessMessageBox : public testing::TestWithParam<BoxCase> {};

TEST_P(HeadlessMessageBox, PrintsCaptionAndTextAndAnswersWithTheDefaultButton) {
    const auto& c = GetParam();
    testing::internal::CaptureStderr();
    const int answer = MessageBoxW(nullptr, W(u"All done \u00e9"), W(u"TheCaption"), c.type);
    const std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_EQ(answer, c.expected);
    EXPECT_NE(printed.find("TheCaption"), std::string::npos);
    EXPECT_NE(printed.find("All done \xc3\xa9"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Types, HeadlessMessageBox,
                         testing::Values(BoxCase{"Ok", MB_OK, IDOK}, BoxCase{"OkInformation", MB_OK | MB_ICONINFORMATION, IDOK},
                                         BoxCase{"YesNo", MB_YESNO, IDYES},
                                         BoxCase{"YesNoSecondDefault", MB_YESNO | MB_DEFBUTTON2, IDNO},
                                         BoxCase{"RetryCancelThirdDefault", MB_RETRYCANCEL | MB_DEFBUTTON3, IDCANCEL}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Icons, TheExecutableGivesTheBuiltInIconOnce) {
    WCHAR path[260];
    ASSERT_GT(GetModuleFileNameW(nullptr, path, 260), 0u);
    HICON icon = ExtractIconW(GetModuleHandleW(nullptr), path, 0);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(ExtractIconW(GetModuleHandleW(nullptr), path, 1), nullptr);
    EXPECT_EQ(ExtractIconW(GetModuleHandleW(nullptr), path, 0xFFFFFFFFu), reinterpret_cast<HICON>(1));
    EXPECT_TRUE(DestroyIcon(icon));
    EXPECT_FALSE(DestroyIcon(icon));
    HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    EXPECT_TRUE(DestroyIcon(arrow));
    EXPECT_EQ(LoadCursorW(nullptr, IDC_ARROW), arrow);
}
