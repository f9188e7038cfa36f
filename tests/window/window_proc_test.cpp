// The window procedure called directly with messages: mouse records, the full queue, waking a
// waiter, keys for the console, painting, closing, destroying and the rest.
#include <cstdlib>
#include <vector>

#include "window_test_support.h"

namespace {

using namespace window_test;
using Pellux::window_proc;

MOUSEMSG take() {
    MOUSEMSG record{};
    EXPECT_TRUE(mouse_get_message(&record));
    return record;
}

bool event_signalled() { return WaitForSingleObject(window().event, 0) == WAIT_OBJECT_0; }

// Stands in for the console window: remembers what reaches it, and survives WM_CLOSE.
std::vector<MSG> console_received;

LRESULT CALLBACK console_procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE || message == WM_KEYDOWN || message == WM_KEYUP) {
        console_received.push_back(MSG{hwnd, message, wParam, lParam, 0, {}});
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// A window of the test thread served by window_proc, except for its destruction, which must not
// end the test program.
LRESULT CALLBACK served_procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) return DefWindowProcW(hwnd, message, wParam, lParam);
    return window_proc(hwnd, message, wParam, lParam);
}

// Messages posted to the test thread's own windows, taken off its queue.
std::vector<MSG> drain_posted(HWND hwnd) {
    std::vector<MSG> taken;
    MSG msg{};
    while (PeekMessageW(&msg, hwnd, 0, 0, PM_REMOVE)) taken.push_back(msg);
    return taken;
}

class WindowProc : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        hwnd = open_window(200, 150, 0);
        ASSERT_NE(hwnd, nullptr);
    }
    HWND hwnd = nullptr;
};

TEST_F(WindowProc, MouseMessagesBecomeRecords) {
    const struct {
        UINT message;
        WPARAM keys;
        int x;
        int y;
    } cases[] = {
        {WM_MOUSEMOVE, 0, 100, 50},
        {WM_LBUTTONDOWN, MK_LBUTTON, 1, 2},
        {WM_LBUTTONUP, 0, 199, 149},
        {WM_LBUTTONDBLCLK, MK_LBUTTON, 0, 0},
        {WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT, 30, 40},
        {WM_RBUTTONUP, MK_SHIFT, 31, 41},
        {WM_RBUTTONDBLCLK, MK_RBUTTON, 5, 6},
        {WM_MBUTTONDOWN, MK_MBUTTON | MK_CONTROL, 7, 8},
        {WM_MBUTTONUP, MK_CONTROL, 9, 10},
        {WM_MBUTTONDBLCLK, MK_MBUTTON, 11, 12},
        {WM_MOUSEMOVE, 0, -3, -7},  // captured outside the client area: negative coordinates
    };
    for (const auto& c : cases) {
        const LPARAM position = MAKELPARAM(static_cast<WORD>(c.x), static_cast<WORD>(c.y));
        EXPECT_EQ(window_proc(hwnd, c.message, c.keys, position), 0);
    }
    EXPECT_EQ(window().mouse_queue.count(), static_cast<int>(std::size(cases)));
    for (const auto& c : cases) {
        const MOUSEMSG record = take();
        EXPECT_EQ(record.message, c.message);
        EXPECT_EQ(record.x, c.x) << std::hex << c.message;
        EXPECT_EQ(record.y, c.y) << std::hex << c.message;
        EXPECT_EQ(record.wheel, 0);
    }
}

TEST_F(WindowProc, KeyFlagsOfWParam) {
    const struct {
        WPARAM keys;
        bool ctrl, shift, left, middle, right;
    } cases[] = {
        {MK_LBUTTON | MK_CONTROL, true, false, true, false, false},
        {0, false, false, false, false, false},
        {MK_SHIFT, false, true, false, false, false},
        {MK_MBUTTON, false, false, false, true, false},
        {MK_RBUTTON, false, false, false, false, true},
        {MK_LBUTTON | MK_RBUTTON | MK_SHIFT | MK_CONTROL | MK_MBUTTON, true, true, true, true, true},
        // The high word is the wheel delta, not key state.
        {MAKEWPARAM(MK_SHIFT, 0xFFFF), false, true, false, false, false},
    };
    for (const auto& c : cases) {
        window_proc(hwnd, WM_LBUTTONDOWN, c.keys, MAKELPARAM(1, 1));
        const MOUSEMSG record = take();
        EXPECT_EQ(record.ctrl, c.ctrl) << c.keys;
        EXPECT_EQ(record.shift, c.shift) << c.keys;
        EXPECT_EQ(record.left_button, c.left) << c.keys;
        EXPECT_EQ(record.middle_button, c.middle) << c.keys;
        EXPECT_EQ(record.right_button, c.right) << c.keys;
    }
}

// The wheel message carries screen coordinates: they become client coordinates.
TEST_F(WindowProc, WheelPositionIsConvertedToTheClientArea) {
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    const struct {
        int x;
        int y;
        short delta;
    } cases[] = {{400, 250, 120}, {0, 0, -120}, {-20, -10, 240}};
    for (const auto& c : cases) {
        const LPARAM screen = MAKELPARAM(static_cast<WORD>(origin.x + c.x), static_cast<WORD>(origin.y + c.y));
        window_proc(hwnd, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, static_cast<WORD>(c.delta)), screen);
        const MOUSEMSG record = take();
        EXPECT_EQ(record.message, static_cast<std::uint32_t>(WM_MOUSEWHEEL));
        EXPECT_EQ(record.x, c.x);
        EXPECT_EQ(record.y, c.y);
        EXPECT_EQ(record.wheel, c.delta);
        EXPECT_TRUE(record.ctrl);
    }
}

TEST_F(WindowProc, FullQueueDropsTheMessageButStillWakesTheWaiter) {
    for (int i = 0; i < 63; ++i) window_proc(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(i, 0));
    EXPECT_TRUE(window().mouse_queue.is_full());
    EXPECT_EQ(window().mouse_queue.count(), 63);

    EXPECT_EQ(window_proc(hwnd, MOUSE_WAIT_REQUEST, 0, 0), 0);
    EXPECT_TRUE(Pellux::mouse_waiting.load());
    window_proc(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(99, 99));
    EXPECT_EQ(window().mouse_queue.count(), 63);
    EXPECT_FALSE(Pellux::mouse_waiting.load());
    EXPECT_TRUE(event_signalled());

    // The queued ones are intact and in order; the dropped one is nowhere.
    for (int i = 0; i < 63; ++i) {
        const MOUSEMSG record = take();
        ASSERT_EQ(record.message, static_cast<std::uint32_t>(WM_MOUSEMOVE));
        ASSERT_EQ(record.x, i);
    }
    EXPECT_FALSE(mouse_has_message());
}

TEST_F(WindowProc, OnlyTheFirstMouseMessageAfterARequestWakes) {
    window_proc(hwnd, WM_MOUSEMOVE, 0, 0);
    EXPECT_FALSE(event_signalled());  // no request yet: nobody is released

    window_proc(hwnd, MOUSE_WAIT_REQUEST, 0, 0);
    window_proc(hwnd, WM_MOUSEMOVE, 0, 0);
    EXPECT_TRUE(event_signalled());
    window_proc(hwnd, WM_MOUSEMOVE, 0, 0);
    EXPECT_FALSE(event_signalled());
}

class WithConsoleStandIn : public WindowProc {
protected:
    void SetUp() override {
        WindowProc::SetUp();
        console_received.clear();
        console = make_test_window(console_procedure);
        ASSERT_NE(console, nullptr);
        saved_console = Pellux::console_window.exchange(console);
    }
    void TearDown() override {
        Pellux::console_window = saved_console;
        DestroyWindow(console);
        drain_posted(nullptr);
        WindowProc::TearDown();
    }
    HWND console = nullptr;
    HWND saved_console = nullptr;
};

TEST_F(WithConsoleStandIn, KeysGoOnToTheConsoleExceptCtrlBreak) {
    const struct {
        UINT message;
        WPARAM key;
        bool passed_on;
    } cases[] = {
        {WM_KEYDOWN, 'A', true},
        {WM_KEYUP, 'A', true},
        {WM_KEYDOWN, VK_RETURN, true},
        {WM_KEYDOWN, VK_CANCEL, false},
        {WM_KEYUP, VK_CANCEL, false},
    };
    for (const auto& c : cases) {
        const LPARAM detail = 0x001E0001;
        EXPECT_EQ(window_proc(hwnd, c.message, c.key, detail), 0);
        const std::vector<MSG> posted = drain_posted(console);
        std::vector<MSG> keys;
        for (const MSG& msg : posted)
            if (msg.message == c.message) keys.push_back(msg);
        ASSERT_EQ(keys.size(), c.passed_on ? 1u : 0u) << c.key;
        if (c.passed_on) {
            EXPECT_EQ(keys[0].wParam, c.key);
            EXPECT_EQ(keys[0].lParam, detail);
        }
    }
}

TEST_F(WithConsoleStandIn, DestroyAsksTheConsoleToCloseAndEndsTheLoop) {
    EXPECT_EQ(window_proc(hwnd, WM_DESTROY, 0, 0), 0);
    ASSERT_EQ(console_received.size(), 1u);
    EXPECT_EQ(console_received[0].message, static_cast<UINT>(WM_CLOSE));
    MSG quit{};
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(WindowProc, KeysWithoutAConsoleGoNowhere) {
    ASSERT_EQ(Pellux::console_window.load(), nullptr);
    drain_posted(nullptr);
    EXPECT_EQ(window_proc(hwnd, WM_KEYDOWN, 'B', 0), 0);
    EXPECT_EQ(window_proc(hwnd, WM_KEYUP, 'B', 0), 0);
    // Not even as a message of the calling thread (what a post to a null window would be).
    for (const MSG& msg : drain_posted(nullptr)) {
        EXPECT_NE(msg.message, static_cast<UINT>(WM_KEYDOWN));
        EXPECT_NE(msg.message, static_cast<UINT>(WM_KEYUP));
    }
}

TEST_F(WindowProc, PaintValidatesAndPaintsNothing) {
    HWND own = make_test_window(served_procedure);
    ASSERT_NE(own, nullptr);
    ShowWindow(own, SW_SHOW);  // a hidden window collects no update region
    InvalidateRect(own, nullptr, FALSE);
    RECT update{};
    EXPECT_TRUE(GetUpdateRect(own, &update, FALSE));
    EXPECT_EQ(window_proc(own, WM_PAINT, 0, 0), 0);
    EXPECT_FALSE(GetUpdateRect(own, &update, FALSE));
    DestroyWindow(own);
    drain_posted(nullptr);
}

TEST_F(WindowProc, OtherMessagesGoToTheDefaultProcedure) {
    HWND own = make_test_window(served_procedure);
    ASSERT_NE(own, nullptr);
    const WCHAR* text = Pellux::wide(u"served");
    EXPECT_EQ(window_proc(own, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)), TRUE);
    WCHAR read[20] = {};
    GetWindowTextW(own, read, 20);
    EXPECT_EQ(std::basic_string<WCHAR>(read), std::basic_string<WCHAR>(text));
    DestroyWindow(own);
    drain_posted(nullptr);
}

TEST_F(WindowProc, CloseOfTheCurrentWindowFromAnotherThreadHidesIt) {
    EXPECT_EQ(window_proc(hwnd, WM_CLOSE, 0, 0), 0);
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_FALSE(IsWindowVisible(hwnd));
    EXPECT_EQ(window().hwnd.load(), nullptr);
}

TEST_F(WindowProc, CloseOfAnEarlierWindowLeavesTheCurrentOneOpen) {
    HWND second = open_window(80, 60, 0);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(window_proc(hwnd, WM_CLOSE, 0, 0), 0);
    EXPECT_EQ(window().hwnd.load(), second);
    EXPECT_TRUE(IsWindowVisible(second));
}

TEST(WindowProcDeathTest, DestroyWithoutAConsoleEndsTheProgramWithStatusZero) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            if (Pellux::console_window.load()) std::exit(5);
            window_proc(nullptr, WM_DESTROY, 0, 0);
            std::exit(4);
        },
        testing::ExitedWithCode(0), "");
}

} // namespace
