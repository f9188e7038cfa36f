// Recursive critical sections.
#include "kernel_test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

class CriticalSectionTest : public testing::Test {
protected:
    void SetUp() override { InitializeCriticalSection(&section); }
    void TearDown() override { DeleteCriticalSection(&section); }
    CRITICAL_SECTION section;
};

TEST_F(CriticalSectionTest, OwnerMayEnterAgainAndOthersWaitUntilTheLastLeave) {
    EnterCriticalSection(&section);
    EnterCriticalSection(&section);
    EXPECT_TRUE(TryEnterCriticalSection(&section));
    bool other_got_it = true;
    std::thread([&] { other_got_it = TryEnterCriticalSection(&section) != FALSE; }).join();
    EXPECT_FALSE(other_got_it);

    LeaveCriticalSection(&section);
    LeaveCriticalSection(&section);
    std::thread([&] { other_got_it = TryEnterCriticalSection(&section) != FALSE; }).join();
    EXPECT_FALSE(other_got_it) << "still held once";

    LeaveCriticalSection(&section);
    std::thread([&] {
        other_got_it = TryEnterCriticalSection(&section) != FALSE;
        if (other_got_it) LeaveCriticalSection(&section);
    }).join();
    EXPECT_TRUE(other_got_it);
}

TEST_F(CriticalSectionTest, KeepsConcurrentUpdatesWhole) {
    long long total = 0;
    constexpr int threads = 4;
    constexpr int rounds = 20000;
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back([&] {
            for (int i = 0; i < rounds; ++i) {
                EnterCriticalSection(&section);
                EnterCriticalSection(&section); // nested, as the library's operations do
                const long long seen = total;
                total = seen + 1;
                LeaveCriticalSection(&section);
                LeaveCriticalSection(&section);
            }
        });
    }
    for (auto& worker : workers) worker.join();
    EXPECT_EQ(total, static_cast<long long>(threads) * rounds);
}

TEST_F(CriticalSectionTest, WaiterProceedsWhenTheOwnerLeaves) {
    EnterCriticalSection(&section);
    std::atomic<bool> entered{false};
    std::thread waiter([&] {
        EnterCriticalSection(&section);
        entered = true;
        LeaveCriticalSection(&section);
    });
    Sleep(20);
    EXPECT_FALSE(entered.load());
    LeaveCriticalSection(&section);
    waiter.join();
    EXPECT_TRUE(entered.load());
}

} // namespace
