// Reading mouse input: taking, peeking, testing, discarding, and waiting for the next message
// through the request handshake with the window thread.
#include <atomic>
#include <thread>

#include "window_test_support.h"

namespace {

using namespace window_test;

class MouseInput : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        hwnd = open_window(160, 120, 0);
        ASSERT_NE(hwnd, nullptr);
    }
    // As the window thread would: the procedure queues it.
    void queue_move(int x, int y) { Pellux::window_proc(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }
    HWND hwnd = nullptr;
};

TEST_F(MouseInput, TakePeekTestAndDiscard) {
    MOUSEMSG record{};
    EXPECT_FALSE(mouse_has_message());
    EXPECT_FALSE(mouse_get_message(&record));
    EXPECT_FALSE(mouse_peek_message(&record));

    queue_move(1, 2);
    queue_move(3, 4);
    EXPECT_TRUE(mouse_has_message());
    ASSERT_TRUE(mouse_peek_message(&record));
    EXPECT_EQ(record.x, 1);
    ASSERT_TRUE(mouse_peek_message(&record));  // peeking takes nothing
    EXPECT_EQ(record.x, 1);
    ASSERT_TRUE(mouse_get_message(&record));
    EXPECT_EQ(record.x, 1);
    EXPECT_EQ(record.y, 2);
    ASSERT_TRUE(mouse_get_message(nullptr));  // taken and thrown away
    EXPECT_FALSE(mouse_has_message());

    for (int i = 0; i < 10; ++i) queue_move(i, i);
    mouse_clear_messages();
    EXPECT_FALSE(mouse_has_message());
    EXPECT_FALSE(mouse_get_message(&record));
}

// A posted message goes through the window thread's loop and procedure into the queue.
TEST_F(MouseInput, PostedMessageArrivesThroughTheWindowThread) {
    PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, MAKELPARAM(10, 20));
    ASSERT_TRUE(mouse_wait_message(10000));
    MOUSEMSG record{};
    ASSERT_TRUE(mouse_get_message(&record));
    EXPECT_EQ(record.message, static_cast<std::uint32_t>(WM_LBUTTONDOWN));
    EXPECT_EQ(record.x, 10);
    EXPECT_EQ(record.y, 20);
    EXPECT_TRUE(record.left_button);
    EXPECT_TRUE(record.ctrl);
    EXPECT_FALSE(record.shift);
    EXPECT_FALSE(record.middle_button);
    EXPECT_FALSE(record.right_button);
}

// Sent one by one, 70 messages meet a queue nobody reads: the first 63 stay, in order.
TEST_F(MouseInput, SentMessagesBeyondTheCapacityAreDropped) {
    for (int i = 0; i < 70; ++i) SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(i, 1));
    EXPECT_EQ(window().mouse_queue.count(), 63);
    MOUSEMSG record{};
    for (int i = 0; i < 63; ++i) {
        ASSERT_TRUE(mouse_get_message(&record));
        ASSERT_EQ(record.x, i);
    }
    EXPECT_FALSE(mouse_get_message(&record));
}

// A thread waits; only after the window thread has handled its request does a message arrive.
TEST_F(MouseInput, WaiterIsReleasedByTheNextMessage) {
    std::atomic<int> result{-1};
    std::thread waiter([&] { result = mouse_wait_message() ? 1 : 0; });
    ASSERT_TRUE(wait_until([] { return Pellux::mouse_waiting.load(); }));
    EXPECT_EQ(result.load(), -1);
    PostMessageW(hwnd, WM_RBUTTONUP, 0, MAKELPARAM(5, 6));
    waiter.join();
    EXPECT_EQ(result.load(), 1);
    MOUSEMSG record{};
    ASSERT_TRUE(mouse_get_message(&record));
    EXPECT_EQ(record.message, static_cast<std::uint32_t>(WM_RBUTTONUP));
}

TEST_F(MouseInput, WaitReturnsAtOnceWhenAMessageIsQueued) {
    queue_move(8, 9);
    EXPECT_TRUE(mouse_wait_message());
    EXPECT_TRUE(mouse_has_message());
}

TEST_F(MouseInput, WaitWithATimeLimitEndsWithoutInput) {
    EXPECT_FALSE(mouse_wait_message(50));
    EXPECT_FALSE(mouse_has_message());
}

// With the window closed no message can come: the wait must not block.
TEST_F(MouseInput, WaitWithTheWindowClosedReturnsFalse) {
    close_window();
    EXPECT_FALSE(mouse_wait_message());
    // What is already queued is still there to take.
    queue_move(1, 1);
    EXPECT_TRUE(mouse_wait_message());
}

// A waiter whose window is closed meanwhile is let go.
TEST_F(MouseInput, WaiterIsLetGoWhenTheWindowCloses) {
    std::atomic<int> result{-1};
    std::thread waiter([&] { result = mouse_wait_message() ? 1 : 0; });
    ASSERT_TRUE(wait_until([] { return Pellux::mouse_waiting.load(); }));
    close_window();
    waiter.join();
    EXPECT_EQ(result.load(), 0);
}

// The queue and the requests survive an open: records queued for one window are still there.
TEST_F(MouseInput, QueuedRecordsOutliveAReopen) {
    queue_move(42, 43);
    HWND again = open_window(50, 50, 0);
    ASSERT_NE(again, nullptr);
    MOUSEMSG record{};
    ASSERT_TRUE(mouse_get_message(&record));
    EXPECT_EQ(record.x, 42);
}

} // namespace
