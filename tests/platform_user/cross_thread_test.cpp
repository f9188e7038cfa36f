// Windows of other threads: sending blocks until the owner pumps and runs on the owner; a
// blocked sender still serves its own windows; only the owner may destroy a window.
#include "user_test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>

namespace {

constexpr UINT kStop = WM_APP + 100;

// A thread that owns one window and pumps its messages once told to start.
class WindowThread {
public:
    explicit WindowThread(TestClass& cls, bool pump_at_once = true) {
        auto started = std::make_shared<std::promise<void>>();
        auto go = go_.get_future().share();
        if (pump_at_once) go_.set_value();
        thread_ = std::thread([this, &cls, go] {
            thread_id_ = GetCurrentThreadId();
            hwnd_ = cls.create();
            ready_.set_value();
            go.wait();
            MSG msg;
            while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
                if (msg.message == kStop) break;
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            if (destroy_at_end_) DestroyWindow(hwnd_);
        });
        ready_.get_future().wait();
        pumping_ = pump_at_once;
    }
    ~WindowThread() {
        start_pumping();
        if (IsWindow(hwnd_)) PostMessageW(hwnd_, kStop, 0, 0);
        else PostThreadMessageW(thread_id_, kStop, 0, 0);
        thread_.join();
    }
    void start_pumping() {
        if (!pumping_) go_.set_value();
        pumping_ = true;
    }
    HWND hwnd() const { return hwnd_; }
    DWORD thread_id() const { return thread_id_; }
    void keep_window() { destroy_at_end_ = false; }

private:
    std::promise<void> ready_;
    std::promise<void> go_;
    bool pumping_ = false;
    std::atomic<bool> destroy_at_end_{true};
    std::thread thread_;
    HWND hwnd_ = nullptr;
    DWORD thread_id_ = 0;
};

} // namespace

TEST(CrossThread, SendRunsOnTheOwnerThreadOnlyWhenItPumps) {
    TestClass cls;
    WindowThread owner(cls, false);
    ASSERT_NE(owner.hwnd(), nullptr);
    set_reaction([](HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        if (message != WM_APP) return false;
        result = static_cast<LRESULT>(wParam) + lParam;
        return true;
    });
    std::atomic<bool> returned{false};
    auto result = std::async(std::launch::async, [&] {
        const LRESULT r = SendMessageW(owner.hwnd(), WM_APP, 40, 2);
        returned = true;
        return r;
    });
    // The owner does not pump yet: the sender cannot have its answer.
    EXPECT_EQ(result.wait_for(std::chrono::milliseconds(100)), std::future_status::timeout);
    EXPECT_FALSE(returned);
    owner.start_pumping();
    EXPECT_EQ(result.get(), 42);
    bool found = false;
    for (const auto& r : message_log().all()) {
        if (r.message == WM_APP) {
            EXPECT_EQ(r.thread, owner.thread_id());
            found = true;
        }
    }
    EXPECT_TRUE(found);
}

TEST(CrossThread, ABlockedSenderServesMessagesSentToItsOwnWindows) {
    TestClass cls;
    HWND mine = cls.create();
    ASSERT_NE(mine, nullptr);
    WindowThread owner(cls);
    const HWND theirs = owner.hwnd();
    const DWORD me = GetCurrentThreadId();
    std::atomic<DWORD> served_on{0};
    set_reaction([&](HWND hwnd, UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
        if (message == WM_APP && hwnd == theirs) {
            // Ask the sender's window while the sender waits for this answer.
            result = SendMessageW(mine, WM_APP + 1, wParam, 0) + 1;
            return true;
        }
        if (message == WM_APP + 1 && hwnd == mine) {
            served_on = GetCurrentThreadId();
            result = static_cast<LRESULT>(wParam) * 10;
            return true;
        }
        return false;
    });
    EXPECT_EQ(SendMessageW(theirs, WM_APP, 4, 0), 41);
    EXPECT_EQ(served_on.load(), me);
    DestroyWindow(mine);
}

TEST(CrossThread, OnlyTheOwnerThreadDestroysAWindow) {
    TestClass cls;
    {
        WindowThread owner(cls);
        const HWND hwnd = owner.hwnd();
        SetLastError(0);
        EXPECT_FALSE(DestroyWindow(hwnd));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
        EXPECT_TRUE(IsWindow(hwnd));
        EXPECT_EQ(message_log().count(hwnd, WM_DESTROY), 0);
        // Asked properly, the owner destroys it on its own thread.
        EXPECT_EQ(SendMessageW(hwnd, WM_CLOSE, 0, 0), 0);
        EXPECT_FALSE(IsWindow(hwnd));
        EXPECT_EQ(message_log().count(hwnd, WM_DESTROY), 1);
        for (const auto& r : message_log().all()) {
            if (r.hwnd == hwnd && r.message == WM_DESTROY) {
                EXPECT_EQ(r.thread, owner.thread_id());
            }
        }
    }
}

TEST(CrossThread, PostedMessagesReachTheOwnersLoopAndHidingWorksFromOutside) {
    TestClass cls;
    WindowThread owner(cls);
    std::promise<DWORD> handled;
    set_reaction([&](HWND, UINT message, WPARAM, LPARAM, LRESULT& result) {
        if (message != WM_APP + 5) return false;
        handled.set_value(GetCurrentThreadId());
        result = 0;
        return true;
    });
    ASSERT_TRUE(PostMessageW(owner.hwnd(), WM_APP + 5, 0, 0));
    EXPECT_EQ(handled.get_future().get(), owner.thread_id());
    EXPECT_EQ(GetWindowThreadProcessId(owner.hwnd(), nullptr), owner.thread_id());

    EXPECT_FALSE(ShowWindow(owner.hwnd(), SW_SHOW));
    EXPECT_TRUE(IsWindowVisible(owner.hwnd()));
    EXPECT_TRUE(ShowWindow(owner.hwnd(), SW_HIDE));
    EXPECT_FALSE(IsWindowVisible(owner.hwnd()));
    set_reaction(nullptr);
}

TEST(CrossThread, AWindowDiesWithItsThreadAndSendersAreReleased) {
    TestClass cls;
    HWND hwnd = nullptr;
    {
        WindowThread owner(cls);
        owner.keep_window();
        hwnd = owner.hwnd();
    }
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(SendMessageW(hwnd, WM_APP, 0, 0), 0);
}
