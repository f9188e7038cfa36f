// Through the layer's display on Linux: input as the display delivers it reaches the mouse
// queue, and the window thread's refresh is what the display is given to show.
#include <layer/display.h>

#include <cstdlib>

#include "window_test_support.h"

namespace {

using namespace window_test;

class DisplayedWindow : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        layer::keep_presented_frames(true);
        hwnd = open_window(120, 90, 0);
        ASSERT_NE(hwnd, nullptr);
    }
    void TearDown() override {
        WindowTest::TearDown();
        layer::keep_presented_frames(false);
    }
    MOUSEMSG next() {
        MOUSEMSG record{};
        EXPECT_TRUE(mouse_wait_message(10000));
        EXPECT_TRUE(mouse_get_message(&record));
        return record;
    }
    // The presented pixel, or an impossible value while nothing has been presented yet.
    std::uint32_t presented_at(int x, int y) {
        const layer::WindowPixels shown = layer::presented_pixels(hwnd);
        return shown.width == 120 && shown.height == 90 ? shown.at(x, y) : 0xFFFFFFFFu;
    }
    HWND hwnd = nullptr;
};

TEST_F(DisplayedWindow, ButtonsAndMovesReachTheQueue) {
    ASSERT_TRUE(layer::inject_mouse_move(hwnd, 15, 25));
    ASSERT_TRUE(layer::inject_mouse_button(hwnd, layer::MouseButton::left, true, 10, 20, MK_CONTROL));
    ASSERT_TRUE(layer::inject_mouse_button(hwnd, layer::MouseButton::left, false, 11, 21));
    ASSERT_TRUE(layer::inject_mouse_button(hwnd, layer::MouseButton::right, true, 12, 22, MK_SHIFT));

    MOUSEMSG move = next();
    EXPECT_EQ(move.message, static_cast<std::uint32_t>(WM_MOUSEMOVE));
    EXPECT_EQ(move.x, 15);
    EXPECT_EQ(move.y, 25);

    MOUSEMSG down = next();
    EXPECT_EQ(down.message, static_cast<std::uint32_t>(WM_LBUTTONDOWN));
    EXPECT_EQ(down.x, 10);
    EXPECT_EQ(down.y, 20);
    EXPECT_TRUE(down.left_button);
    EXPECT_TRUE(down.ctrl);

    MOUSEMSG up = next();
    EXPECT_EQ(up.message, static_cast<std::uint32_t>(WM_LBUTTONUP));
    EXPECT_FALSE(up.left_button);

    MOUSEMSG right = next();
    EXPECT_EQ(right.message, static_cast<std::uint32_t>(WM_RBUTTONDOWN));
    EXPECT_TRUE(right.right_button);
    EXPECT_TRUE(right.shift);
}

// The class asks for double-clicks, so the second press arrives as one.
TEST_F(DisplayedWindow, DoubleClickArrivesAsSuch) {
    ASSERT_TRUE(layer::inject_mouse_button(hwnd, layer::MouseButton::middle, true, 5, 5, 0, 2));
    EXPECT_EQ(next().message, static_cast<std::uint32_t>(WM_MBUTTONDBLCLK));
}

TEST_F(DisplayedWindow, WheelArrivesInClientCoordinates) {
    ASSERT_TRUE(layer::inject_mouse_wheel(hwnd, 30, 40, -2 * WHEEL_DELTA));
    const MOUSEMSG wheel = next();
    EXPECT_EQ(wheel.message, static_cast<std::uint32_t>(WM_MOUSEWHEEL));
    EXPECT_EQ(wheel.x, 30);
    EXPECT_EQ(wheel.y, 40);
    EXPECT_EQ(wheel.wheel, -240);
}

TEST_F(DisplayedWindow, RefreshIsPresented) {
    window_device().put_pixel(100, 70, RGB(255, 0, 255));
    EXPECT_TRUE(wait_until([&] {
        const layer::WindowPixels shown = layer::presented_pixels(hwnd);
        return shown.width == 120 && shown.at(100, 70) == 0xFF00FFu;
    }));
}

TEST_F(DisplayedWindow, BatchModePresentsNothingNew) {
    window_device().begin_batch();
    // A refresh already under way may still land; after it nothing more may.
    Sleep(50);
    const std::uint64_t before = layer::present_count(hwnd);
    window_device().put_pixel(3, 3, RGB(0, 255, 255));
    Sleep(200);
    EXPECT_EQ(layer::present_count(hwnd), before);
    window_device().end_batch();
    EXPECT_TRUE(wait_until([&] { return layer::presented_pixels(hwnd).at(3, 3) == 0x00FFFFu; }));
}

// Reading the surface changes nothing on it: the window thread does not copy it again, so
// readers never wait behind a copy. The next change is copied as before.
TEST_F(DisplayedWindow, ReadingAloneCopiesNothing) {
    window_device().put_pixel(5, 5, RGB(255, 0, 0));
    ASSERT_TRUE(wait_until([&] { return presented_at(5, 5) == 0xFF0000u; }));
    Sleep(50);  // a copy already under way may still land
    const std::uint64_t before = layer::present_count(hwnd);
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 200) EXPECT_EQ(get_pixel(5, 5), RGB(255, 0, 0));
    EXPECT_EQ(layer::present_count(hwnd), before);
    window_device().put_pixel(6, 6, RGB(0, 255, 0));
    EXPECT_TRUE(wait_until([&] { return presented_at(6, 6) == 0x00FF00u; }));
}

// Writes through the pixel buffer cannot be seen by the library: once the buffer has been
// handed out, every refresh copies the surface.
TEST_F(DisplayedWindow, BufferWritesAreCopied) {
    DWORD* pixels = get_pixel_buffer(nullptr);
    ASSERT_NE(pixels, nullptr);
    Sleep(50);
    {
        // Held so as not to race with the window thread's copy; as a reader, so that the lock
        // itself does not mark the surface as changed.
        ReadingLock lock;
        pixels[2 * 120 + 7] = 0x0000FF;
    }
    EXPECT_TRUE(wait_until([&] { return presented_at(7, 2) == 0x0000FFu; }));
}

// A terminal is the console on Linux, but it has no window: nothing is created, hidden or
// reopened, whatever the flags.
TEST(TerminalConsole, HasNoWindowToArrange) {
    FILE* out = stdout;
    for (int flags : {0, WND_SHOWCONSOLE}) {
        HWND hwnd = open_window(140, 100, flags);
        ASSERT_NE(hwnd, nullptr);
        EXPECT_EQ(Pellux::console_window.load(), nullptr);
        EXPECT_EQ(window().console_out, nullptr);
        EXPECT_EQ(window().console_in, nullptr);
        EXPECT_FALSE(window().console_existed);
        EXPECT_TRUE(IsWindowVisible(hwnd));
        close_window();
        EXPECT_EQ(stdout, out);
        EXPECT_GE(std::fputs("", stdout), 0);
    }
}

// The close button: the program ends with status 0.
TEST(DisplayedWindowDeathTest, CloseButtonEndsTheProgram) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            HWND hwnd = open_window(40, 30, 0);
            if (!hwnd || !layer::inject_close(hwnd)) std::exit(2);
            for (int i = 0; i < 3000; ++i) Sleep(10);
            std::exit(3);
        },
        testing::ExitedWithCode(0), "");
}

// Keys typed into the window: Linux has no console window, so they go nowhere and nothing
// else happens to the window.
TEST_F(DisplayedWindow, KeysWithoutAConsoleWindowChangeNothing) {
    ASSERT_TRUE(layer::inject_key(hwnd, 'A', true));
    ASSERT_TRUE(layer::inject_key(hwnd, 'A', false));
    ASSERT_TRUE(layer::inject_mouse_move(hwnd, 1, 1));
    EXPECT_EQ(next().message, static_cast<std::uint32_t>(WM_MOUSEMOVE));
    EXPECT_TRUE(IsWindowVisible(hwnd));
}

} // namespace
