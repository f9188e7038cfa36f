// Recursive critical sections over a futex-style lock word kept in the record itself, so that a
// zero-filled record in static storage is already a valid, free lock.
#include <win32/kernel.h>

#include <atomic>
#include <cstring>

namespace {

// Lock word states.
constexpr LONG FREE = 0;
constexpr LONG HELD = 1;
constexpr LONG CONTENDED = 2;

std::atomic_ref<LONG> lock_word(CRITICAL_SECTION& section) { return std::atomic_ref<LONG>(section.LockCount); }
std::atomic_ref<HANDLE> owner(CRITICAL_SECTION& section) { return std::atomic_ref<HANDLE>(section.OwningThread); }

HANDLE current_owner_tag() { return reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(GetCurrentThreadId())); }

bool try_acquire(CRITICAL_SECTION& section) {
    LONG expected = FREE;
    return lock_word(section).compare_exchange_strong(expected, HELD, std::memory_order_acquire);
}

void acquire(CRITICAL_SECTION& section) {
    auto word = lock_word(section);
    for (ULONG_PTR spins = section.SpinCount; spins > 0; --spins)
        if (try_acquire(section)) return;
    LONG seen = FREE;
    if (word.compare_exchange_strong(seen, HELD, std::memory_order_acquire)) return;
    // Mark the lock as wanted, then sleep until the holder hands it back.
    if (seen != CONTENDED) seen = word.exchange(CONTENDED, std::memory_order_acquire);
    while (seen != FREE) {
        word.wait(CONTENDED, std::memory_order_relaxed);
        seen = word.exchange(CONTENDED, std::memory_order_acquire);
    }
}

void take_ownership(CRITICAL_SECTION& section, HANDLE me) {
    owner(section).store(me, std::memory_order_relaxed);
    section.RecursionCount = 1;
}

} // namespace

void WINAPI InitializeCriticalSection(LPCRITICAL_SECTION section) {
    if (section) std::memset(static_cast<void*>(section), 0, sizeof(*section));
}

BOOL WINAPI InitializeCriticalSectionAndSpinCount(LPCRITICAL_SECTION section, DWORD spin_count) {
    InitializeCriticalSection(section);
    if (section) section->SpinCount = spin_count;
    return TRUE;
}

void WINAPI EnterCriticalSection(LPCRITICAL_SECTION section) {
    if (!section) return;
    const HANDLE me = current_owner_tag();
    if (owner(*section).load(std::memory_order_relaxed) == me) {
        ++section->RecursionCount;
        return;
    }
    acquire(*section);
    take_ownership(*section, me);
}

BOOL WINAPI TryEnterCriticalSection(LPCRITICAL_SECTION section) {
    if (!section) return FALSE;
    const HANDLE me = current_owner_tag();
    if (owner(*section).load(std::memory_order_relaxed) == me) {
        ++section->RecursionCount;
        return TRUE;
    }
    if (!try_acquire(*section)) return FALSE;
    take_ownership(*section, me);
    return TRUE;
}

void WINAPI LeaveCriticalSection(LPCRITICAL_SECTION section) {
    if (!section) return;
    // A leave by a thread that does not hold the lock is a caller's fault; ignoring it keeps the
    // holder's lock intact instead of handing it to a third thread.
    if (owner(*section).load(std::memory_order_relaxed) != current_owner_tag()) return;
    if (--section->RecursionCount > 0) return;
    owner(*section).store(nullptr, std::memory_order_relaxed);
    auto word = lock_word(*section);
    if (word.exchange(FREE, std::memory_order_release) == CONTENDED) word.notify_one();
}

void WINAPI DeleteCriticalSection(LPCRITICAL_SECTION section) { InitializeCriticalSection(section); }
