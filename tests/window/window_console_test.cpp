// How the window and the console give way to each other on Windows. Each case runs in a process
// of its own, which first arranges the console it needs.
#include <cstdio>
#include <cstdlib>

#include "window_test_support.h"

namespace {

using namespace window_test;

RECT rect_of(HWND hwnd) {
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    return rect;
}

// A console with a window of its own, like the one a program started from the desktop gets.
HWND fresh_console() {
    FreeConsole();
    AllocConsole();
    return GetConsoleWindow();
}

// Without WND_SHOWCONSOLE the window opens where the console stands (a negative coordinate
// becomes 0) and the console is hidden; closing from the caller's thread brings the console
// back where the window last stood.
TEST(WindowConsoleDeathTest, ConsoleGivesWayToTheWindow) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            HWND console = fresh_console();
            if (!console) std::exit(10);
            SetWindowPos(console, nullptr, -30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            HWND hwnd = open_window(150, 100, 0);
            if (!hwnd) std::exit(11);
            if (IsWindowVisible(console)) std::exit(12);
            const RECT placed = rect_of(hwnd);
            if (placed.left != 0 || placed.top != rect_of(console).top) std::exit(13);
            SetWindowPos(hwnd, nullptr, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            close_window();
            if (!IsWindowVisible(console)) std::exit(14);
            const RECT back = rect_of(console);
            if (back.left != 200 || back.top != 150) std::exit(15);
            // The window's thread goes on, hidden; the program goes on too.
            if (!IsWindow(hwnd) || IsWindowVisible(hwnd)) std::exit(16);
            std::exit(0);
        },
        testing::ExitedWithCode(0), "");
}

TEST(WindowConsoleDeathTest, ShowConsoleCreatesAConsoleAndFreesItAgain) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            FreeConsole();
            if (GetConsoleWindow()) std::exit(10);
            HWND hwnd = open_window(150, 100, WND_SHOWCONSOLE);
            if (!hwnd) std::exit(11);
            HWND console = GetConsoleWindow();
            if (!console || Pellux::console_window.load() != console) std::exit(12);
            if (!window().console_out || !window().console_in) std::exit(13);
            if (!IsWindowVisible(console) || !IsWindowVisible(hwnd)) std::exit(14);
            std::fputs("to the console\n", stdout);
            close_window();
            if (GetConsoleWindow() || Pellux::console_window.load()) std::exit(15);
            if (window().console_out || window().console_in) std::exit(16);
            // The standard streams lead nowhere now, but they are still streams.
            std::fputs("to nowhere\n", stdout);
            std::fflush(stdout);
            std::exit(0);
        },
        testing::ExitedWithCode(0), "");
}

TEST(WindowConsoleDeathTest, ShowConsoleLeavesAnExistingConsoleAlone) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            HWND console = fresh_console();
            if (!console) std::exit(10);
            const RECT before = rect_of(console);
            HWND hwnd = open_window(150, 100, WND_SHOWCONSOLE);
            if (!hwnd) std::exit(11);
            if (!IsWindowVisible(console)) std::exit(12);
            if (window().console_out) std::exit(13);
            close_window();
            if (GetConsoleWindow() != console || !IsWindowVisible(console)) std::exit(14);
            const RECT after = rect_of(console);
            if (after.left != before.left || after.top != before.top) std::exit(15);
            std::exit(0);
        },
        testing::ExitedWithCode(0), "");
}

// Keys typed into the window go on to the console window, which turns them into console input.
TEST(WindowConsoleDeathTest, KeysGoOnToTheConsoleWindow) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            HWND console = fresh_console();
            if (!console) std::exit(10);
            HANDLE input = CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, 0, nullptr);
            if (input == INVALID_HANDLE_VALUE) std::exit(11);
            FlushConsoleInputBuffer(input);
            HWND hwnd = open_window(150, 100, WND_SHOWCONSOLE);
            if (!hwnd) std::exit(12);
            SendMessageW(hwnd, WM_KEYDOWN, VK_CANCEL, 0x00460001);  // Ctrl+Break stays behind
            SendMessageW(hwnd, WM_KEYDOWN, 'Q', 0x00100001);
            for (int i = 0; i < 500; ++i) {
                INPUT_RECORD records[16];
                DWORD read = 0;
                if (WaitForSingleObject(input, 10) == WAIT_OBJECT_0 && ReadConsoleInputW(input, records, 16, &read)) {
                    for (DWORD r = 0; r < read; ++r) {
                        if (records[r].EventType != KEY_EVENT) continue;
                        const WORD key = records[r].Event.KeyEvent.wVirtualKeyCode;
                        if (key == VK_CANCEL) std::exit(13);
                        if (key == 'Q') std::exit(0);
                    }
                }
            }
            std::exit(14);
        },
        testing::ExitedWithCode(0), "");
}

} // namespace
