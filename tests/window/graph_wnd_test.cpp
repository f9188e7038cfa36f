// The window object: the open handshake, what the window looks like, the refresh and batch
// drawing, resizing, closing from another thread, and the end of the program by the close
// command.
#include <cstdlib>
#include <string>

#include "window_appearance.h"
#include "window_thread.h"
#include "window_test_support.h"

namespace {

using namespace window_test;
using Pellux::WideString;

constexpr COLORREF red = RGB(255, 0, 0);
constexpr COLORREF green = RGB(0, 255, 0);
constexpr COLORREF blue = RGB(0, 0, 255);

SIZE client_size(HWND hwnd) {
    RECT rect{};
    GetClientRect(hwnd, &rect);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

WideString window_text(HWND hwnd) {
    WCHAR text[300] = {};
    GetWindowTextW(hwnd, text, 300);
    return text;
}

WideString own_title() {
    WCHAR path[260] = {};
    GetModuleFileNameW(nullptr, path, 260);
    return Pellux::window_title_from_path(path);
}

using WindowOpen = WindowTest;

TEST_F(WindowOpen, HandshakeLeavesTheWindowReadyAsTheTarget) {
    HWND hwnd = open_window(120, 80, 0);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_EQ(window().hwnd.load(), hwnd);
    // The window belongs to a thread of its own.
    EXPECT_NE(GetWindowThreadProcessId(hwnd, nullptr), GetCurrentThreadId());

    const SIZE client = client_size(hwnd);
    EXPECT_EQ(client.cx, 120);
    EXPECT_EQ(client.cy, 80);
    EXPECT_EQ(window().width, 120);
    EXPECT_EQ(window().height, 80);

    ASSERT_NE(window().client_dc, nullptr);
    EXPECT_EQ(graph_state.window_dc, window().client_dc);
    EXPECT_EQ(graph_state.target, &window());
    EXPECT_EQ(graph_state.target_dc, window().dc);
    EXPECT_EQ(graph_state.current_device, graph_state.window_device.get());
    EXPECT_EQ(get_pixel_buffer(nullptr), window().buffer);
}

// The handshake's signal is taken by open: the event it shares with the wait for mouse input
// is left unsignalled, so a later wait is not released at once.
TEST_F(WindowOpen, HandshakeLeavesTheEventUnsignalled) {
    for (int i = 0; i < 5; ++i) {
        ASSERT_NE(open_window(40 + i, 30, 0), nullptr);
        EXPECT_EQ(WaitForSingleObject(window().event, 50), static_cast<DWORD>(WAIT_TIMEOUT)) << "open " << i;
    }
}

TEST_F(WindowOpen, ClassAndTitle) {
    HWND hwnd = open_window(40, 30, 0);
    ASSERT_NE(hwnd, nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    ASSERT_TRUE(GetClassInfoExW(GetModuleHandleW(nullptr), Pellux::wide(u"PelluxWnd"), &wc));
    EXPECT_EQ(wc.lpfnWndProc, &Pellux::window_proc);
    EXPECT_EQ(wc.style & (CS_DBLCLKS | CS_NOCLOSE), static_cast<UINT>(CS_DBLCLKS));
    EXPECT_EQ(window_text(hwnd), own_title());
    EXPECT_FALSE(own_title().empty());
}

TEST_F(WindowOpen, StyleFollowsTheFlags) {
    constexpr DWORD frame_bits = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME;
    const struct {
        int flags;
        DWORD style;
    } cases[] = {
        {0, 0x00CA0000},
        {WND_NOMINIMIZE, 0x00C80000},
        {WND_NOCLOSE, 0x00CA0000},
        {8 | 16 | 0x100, 0x00CA0000},  // bits other than 1, 2 and 4 change nothing
        {WND_NOMINIMIZE | WND_NOCLOSE | 64, 0x00C80000},
    };
    for (const auto& c : cases) {
        HWND hwnd = open_window(30, 20, c.flags);
        ASSERT_NE(hwnd, nullptr) << c.flags;
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)) & frame_bits, c.style) << "flags " << c.flags;
        close_window();
    }
}

TEST(WindowTitle, IsTheFileNameWithoutItsLastExtension) {
    const struct {
        const char16_t* path;
        const char16_t* title;
    } cases[] = {
        {u"C:\\tools\\my.viewer.exe", u"my.viewer"},
        {u"C:\\tools\\viewer.exe", u"viewer"},
        {u"/usr/local/bin/viewer", u"viewer"},
        {u"C:\\dir.with.dots\\viewer", u"viewer"},  // a dot of the folder is not an extension
        {u"/opt/a.b/viewer", u"viewer"},
        {u"viewer.exe", u"viewer"},
        {u"viewer", u"viewer"},
        {u"C:\\tools\\.hidden", u".hidden"},
        {u"C:\\tools\\", u""},
        {u"", u""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Pellux::window_title_from_path(Pellux::wide(c.path)), WideString(Pellux::wide(c.title)))
            << std::string(c.path, c.path + std::char_traits<char16_t>::length(c.path));
    }
    EXPECT_TRUE(Pellux::window_title_from_path(nullptr).empty());
}

// The class registered by the first window thread stays for the life of the process, so the
// close command's class style is checked in a process of its own.
TEST(WindowClassDeathTest, NoCloseFlagGivesTheClassNoCloseCommand) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            HWND hwnd = open_window(30, 20, WND_NOCLOSE);
            WNDCLASSEXW wc{};
            wc.cbSize = sizeof(wc);
            const bool found = GetClassInfoExW(GetModuleHandleW(nullptr), Pellux::wide(u"PelluxWnd"), &wc);
            close_window();
            std::exit(hwnd && found && wc.style == (CS_NOCLOSE | CS_DBLCLKS) ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

using WindowRefresh = WindowTest;

TEST_F(WindowRefresh, WindowThreadCopiesTheSurface) {
    HWND hwnd = open_window(60, 40, 0);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(client_pixel(hwnd, 5, 5), 0u);  // open shows the cleared, black surface at once
    window_device().put_pixel(5, 5, red);
    window_device().put_pixel(59, 39, green);
    EXPECT_TRUE(wait_until([&] { return client_pixel(hwnd, 5, 5) == red; }));
    EXPECT_TRUE(wait_until([&] { return client_pixel(hwnd, 59, 39) == green; }));
}

TEST_F(WindowRefresh, BatchModeHoldsTheRefreshBack) {
    HWND hwnd = open_window(60, 40, 0);
    ASSERT_NE(hwnd, nullptr);
    window_device().begin_batch();
    // A refresh that had begun before batch drawing was switched on may still land.
    Sleep(50);
    window_device().put_pixel(7, 3, blue);
    // Many refresh periods pass; none may copy while batch drawing is on.
    Sleep(200);
    EXPECT_EQ(client_pixel(hwnd, 7, 3), 0u);
    // Cleared without a flush of its own: the window thread's refresh brings the pixel.
    window().batch_mode = false;
    EXPECT_TRUE(wait_until([&] { return client_pixel(hwnd, 7, 3) == blue; }));
}

TEST(WindowRefreshTiming, DueAfterMoreThan16TicksAcrossTheWrapAround) {
    const struct {
        DWORD now;
        DWORD last;
        bool due;
    } cases[] = {
        {1016, 1000, false},
        {1017, 1000, true},
        {1000, 1000, false},
        {0x00000005u, 0xFFFFFFF0u, true},   // 21 ticks across the wrap
        {0x00000000u, 0xFFFFFFF0u, false},  // 16 ticks across the wrap
    };
    for (const auto& c : cases) EXPECT_EQ(Pellux::refresh_due(c.now, c.last), c.due) << c.now << " after " << c.last;
}

using WindowResize = WindowTest;

// Growing past the old outer size plus one copies the surface at once; shrinking does not.
TEST_F(WindowResize, FlushesOnlyWhenGrowingPastTheOldWindow) {
    HWND hwnd = open_window(100, 100, 0);
    ASSERT_NE(hwnd, nullptr);
    window_device().begin_batch();  // no periodic refresh: only a flush reaches the window
    Sleep(50);                      // once a refresh already under way has landed

    const struct {
        int size;
        COLORREF color;
        bool flushes;
    } steps[] = {
        {200, red, true},
        {150, green, false},
        {150, blue, false},
        {300, green, true},
    };
    for (const auto& step : steps) {
        window_device().put_pixel(1, 1, step.color);
        window().resize(step.size, step.size);
        EXPECT_EQ(window().width, step.size);
        const SIZE client = client_size(hwnd);
        EXPECT_EQ(client.cx, step.size);
        EXPECT_EQ(client.cy, step.size);
        if (step.flushes)
            EXPECT_EQ(client_pixel(hwnd, 1, 1), step.color) << "resize to " << step.size;
        else
            EXPECT_NE(client_pixel(hwnd, 1, 1), step.color) << "resize to " << step.size;
    }
}

TEST_F(WindowResize, WithAnImageAsTargetOnlyResizes) {
    HWND hwnd = open_window(100, 100, 0);
    ASSERT_NE(hwnd, nullptr);
    window_device().begin_batch();
    Sleep(50);  // a refresh already under way may still land
    window_device().put_pixel(1, 1, red);
    IMAGE image(4, 4);
    set_target_image(&image);
    window().resize(240, 240);
    EXPECT_EQ(window().width, 240);
    EXPECT_EQ(client_size(hwnd).cx, 240);
    EXPECT_NE(client_pixel(hwnd, 1, 1), red);  // no flush: the image device was current
    set_target_image(nullptr);
}

TEST_F(WindowResize, WithoutAWindowOnlyTheSurfaceChanges) {
    HWND hwnd = open_window(50, 50, 0);
    ASSERT_NE(hwnd, nullptr);
    close_window();
    RECT before{};
    GetWindowRect(hwnd, &before);
    window().resize(90, 70);
    EXPECT_EQ(window().width, 90);
    EXPECT_EQ(window().height, 70);
    RECT after{};
    GetWindowRect(hwnd, &after);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
}

TEST_F(WindowResize, RefusedSizeLeavesSurfaceAndWindowAlone) {
    HWND hwnd = open_window(164, 148, 0);
    ASSERT_NE(hwnd, nullptr);
    for (const auto& size : {SIZE{-5, 10}, SIZE{0, 0}, SIZE{10, 0}}) {
        window().resize(size.cx, size.cy);
        EXPECT_EQ(window().width, 164);
        EXPECT_EQ(window().height, 148);
        EXPECT_EQ(client_size(hwnd).cx, 164);
        EXPECT_EQ(client_size(hwnd).cy, 148);
    }
}

using WindowClose = WindowTest;

TEST_F(WindowClose, FromAnotherThreadHidesAndTheThreadKeepsRunning) {
    HWND hwnd = open_window(50, 40, 0);
    ASSERT_NE(hwnd, nullptr);
    window_device().put_pixel(2, 2, green);
    close_window();

    // Not destroyed: only the window's own thread could do that.
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_FALSE(IsWindowVisible(hwnd));
    EXPECT_EQ(window().hwnd.load(), nullptr);
    EXPECT_EQ(window().client_dc, nullptr);
    EXPECT_EQ(graph_state.window_dc, nullptr);
    // The surface outlives the window and stays the target.
    EXPECT_EQ(graph_state.target, &window());
    EXPECT_EQ(get_pixel(2, 2), green);

    // The hidden window's thread still pumps its messages.
    PostMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(3, 4));
    EXPECT_TRUE(wait_until([] { return mouse_has_message(); }));

    // A second close and a reset after the close touch no released device context.
    close_window();
    window_device().set_bk_color(red);
    window_device().reset_defaults();
    EXPECT_EQ(window().bk_color, 0u);
    EXPECT_EQ(window().client_dc, nullptr);
}

TEST_F(WindowClose, WithAnImageAsTargetStillReleasesTheWindowContext) {
    HWND hwnd = open_window(50, 40, 0);
    ASSERT_NE(hwnd, nullptr);
    IMAGE image(3, 3);
    set_target_image(&image);
    close_window();
    EXPECT_EQ(window().client_dc, nullptr);
    // Back to the window: nothing stale to copy to.
    set_target_image(nullptr);
    EXPECT_EQ(graph_state.window_dc, nullptr);
    window_device().flush_batch();
    window_device().reset_defaults();
}

TEST_F(WindowClose, WithNoWindowDoesNothing) {
    close_window();
    close_window();
    EXPECT_EQ(window().hwnd.load(), nullptr);
}

TEST_F(WindowOpen, SecondOpenHidesTheFirstAndMakesANewWindow) {
    HWND first = open_window(140, 100, 0);
    HWND second = open_window(160, 90, 0);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    EXPECT_TRUE(IsWindow(first));
    EXPECT_FALSE(IsWindowVisible(first));
    EXPECT_TRUE(IsWindowVisible(second));
    EXPECT_EQ(window().hwnd.load(), second);
    EXPECT_EQ(client_size(second).cx, 160);
    EXPECT_NE(GetWindowThreadProcessId(first, nullptr), GetWindowThreadProcessId(second, nullptr));
    // The new window is refreshed (by its own thread, and by the first one's too).
    window_device().put_pixel(10, 10, red);
    EXPECT_TRUE(wait_until([&] { return client_pixel(second, 10, 10) == red; }));
}

// Sizes the surface cannot take leave it as it was; the window opens all the same.
TEST_F(WindowOpen, ZeroOrNegativeSizesKeepTheSurface) {
    ASSERT_NE(open_window(32, 24, 0), nullptr);
    for (const auto& size : {SIZE{0, 0}, SIZE{-5, 10}, SIZE{10, -3}, SIZE{0, 50}}) {
        HWND hwnd = open_window(size.cx, size.cy, 0);
        EXPECT_NE(hwnd, nullptr);
        EXPECT_EQ(window().width, 32) << size.cx << "x" << size.cy;
        EXPECT_EQ(window().height, 24);
        EXPECT_EQ(graph_state.current_device, graph_state.window_device.get());
        window_device().put_pixel(31, 23, red);
        EXPECT_EQ(get_pixel(31, 23), red);
    }
}

TEST_F(WindowOpen, ResetDefaultsReachesTheWindowContext) {
    ASSERT_NE(open_window(30, 30, 0), nullptr);
    HDC client = window().client_dc;
    SetBkColor(client, red);
    SetBkMode(client, TRANSPARENT);
    SetTextColor(client, blue);
    SetGraphicsMode(client, GM_COMPATIBLE);
    window_device().reset_defaults();
    EXPECT_EQ(GetBkColor(client), 0u);
    EXPECT_EQ(GetBkMode(client), OPAQUE);
    EXPECT_EQ(GetTextColor(client), 0xFFFFFFu);
    EXPECT_EQ(GetGraphicsMode(client), GM_ADVANCED);
}

// Refuses to be created, standing in for a platform that cannot make the window.
LRESULT CALLBACK refusing_procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) return FALSE;
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// When the window cannot be made, open neither waits for it forever nor takes a device context
// of the screen; the surface still takes the size and stays usable as the target.
TEST(WindowOpenDeathTest, WindowThatCannotBeMade) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            // Registered first, this class is the one the window thread's creation finds.
            WNDCLASSEXW wc{};
            wc.cbSize = sizeof(wc);
            wc.lpfnWndProc = refusing_procedure;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = Pellux::wide(u"PelluxWnd");
            if (!RegisterClassExW(&wc)) std::exit(10);
            if (open_window(100, 80, 0)) std::exit(11);
            if (window().hwnd.load() || window().client_dc || graph_state.window_dc) std::exit(12);
            if (window().width != 100 || window().height != 80) std::exit(13);
            if (graph_state.current_device != graph_state.window_device.get()) std::exit(14);
            window_device().put_pixel(99, 79, RGB(0, 0, 255));
            if (get_pixel(99, 79) != RGB(0, 0, 255)) std::exit(15);
            window_device().flush_batch();
            if (mouse_wait_message()) std::exit(16);
            close_window();
            std::exit(0);
        },
        testing::ExitedWithCode(0), "");
}

// The close command: the window procedure closes the window on its own thread, the window is
// destroyed, and without a console the program ends with status 0, running the library's
// teardown on the window thread while that close is still under way.
TEST(WindowCloseCommandDeathTest, EndsTheProgramWithStatusZero) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            HWND hwnd = open_window(40, 30, 0);
            if (!hwnd) std::exit(2);
            PostMessageW(hwnd, WM_CLOSE, 0, 0);
            for (int i = 0; i < 3000; ++i) Sleep(10);
            std::exit(3);
        },
        testing::ExitedWithCode(0), "");
}

// The same with an earlier window still running hidden: its thread is wound down by the
// teardown, which must not wait for the thread that runs it.
TEST(WindowCloseCommandDeathTest, EndsTheProgramWithAnEarlierWindowHidden) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            open_window(20, 20, 0);
            HWND hwnd = open_window(40, 30, 0);
            if (!hwnd) std::exit(2);
            PostMessageW(hwnd, WM_CLOSE, 0, 0);
            for (int i = 0; i < 3000; ++i) Sleep(10);
            std::exit(3);
        },
        testing::ExitedWithCode(0), "");
}

// Ending normally with the window closed from the caller's thread: the hidden window's thread
// is still running when the teardown destroys the window object.
TEST(WindowTeardownDeathTest, ExitWithAHiddenWindowRunning) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            open_window(40, 30, 0);
            window_device().put_pixel(1, 1, RGB(255, 0, 0));
            close_window();
            open_window(20, 20, 0);  // and one still open
            std::exit(7);
        },
        testing::ExitedWithCode(7), "");
}

} // namespace
