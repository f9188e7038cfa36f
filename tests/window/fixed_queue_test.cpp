// The 64-slot ring queue: capacity, wrap-around of the 6-bit indices, the empty-queue choice,
// dispatch through the virtual table, and a pusher and a reader on two threads.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "fixed_queue.h"
#include "mouse_msg.h"

namespace {

using Pellux::Collections::FixedQueue;

struct Record {
    int sequence;
    int payload;
};

Record record(int sequence) { return Record{sequence, sequence * 7 + 1}; }

// Exposes the index word, so tests can see the bits beside the indices.
class OpenQueue : public FixedQueue<Record> {
public:
    std::uint32_t word() const { return indices_.load(); }
    void set_spare_bits(std::uint32_t bits) { indices_ = (indices_.load() & 0xFFFu) | (bits & ~0xFFFu); }
};

void push_pop(FixedQueue<Record>& queue, int pairs) {
    for (int i = 0; i < pairs; ++i) {
        queue.push(record(i));
        queue.pop();
    }
}

TEST(FixedQueue, StartsEmpty) {
    FixedQueue<MOUSEMSG> queue;
    EXPECT_TRUE(queue.is_empty());
    EXPECT_FALSE(queue.is_full());
    EXPECT_EQ(queue.count(), 0);
    EXPECT_EQ(queue.read_index(), 0u);
    EXPECT_EQ(queue.write_index(), 0u);
}

TEST(FixedQueue, KeepsOrderAndHoldsAtMost63) {
    FixedQueue<Record> queue;
    for (int i = 0; i < 63; ++i) {
        EXPECT_FALSE(queue.is_full()) << i;
        queue.push(record(i));
        EXPECT_EQ(queue.count(), i + 1);
    }
    EXPECT_TRUE(queue.is_full());
    EXPECT_FALSE(queue.is_empty());

    // The 64th is dropped: nothing moves and the free slot keeps what it held.
    const Record free_slot = queue.slots[63];
    queue.push(record(1000));
    EXPECT_EQ(queue.count(), 63);
    EXPECT_EQ(queue.write_index(), 63u);
    EXPECT_EQ(queue.slots[63].sequence, free_slot.sequence);

    for (int i = 0; i < 63; ++i) {
        EXPECT_EQ(queue.peek().sequence, i);
        const Record taken = queue.pop();
        EXPECT_EQ(taken.sequence, i);
        EXPECT_EQ(taken.payload, i * 7 + 1);
    }
    EXPECT_TRUE(queue.is_empty());
}

TEST(FixedQueue, IndicesWrapAtSixBits) {
    FixedQueue<Record> queue;
    push_pop(queue, 64);
    EXPECT_EQ(queue.read_index(), 0u);
    EXPECT_EQ(queue.write_index(), 0u);
    EXPECT_TRUE(queue.is_empty());

    // read_index 60, write_index 2: six records across the end of the ring.
    push_pop(queue, 60);
    for (int i = 0; i < 6; ++i) queue.push(record(100 + i));
    EXPECT_EQ(queue.read_index(), 60u);
    EXPECT_EQ(queue.write_index(), 2u);
    EXPECT_EQ(queue.count(), 6);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(queue.pop().sequence, 100 + i);
    EXPECT_EQ(queue.count(), 0);
}

TEST(FixedQueue, FullAcrossTheEndOfTheRing) {
    FixedQueue<Record> queue;
    push_pop(queue, 40);
    for (int i = 0; i < 70; ++i) queue.push(record(i));
    EXPECT_EQ(queue.count(), 63);
    EXPECT_TRUE(queue.is_full());
    EXPECT_EQ(queue.write_index(), (40u + 63u) % 64u);
    for (int i = 0; i < 63; ++i) ASSERT_EQ(queue.pop().sequence, i);
}

TEST(FixedQueue, ClearEmptiesButKeepsSlots) {
    FixedQueue<Record> queue;
    push_pop(queue, 10);
    for (int i = 0; i < 5; ++i) queue.push(record(50 + i));
    queue.clear();
    EXPECT_TRUE(queue.is_empty());
    EXPECT_EQ(queue.count(), 0);
    EXPECT_EQ(queue.read_index(), 0u);
    EXPECT_EQ(queue.write_index(), 0u);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(queue.slots[10 + i].sequence, 50 + i);
}

// Taking from an empty queue gives a zeroed record and leaves everything as it was, even when
// the slot under read_index still holds an earlier record.
TEST(FixedQueue, PopAndPeekOnEmptyChangeNothing) {
    FixedQueue<Record> queue;
    queue.push(record(9));
    queue.push(record(10));
    queue.clear();  // both indices 0 again; slot 0 still holds record 9
    for (int round = 0; round < 3; ++round) {
        const Record peeked = queue.peek();
        const Record popped = queue.pop();
        EXPECT_EQ(peeked.sequence, 0);
        EXPECT_EQ(peeked.payload, 0);
        EXPECT_EQ(popped.sequence, 0);
        EXPECT_EQ(popped.payload, 0);
        EXPECT_EQ(queue.read_index(), 0u);
        EXPECT_EQ(queue.write_index(), 0u);
        EXPECT_EQ(queue.count(), 0);
    }
    queue.push(record(11));
    EXPECT_EQ(queue.pop().sequence, 11);
}

TEST(FixedQueue, LeavesTheOtherBitsOfTheWordAlone) {
    OpenQueue queue;
    constexpr std::uint32_t spare = 0xABCDE000u;
    queue.set_spare_bits(spare);
    push_pop(queue, 70);
    for (int i = 0; i < 80; ++i) queue.push(record(i));
    queue.pop();
    EXPECT_EQ(queue.word() & ~0xFFFu, spare);
    EXPECT_EQ(queue.count(), 62);
    queue.clear();
    EXPECT_EQ(queue.word(), spare);
    EXPECT_TRUE(queue.is_empty());
}

// push asks is_full and is_full asks count through the virtual table, so a derived queue can
// change the capacity rule in one place.
TEST(FixedQueue, DispatchesThroughTheTable) {
    struct CountsAsFullAtTwo : FixedQueue<Record> {
        int count() override { return FixedQueue<Record>::count() >= 2 ? 63 : FixedQueue<Record>::count(); }
    };
    CountsAsFullAtTwo queue;
    for (int i = 0; i < 5; ++i) queue.push(record(i));
    EXPECT_TRUE(queue.is_full());
    EXPECT_EQ(queue.write_index(), 2u);

    struct NeverFull : FixedQueue<Record> {
        bool is_full() override { return false; }
    };
    NeverFull unlimited;
    for (int i = 0; i < 64; ++i) unlimited.push(record(i));
    // Past 63 the ring wraps onto itself: the 64th push makes it look empty again.
    EXPECT_TRUE(unlimited.is_empty());
}

// One thread pushes numbered records while another pops and now and then clears. A lost index
// update shows as a record taken twice, out of order, or as a queue that never drains.
TEST(FixedQueue, PusherAndReaderOnTwoThreads) {
    FixedQueue<Record> queue;
    constexpr int total = 200000;
    std::atomic<bool> done{false};
    std::thread pusher([&] {
        for (int i = 1; i <= total; ++i) {
            // Waits for room, so that the reader surely takes part.
            while (queue.is_full()) std::this_thread::yield();
            queue.push(record(i));
        }
        done = true;
    });

    int last = 0;
    int taken = 0;
    bool order_kept = true;
    for (int step = 0;; ++step) {
        if (queue.is_empty()) {
            if (done.load() && queue.is_empty()) break;
            std::this_thread::yield();
            continue;
        }
        if (step % 997 == 0) {
            queue.clear();
            continue;
        }
        const Record r = queue.pop();
        if (r.sequence <= last || r.payload != r.sequence * 7 + 1) order_kept = false;
        last = r.sequence;
        ++taken;
    }
    pusher.join();

    EXPECT_TRUE(order_kept);
    EXPECT_TRUE(queue.is_empty());
    EXPECT_EQ(queue.read_index(), queue.write_index());
    EXPECT_GT(taken, 0);
}

// Without clears nothing may go missing: every record is either taken or was refused as full.
TEST(FixedQueue, NothingLostBetweenPusherAndReader) {
    FixedQueue<Record> queue;
    constexpr int total = 200000;
    std::atomic<int> dropped{0};
    std::atomic<bool> done{false};

    std::thread pusher([&] {
        for (int i = 1; i <= total; ++i) {
            if (queue.is_full()) {
                dropped.fetch_add(1);
                continue;
            }
            queue.push(record(i));
        }
        done = true;
    });

    int last = 0;
    int taken = 0;
    bool order_kept = true;
    for (;;) {
        if (queue.is_empty()) {
            if (done.load() && queue.is_empty()) break;
            std::this_thread::yield();
            continue;
        }
        const Record r = queue.pop();
        if (r.sequence <= last) order_kept = false;
        last = r.sequence;
        ++taken;
    }
    pusher.join();
    EXPECT_TRUE(order_kept);
    EXPECT_EQ(taken + dropped.load(), total);
}

} // namespace
