// FixedQueue: a ring of 64 slots that holds at most 63 records, with both 6-bit indices packed
// into one 32-bit word.
//
// One thread pushes (the window thread) while one other thread at a time pops, peeks or clears.
// The index word is atomic and every index change is a compare-exchange of the whole word, so a
// push and a concurrent pop or clear never lose each other's update; the release/acquire order
// on the word also publishes a pushed record to the reader before its slot becomes visible.
#pragma once

#include <atomic>
#include <cstdint>
#include <type_traits>

namespace Pellux::Collections {

template <typename T>
class FixedQueue {
    static_assert(std::is_trivially_copyable_v<T>, "records are copied in and out of the slots");

public:
    static constexpr int slot_count = 64;

    FixedQueue() = default;
    FixedQueue(const FixedQueue&) = delete;
    FixedQueue& operator=(const FixedQueue&) = delete;

    // Appends a copy of record; a full queue drops it.
    virtual void push(const T& record) {
        // Only the pushing thread makes the queue fuller, so a queue found not full stays so.
        if (is_full()) return;
        std::uint32_t word = indices_.load(std::memory_order_acquire);
        for (;;) {
            const std::uint32_t write = write_of(word);
            slots[write] = record;
            const std::uint32_t next = with_write(word, (write + 1) & index_mask);
            if (indices_.compare_exchange_weak(word, next, std::memory_order_acq_rel, std::memory_order_acquire))
                return;
            // A concurrent pop or clear moved the indices: write again where write_index now is.
        }
    }

    // Takes the oldest record. On an empty queue: a value-initialised record, nothing changes.
    virtual T pop() {
        std::uint32_t word = indices_.load(std::memory_order_acquire);
        for (;;) {
            const std::uint32_t read = read_of(word);
            if (read == write_of(word)) return T{};
            const T record = slots[read];
            const std::uint32_t next = with_read(word, (read + 1) & index_mask);
            if (indices_.compare_exchange_weak(word, next, std::memory_order_acq_rel, std::memory_order_acquire))
                return record;
        }
    }

    // The oldest record without taking it. On an empty queue: a value-initialised record.
    virtual T peek() {
        const std::uint32_t word = indices_.load(std::memory_order_acquire);
        const std::uint32_t read = read_of(word);
        if (read == write_of(word)) return T{};
        return slots[read];
    }

    virtual bool is_empty() {
        const std::uint32_t word = indices_.load(std::memory_order_acquire);
        return read_of(word) == write_of(word);
    }

    virtual bool is_full() { return count() >= slot_count - 1; }

    // Empties the queue; the slots keep their contents.
    virtual void clear() {
        std::uint32_t word = indices_.load(std::memory_order_relaxed);
        while (!indices_.compare_exchange_weak(word, word & ~(index_mask | (index_mask << write_shift)),
                                               std::memory_order_acq_rel, std::memory_order_relaxed)) {
        }
    }

    virtual int count() {
        const std::uint32_t word = indices_.load(std::memory_order_acquire);
        return static_cast<int>((write_of(word) - read_of(word)) & index_mask);
    }

    // Deliberately not virtual: the queue is only ever held by value.
    ~FixedQueue() = default;

    unsigned read_index() const { return read_of(indices_.load(std::memory_order_acquire)); }
    unsigned write_index() const { return write_of(indices_.load(std::memory_order_acquire)); }

    T slots[slot_count]{};

protected:
    static constexpr std::uint32_t index_mask = 0x3F;
    static constexpr int write_shift = 6;

    static std::uint32_t read_of(std::uint32_t word) { return word & index_mask; }
    static std::uint32_t write_of(std::uint32_t word) { return (word >> write_shift) & index_mask; }
    static std::uint32_t with_read(std::uint32_t word, std::uint32_t read) { return (word & ~index_mask) | read; }
    static std::uint32_t with_write(std::uint32_t word, std::uint32_t write) {
        return (word & ~(index_mask << write_shift)) | (write << write_shift);
    }

    // read_index in bits 0-5, write_index in bits 6-11; the other bits are left as they are.
    std::atomic<std::uint32_t> indices_{0};
};

} // namespace Pellux::Collections
