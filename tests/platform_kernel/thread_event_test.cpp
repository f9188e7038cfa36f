// Threads, events, waits and handles.
#include "kernel_test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

using namespace kernel_test;

namespace {

struct ThreadProbe {
    DWORD seen_id = 0;
    HANDLE go = nullptr;
};

DWORD WINAPI report_id(LPVOID parameter) {
    auto* probe = static_cast<ThreadProbe*>(parameter);
    probe->seen_id = GetCurrentThreadId();
    return 7;
}

DWORD WINAPI wait_for_go(LPVOID parameter) {
    auto* probe = static_cast<ThreadProbe*>(parameter);
    WaitForSingleObject(probe->go, INFINITE);
    return 11;
}

DWORD WINAPI exit_early(LPVOID) {
    ExitThread(23);
}

struct GoAndDone {
    HANDLE go;
    HANDLE done;
};

DWORD WINAPI wait_then_report(LPVOID parameter) {
    auto* events = static_cast<GoAndDone*>(parameter);
    WaitForSingleObject(events->go, INFINITE);
    SetEvent(events->done);
    return 0;
}

TEST(Threads, RunTheRoutineWithItsParameterAndReportTheirId) {
    ThreadProbe probe;
    DWORD id = 0;
    HANDLE thread = CreateThread(nullptr, 0, report_id, &probe, 0, &id);
    ASSERT_NE(thread, nullptr);
    EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(probe.seen_id, id);
    EXPECT_NE(id, GetCurrentThreadId());
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(code, 7u);
    EXPECT_TRUE(CloseHandle(thread));
}

TEST(Threads, HandleSignalsOnlyWhenTheThreadEnds) {
    ThreadProbe probe;
    probe.go = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE thread = CreateThread(nullptr, 0, wait_for_go, &probe, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    EXPECT_EQ(WaitForSingleObject(thread, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_EQ(WaitForSingleObject(thread, 30), static_cast<DWORD>(WAIT_TIMEOUT));
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(code, static_cast<DWORD>(STILL_ACTIVE));
    SetEvent(probe.go);
    EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
    // A thread handle stays signalled.
    EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_OBJECT_0);
    EXPECT_TRUE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(code, 11u);
    CloseHandle(thread);
    CloseHandle(probe.go);
}

TEST(Threads, HandleMayBeClosedWhileTheThreadRuns) {
    GoAndDone events{CreateEventW(nullptr, TRUE, FALSE, nullptr), CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    HANDLE thread = CreateThread(nullptr, 0, wait_then_report, &events, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    EXPECT_TRUE(CloseHandle(thread));
    SetEvent(events.go);
    EXPECT_EQ(WaitForSingleObject(events.done, INFINITE), WAIT_OBJECT_0);
    CloseHandle(events.done);
    CloseHandle(events.go);
}

TEST(Threads, ExitThreadEndsTheThreadWithItsCode) {
    HANDLE thread = CreateThread(nullptr, 0, exit_early, nullptr, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(code, 23u);
    CloseHandle(thread);
}

TEST(Threads, SuspendedThreadStartsOnResume) {
    ThreadProbe probe;
    HANDLE thread = CreateThread(nullptr, 0, report_id, &probe, CREATE_SUSPENDED, nullptr);
    ASSERT_NE(thread, nullptr);
    EXPECT_EQ(WaitForSingleObject(thread, 30), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_EQ(probe.seen_id, 0u);
    EXPECT_EQ(ResumeThread(thread), 1u);
    EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
    EXPECT_NE(probe.seen_id, 0u);
    CloseHandle(thread);
}

TEST(Threads, LastErrorBelongsToEachThread) {
    // Plain atomics hand over between the threads: any platform call could set the last error.
    std::atomic<int> step{0};
    DWORD other = 0;
    std::thread worker([&] {
        while (step.load() != 1) {
        }
        SetLastError(99);
        other = GetLastError();
        step = 2;
    });
    SetLastError(1234);
    step = 1;
    while (step.load() != 2) {
    }
    const DWORD mine = GetLastError();
    worker.join();
    EXPECT_EQ(other, 99u);
    EXPECT_EQ(mine, 1234u);
}

TEST(Events, AutoResetReleasesOneWaiterPerSignal) {
    HANDLE event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    ASSERT_NE(event, nullptr);
    std::atomic<int> released{0};
    std::vector<std::thread> waiters;
    for (int i = 0; i < 3; ++i)
        waiters.emplace_back([&] {
            if (WaitForSingleObject(event, INFINITE) == WAIT_OBJECT_0) ++released;
        });
    for (int signals = 1; signals <= 3; ++signals) {
        SetEvent(event);
        while (released.load() < signals) Sleep(1);
        Sleep(10);
        EXPECT_EQ(released.load(), signals);
    }
    for (auto& waiter : waiters) waiter.join();
    // Each signal was used up by its waiter.
    EXPECT_EQ(WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    CloseHandle(event);
}

TEST(Events, AutoResetSignalWaitsForItsWaiter) {
    HANDLE event = CreateEventW(nullptr, FALSE, TRUE, nullptr);
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    SetEvent(event);
    SetEvent(event); // signalling twice is still one signal
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    CloseHandle(event);
}

TEST(Events, ManualResetStaysSignalledUntilReset) {
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    EXPECT_EQ(WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_TRUE(SetEvent(event));
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(event, INFINITE), WAIT_OBJECT_0);
    EXPECT_TRUE(ResetEvent(event));
    EXPECT_EQ(WaitForSingleObject(event, 10), static_cast<DWORD>(WAIT_TIMEOUT));
    CloseHandle(event);
}

TEST(Events, NamedEventIsSharedByName) {
    HANDLE first = CreateEventW(nullptr, TRUE, FALSE, W(u"pellux-kernel-test-named-event"));
    ASSERT_NE(first, nullptr);
    HANDLE second = CreateEventW(nullptr, TRUE, FALSE, W(u"pellux-kernel-test-named-event"));
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_NE(first, second);
    SetEvent(first);
    EXPECT_EQ(WaitForSingleObject(second, 0), WAIT_OBJECT_0);
    CloseHandle(first);
    CloseHandle(second);
    // With every handle closed the name is free: a new event starts unsignalled.
    HANDLE fresh = CreateEventW(nullptr, TRUE, FALSE, W(u"pellux-kernel-test-named-event"));
    EXPECT_EQ(GetLastError(), 0u);
    EXPECT_EQ(WaitForSingleObject(fresh, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    CloseHandle(fresh);
}

TEST(Handles, ClosedOrUnknownHandlesAreRefused) {
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    EXPECT_TRUE(CloseHandle(event));
    SetLastError(0);
    EXPECT_EQ(WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_FAILED));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(SetEvent(event));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(CloseHandle(event));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST(Time, SleepAdvancesTheTickCount) {
    const ULONGLONG before64 = GetTickCount64();
    const DWORD before = GetTickCount();
    Sleep(60);
    // The platform's ticks may lag the sleep by one timer period (about 16 ms).
    EXPECT_GE(GetTickCount64() - before64, 40u);
    EXPECT_GE(static_cast<DWORD>(GetTickCount() - before), 40u);
}

TEST(Time, TickCountIsTheLowPartOfTheLongTickCount) {
    const DWORD low = GetTickCount();
    const ULONGLONG full = GetTickCount64();
    EXPECT_LE(static_cast<DWORD>(static_cast<DWORD>(full) - low), 1000u);
}

} // namespace
