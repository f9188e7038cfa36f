// Global memory: fixed and moveable blocks, lock counts and reallocation.
#include "kernel_test_support.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(GlobalMemory, FixedBlockIsItsOwnAddress) {
    HGLOBAL block = GlobalAlloc(GMEM_FIXED, 100);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(GlobalLock(block), block);
    EXPECT_EQ(GlobalSize(block), 100u);
    EXPECT_EQ(GlobalHandle(block), block);
    std::memset(block, 0x5A, 100);
    EXPECT_EQ(GlobalFree(block), nullptr);
}

TEST(GlobalMemory, ZeroInitialisedBlocksStartAsZeros) {
    for (UINT flags : {GPTR, GHND}) {
        HGLOBAL block = GlobalAlloc(flags, 64);
        ASSERT_NE(block, nullptr);
        auto* bytes = static_cast<unsigned char*>(GlobalLock(block));
        ASSERT_NE(bytes, nullptr);
        for (int i = 0; i < 64; ++i) EXPECT_EQ(bytes[i], 0) << "flags " << flags << " byte " << i;
        GlobalUnlock(block);
        GlobalFree(block);
    }
}

TEST(GlobalMemory, MoveableBlockCountsItsLocks) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 16);
    ASSERT_NE(block, nullptr);
    void* first = GlobalLock(block);
    ASSERT_NE(first, nullptr);
    EXPECT_NE(first, block);
    EXPECT_EQ(GlobalLock(block), first);
    EXPECT_EQ(GlobalHandle(first), block);

    EXPECT_TRUE(GlobalUnlock(block)); // still locked once
    SetLastError(1234);
    EXPECT_FALSE(GlobalUnlock(block)); // now unlocked
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_FALSE(GlobalUnlock(block));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_LOCKED));
    EXPECT_EQ(GlobalFree(block), nullptr);
}

TEST(GlobalMemory, MoveableReallocationKeepsHandleAndContent) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 8);
    std::memcpy(GlobalLock(block), "12345678", 8);
    GlobalUnlock(block);
    HGLOBAL grown = GlobalReAlloc(block, 100000, GMEM_MOVEABLE | GMEM_ZEROINIT);
    ASSERT_EQ(grown, block);
    EXPECT_EQ(GlobalSize(block), 100000u);
    auto* bytes = static_cast<char*>(GlobalLock(block));
    EXPECT_EQ(std::string(bytes, 8), "12345678");
    EXPECT_EQ(bytes[99999], 0);
    GlobalUnlock(block);
    ASSERT_EQ(GlobalReAlloc(block, 4, 0), block);
    EXPECT_EQ(GlobalSize(block), 4u);
    EXPECT_EQ(std::string(static_cast<char*>(GlobalLock(block)), 4), "1234");
    GlobalUnlock(block);
    GlobalFree(block);
}

TEST(GlobalMemory, FixedReallocationMayMoveWhenAllowed) {
    HGLOBAL block = GlobalAlloc(GMEM_FIXED, 8);
    std::memcpy(block, "abcdefgh", 8);
    HGLOBAL grown = GlobalReAlloc(block, 1 << 20, GMEM_MOVEABLE);
    ASSERT_NE(grown, nullptr);
    EXPECT_EQ(GlobalSize(grown), static_cast<SIZE_T>(1 << 20));
    EXPECT_EQ(std::string(static_cast<char*>(grown), 8), "abcdefgh");
    EXPECT_EQ(GlobalFree(grown), nullptr);
}

TEST(GlobalMemory, EmptyMoveableBlockHasNoMemoryUntilItGrows) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 0);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(GlobalSize(block), 0u);
    EXPECT_EQ(GlobalLock(block), nullptr);
    ASSERT_EQ(GlobalReAlloc(block, 32, GMEM_MOVEABLE), block);
    EXPECT_EQ(GlobalSize(block), 32u);
    void* bytes = GlobalLock(block);
    EXPECT_NE(bytes, nullptr);
    GlobalUnlock(block);
    GlobalFree(block);
}

TEST(GlobalMemory, LockedMoveableBlockStaysWhereItIs) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 16);
    void* locked = GlobalLock(block);
    ASSERT_NE(locked, nullptr);
    // Growing beyond its place would move it, and discarding would free it: both refused.
    SetLastError(0);
    EXPECT_EQ(GlobalReAlloc(block, 1 << 20, 0), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
    EXPECT_EQ(GlobalReAlloc(block, 0, GMEM_MOVEABLE), nullptr);
    EXPECT_EQ(GlobalSize(block), 16u);
    EXPECT_EQ(GlobalLock(block), locked);
    GlobalUnlock(block);
    GlobalUnlock(block);
    // Unlocked, size 0 discards it: the handle stays, the memory goes.
    EXPECT_EQ(GlobalReAlloc(block, 0, GMEM_MOVEABLE), block);
    EXPECT_EQ(GlobalSize(block), 0u);
    EXPECT_EQ(GlobalLock(block), nullptr);
    GlobalFree(block);
}

TEST(GlobalMemory, FixedBlockTurnsMoveableOnRequest) {
    HGLOBAL fixed = GlobalAlloc(GMEM_FIXED, 4);
    std::memcpy(fixed, "abcd", 4);
    HGLOBAL moveable = GlobalReAlloc(fixed, 0, GMEM_MODIFY | GMEM_MOVEABLE);
    ASSERT_NE(moveable, nullptr);
    EXPECT_NE(moveable, fixed);
    void* bytes = GlobalLock(moveable);
    EXPECT_EQ(bytes, fixed) << "the memory stays where it was";
    EXPECT_EQ(std::string(static_cast<char*>(bytes), 4), "abcd");
    GlobalUnlock(moveable);
    EXPECT_EQ(GlobalFree(moveable), nullptr);
}

TEST(GlobalMemory, UnknownAddressHasNoHandle) {
    int not_a_block = 0;
    SetLastError(0);
    EXPECT_EQ(GlobalHandle(&not_a_block), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST(GlobalMemory, LockResourceGivesItsArgumentBack) {
    HGLOBAL block = GlobalAlloc(GMEM_FIXED, 4);
    EXPECT_EQ(LockResource(block), block);
    EXPECT_EQ(LockResource(nullptr), nullptr);
    GlobalFree(block);
}

} // namespace
