// Frame arithmetic, window and client rectangles, placement and coordinate conversion.
#include "user_test_support.h"

#include <gtest/gtest.h>

namespace {

struct FrameCase {
    const char* name;
    DWORD style;
    DWORD ex_style;
};

// The thickness of each side of a frame as the system metrics describe it.
RECT expected_insets(DWORD style, DWORD ex_style) {
    int side = 0;
    if (style & WS_THICKFRAME) side = GetSystemMetrics(SM_CXFRAME) + GetSystemMetrics(SM_CXPADDEDBORDER);
    else if (style & WS_DLGFRAME) side = GetSystemMetrics(SM_CXFIXEDFRAME);
    else if (style & WS_BORDER) side = GetSystemMetrics(SM_CXBORDER);
    if (ex_style & WS_EX_CLIENTEDGE) side += GetSystemMetrics(SM_CXEDGE);
    int top = side;
    if ((style & WS_CAPTION) == WS_CAPTION) top += GetSystemMetrics(SM_CYCAPTION);
    return RECT{side, top, side, side};
}

class FrameArithmetic : public testing::TestWithParam<FrameCase> {};

} // namespace

TEST_P(FrameArithmetic, AdjustWindowRectExAddsTheFrameOfTheStyle) {
    const auto& c = GetParam();
    RECT r{10, 20, 110, 70};
    ASSERT_TRUE(AdjustWindowRectEx(&r, c.style, FALSE, c.ex_style));
    const RECT in = expected_insets(c.style, c.ex_style);
    EXPECT_EQ(r.left, 10 - in.left);
    EXPECT_EQ(r.top, 20 - in.top);
    EXPECT_EQ(r.right, 110 + in.right);
    EXPECT_EQ(r.bottom, 70 + in.bottom);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, FrameArithmetic,
    testing::Values(FrameCase{"Popup", WS_POPUP, 0}, FrameCase{"Border", WS_POPUP | WS_BORDER, 0},
                    FrameCase{"CaptionSysMenu", WS_CAPTION | WS_SYSMENU, 0},
                    FrameCase{"CaptionMinimize", WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0},
                    FrameCase{"DialogFrameOnly", WS_POPUP | WS_DLGFRAME, 0},
                    FrameCase{"PopupClientEdge", WS_POPUP, WS_EX_CLIENTEDGE}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WindowGeometry, ClientAreaIsTheRequestedSizeAfterAdjusting) {
    TestClass cls;
    const DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT outer{0, 0, 177, 146};
    AdjustWindowRectEx(&outer, style, FALSE, 0);
    HWND hwnd = cls.create(style, 50, 60, outer.right - outer.left, outer.bottom - outer.top);
    ASSERT_NE(hwnd, nullptr);
    RECT client{}, window{};
    ASSERT_TRUE(GetClientRect(hwnd, &client));
    ASSERT_TRUE(GetWindowRect(hwnd, &window));
    EXPECT_EQ(client.left, 0);
    EXPECT_EQ(client.top, 0);
    EXPECT_EQ(client.right, 177);
    EXPECT_EQ(client.bottom, 146);
    EXPECT_EQ(window.left, 50);
    EXPECT_EQ(window.top, 60);
    EXPECT_EQ(window.right - window.left, outer.right - outer.left);
    EXPECT_EQ(window.bottom - window.top, outer.bottom - outer.top);

    // The client origin on screen is the window's corner plus the frame.
    POINT p{0, 0};
    ASSERT_TRUE(ClientToScreen(hwnd, &p));
    EXPECT_EQ(p.x, 50 - outer.left);
    EXPECT_EQ(p.y, 60 - outer.top);
    POINT q{500, 300};
    ASSERT_TRUE(ScreenToClient(hwnd, &q));
    EXPECT_EQ(q.x, 500 - p.x);
    EXPECT_EQ(q.y, 300 - p.y);
    DestroyWindow(hwnd);
}

TEST(WindowGeometry, SetWindowPosMovesAndSizesAsItsFlagsSay) {
    TestClass cls;
    HWND hwnd = cls.create(WS_CAPTION | WS_SYSMENU, 30, 40, 200, 150);
    ASSERT_NE(hwnd, nullptr);
    RECT before{}, r{}, client{};
    GetWindowRect(hwnd, &before);
    GetClientRect(hwnd, &client);
    const LONG frame_w = (before.right - before.left) - client.right;
    const LONG frame_h = (before.bottom - before.top) - client.bottom;

    ASSERT_TRUE(SetWindowPos(hwnd, nullptr, 0, 0, 300, 250, SWP_NOMOVE | SWP_NOZORDER));
    GetWindowRect(hwnd, &r);
    EXPECT_EQ(r.left, 30);
    EXPECT_EQ(r.top, 40);
    EXPECT_EQ(r.right - r.left, 300);
    EXPECT_EQ(r.bottom - r.top, 250);
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, 300 - frame_w);
    EXPECT_EQ(client.bottom, 250 - frame_h);

    ASSERT_TRUE(SetWindowPos(hwnd, nullptr, 70, 90, -1, -1, SWP_NOSIZE | SWP_NOZORDER));
    GetWindowRect(hwnd, &r);
    EXPECT_EQ(r.left, 70);
    EXPECT_EQ(r.top, 90);
    EXPECT_EQ(r.right - r.left, 300);
    EXPECT_EQ(r.bottom - r.top, 250);

    const auto seen = message_log().messages(hwnd);
    EXPECT_GE(index_of(seen, WM_SIZE), 0);
    EXPECT_GE(index_of(seen, WM_MOVE), 0);
    DestroyWindow(hwnd);
}

TEST(WindowGeometry, SizeMessageCarriesTheClientSize) {
    TestClass cls;
    HWND hwnd = cls.create(WS_CAPTION | WS_SYSMENU, 0, 0, 200, 150);
    ASSERT_NE(hwnd, nullptr);
    message_log().clear();
    ASSERT_TRUE(SetWindowPos(hwnd, nullptr, 0, 0, 260, 190, SWP_NOMOVE | SWP_NOZORDER));
    RECT client{};
    GetClientRect(hwnd, &client);
    LPARAM last_size = -1;
    for (const auto& r : message_log().all())
        if (r.hwnd == hwnd && r.message == WM_SIZE) last_size = r.lParam;
    EXPECT_EQ(LOWORD(last_size), client.right);
    EXPECT_EQ(HIWORD(last_size), client.bottom);
    DestroyWindow(hwnd);
}

TEST(WindowGeometry, QueriesOfAnInvalidWindowFail) {
    const HWND bogus = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(0x7FFF0));
    RECT r{};
    POINT p{};
    SetLastError(0);
    EXPECT_FALSE(GetWindowRect(bogus, &r));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_FALSE(GetClientRect(bogus, &r));
    EXPECT_FALSE(ScreenToClient(bogus, &p));
    EXPECT_FALSE(SetWindowPos(bogus, nullptr, 0, 0, 1, 1, SWP_NOZORDER));
    EXPECT_FALSE(IsWindow(bogus));
    EXPECT_FALSE(IsWindowVisible(bogus));
}

TEST(SystemMetrics, ScreenHasASize) {
    EXPECT_GT(GetSystemMetrics(SM_CXSCREEN), 0);
    EXPECT_GT(GetSystemMetrics(SM_CYSCREEN), 0);
    EXPECT_GT(GetSystemMetrics(SM_CYCAPTION), 0);
}

TEST(DefaultPosition, UseDefaultGivesAPlaceOnScreen) {
    TestClass cls;
    HWND hwnd = CreateWindowExW(0, cls.name(), W(u"d"), WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT, 120, 90,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(hwnd, nullptr);
    RECT r{};
    GetWindowRect(hwnd, &r);
    EXPECT_GE(r.left, 0);
    EXPECT_GE(r.top, 0);
    EXPECT_LT(r.left, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(r.right - r.left, 120);
    EXPECT_EQ(r.bottom - r.top, 90);
    DestroyWindow(hwnd);
}
