// The console on Linux: no console window, allocation without effect, Ctrl+C ignored on request.
#include <win32.h>

#include <gtest/gtest.h>

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

TEST(Console, HandlerRoutinesAreNotOffered) {
    const PHANDLER_ROUTINE handler = [](DWORD) -> BOOL { return TRUE; };
    EXPECT_FALSE(SetConsoleCtrlHandler(handler, TRUE));
    EXPECT_EQ(GetLastError(), ERROR_CALL_NOT_IMPLEMENTED);
}

} // namespace
