// Start-up has run before main; nothing has chosen a target yet; teardown runs at exit.
#include <gtest/gtest.h>

#include <thread>

#include "graph_state.h"
#include "graphics.h"

namespace {

// These run in order in one process that never chooses a target.
TEST(Lifecycle, StartUpRanBeforeMain) {
    EXPECT_TRUE(graph_state.window.alive());
    EXPECT_TRUE(graph_state.image_device.alive());
    EXPECT_TRUE(graph_state.window_device.alive());
    EXPECT_EQ(graph_state.window->get_width(), 0);
    EXPECT_EQ(graph_state.target, nullptr);
    EXPECT_EQ(graph_state.current_device, nullptr);
    // The start-up limited this thread's batching to one call.
    EXPECT_EQ(GdiSetBatchLimit(1), 1u);
}

TEST(Lifecycle, NoTargetYet) {
    EXPECT_EQ(get_pixel(0, 0), CLR_INVALID);
    flush_batch();  // nothing to flush, and no crash
    EXPECT_EQ(get_pixel_buffer(nullptr), nullptr);
    EXPECT_EQ(graph_state.current_device, nullptr);
}

TEST(Lifecycle, LockIsRecursive) {
    LibraryLock outer;
    LibraryLock inner;  // the same thread takes it again
    bool other_got_it = false;
    std::thread other([&] {
        other_got_it = TryEnterCriticalSection(&graph_state.critical_section) != 0;
        if (other_got_it) LeaveCriticalSection(&graph_state.critical_section);
    });
    other.join();
    EXPECT_FALSE(other_got_it);
}

// Last: after teardown the lock does nothing, and the teardown at exit finds nothing left to do.
TEST(Lifecycle, TeardownRetiresTheLock) {
    library_teardown();
    EXPECT_FALSE(graph_state.window.alive());
    EXPECT_NE(graph_state.lock, static_cast<LockFunction>(EnterCriticalSection));
    {
        LibraryLock lock;  // does nothing, so another thread is not kept out
        bool other_ran = false;
        std::thread other([&] {
            LibraryLock again;
            other_ran = true;
        });
        other.join();
        EXPECT_TRUE(other_ran);
    }
    library_teardown();  // a second teardown is harmless
}

} // namespace
