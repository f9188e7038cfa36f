// The console on Linux: no console window, allocation without effect, Ctrl+C (SIGINT) ignored
// on request or handed to handler routines.
#include <win32.h>

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>

namespace {

TEST(Console, HasNoWindowAndAllocatesWithoutEffect) {
    EXPECT_EQ(GetConsoleWindow(), nullptr);
    EXPECT_TRUE(AllocConsole());
    EXPECT_EQ(GetConsoleWindow(), nullptr);
    EXPECT_TRUE(FreeConsole());
}

TEST(Console, NullHandlerIgnoresInterruptUntilRemoved) {
    struct sigaction before{};
    sigaction(SIGINT, nullptr, &before);
    ASSERT_TRUE(SetConsoleCtrlHandler(nullptr, TRUE));
    struct sigaction now{};
    sigaction(SIGINT, nullptr, &now);
    EXPECT_EQ(now.sa_handler, SIG_IGN);
    // An interrupt now leaves the process running.
    EXPECT_EQ(raise(SIGINT), 0);
    EXPECT_TRUE(SetConsoleCtrlHandler(nullptr, TRUE)); // twice is still one setting
    ASSERT_TRUE(SetConsoleCtrlHandler(nullptr, FALSE));
    sigaction(SIGINT, nullptr, &now);
    EXPECT_EQ(now.sa_handler, before.sa_handler);
}

// What the handler routines saw; they run on a thread of the layer's.
std::atomic<int> first_calls{0};
std::atomic<int> second_calls{0};
std::atomic<DWORD> seen_event{0xFFFF};
std::atomic<DWORD> handler_thread{0};
HANDLE handled = nullptr;

BOOL WINAPI first_handler(DWORD event) {
    seen_event = event;
    handler_thread = GetCurrentThreadId();
    ++first_calls;
    SetEvent(handled);
    return TRUE;
}

BOOL WINAPI second_handler(DWORD) {
    ++second_calls;
    SetEvent(handled);
    return TRUE;
}

BOOL WINAPI declining_handler(DWORD) { return FALSE; }

class CtrlHandlers : public testing::Test {
protected:
    void SetUp() override {
        handled = CreateEventW(nullptr, FALSE, FALSE, nullptr);
        first_calls = second_calls = 0;
    }
    void TearDown() override { CloseHandle(handled); }

    // Interrupts the process and waits until a handler reports; generous, not a time check.
    static bool interrupt_and_wait() {
        raise(SIGINT);
        return WaitForSingleObject(handled, 10000) == WAIT_OBJECT_0;
    }
};

TEST_F(CtrlHandlers, HandlerGetsCtrlCOnAThreadOfItsOwn) {
    ASSERT_TRUE(SetConsoleCtrlHandler(first_handler, TRUE));
    ASSERT_TRUE(interrupt_and_wait());
    EXPECT_EQ(first_calls.load(), 1);
    EXPECT_EQ(seen_event.load(), CTRL_C_EVENT);
    EXPECT_NE(handler_thread.load(), GetCurrentThreadId());
    EXPECT_TRUE(SetConsoleCtrlHandler(first_handler, FALSE));
}

TEST_F(CtrlHandlers, LatestHandlerIsAskedFirst) {
    ASSERT_TRUE(SetConsoleCtrlHandler(first_handler, TRUE));
    ASSERT_TRUE(SetConsoleCtrlHandler(second_handler, TRUE));
    ASSERT_TRUE(interrupt_and_wait());
    EXPECT_EQ(second_calls.load(), 1);
    EXPECT_EQ(first_calls.load(), 0) << "the second handler took the event";
    EXPECT_TRUE(SetConsoleCtrlHandler(second_handler, FALSE));
    ASSERT_TRUE(interrupt_and_wait());
    EXPECT_EQ(first_calls.load(), 1);
    EXPECT_TRUE(SetConsoleCtrlHandler(first_handler, FALSE));
}

TEST_F(CtrlHandlers, IgnoringWinsOverHandlers) {
    ASSERT_TRUE(SetConsoleCtrlHandler(first_handler, TRUE));
    ASSERT_TRUE(SetConsoleCtrlHandler(nullptr, TRUE));
    raise(SIGINT); // dropped
    ASSERT_TRUE(SetConsoleCtrlHandler(nullptr, FALSE));
    ASSERT_TRUE(interrupt_and_wait());
    EXPECT_EQ(first_calls.load(), 1) << "only the interrupt after ignoring ended reached the handler";
    EXPECT_TRUE(SetConsoleCtrlHandler(first_handler, FALSE));
}

TEST_F(CtrlHandlers, RemovingAnUnknownHandlerFails) {
    EXPECT_FALSE(SetConsoleCtrlHandler(second_handler, FALSE));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST(CtrlHandlersExit, InterruptNobodyTakesEndsTheProcess) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            SetConsoleCtrlHandler(declining_handler, TRUE);
            raise(SIGINT);
            for (;;) Sleep(100);
        },
        testing::KilledBySignal(SIGINT), "");
}

} // namespace
