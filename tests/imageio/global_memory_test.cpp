// Pellux::GlobalMemory: a file read whole into one movable block, freed exactly once.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>

#include "global_memory.h"
#include "loading_helpers.h"

namespace {

using namespace imageio_test;

std::string file_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(GlobalMemory, ReadsTheWholeFileIntoAMovableBlock) {
    Pellux::GlobalMemory block;
    EXPECT_EQ(block.handle, nullptr);
    ASSERT_TRUE(block.load_file(w(fixture_path("bmp_rgb24.bmp"))));
    const std::string expected = file_bytes("fixtures/bmp_rgb24.bmp");
    ASSERT_EQ(block.size, expected.size());
    ASSERT_NE(block.handle, nullptr);
    EXPECT_GE(GlobalSize(block.handle), expected.size());
    const void* bytes = GlobalLock(block.handle);
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(std::memcmp(bytes, expected.data(), expected.size()), 0);
    GlobalUnlock(block.handle);
}

TEST(GlobalMemory, AFileThatCannotBeOpenedLeavesNoBlockAndKeepsTheSize) {
    Pellux::GlobalMemory block;
    ASSERT_TRUE(block.load_file(w(fixture_path("text.txt"))));
    const DWORD first_size = block.size;
    // A second load frees the first block before it tries the next file.
    EXPECT_FALSE(block.load_file(w(u"imageio_no_such_file.bin")));
    EXPECT_EQ(block.handle, nullptr);
    EXPECT_EQ(block.size, first_size);
    EXPECT_FALSE(block.load_file(nullptr));
}

TEST(GlobalMemory, AnEmptyFileIsReadAsZeroBytes) {
    std::ofstream("imageio_empty_block.bin", std::ios::binary).flush();
    Pellux::GlobalMemory block;
    EXPECT_TRUE(block.load_file(w(u"imageio_empty_block.bin")));
    EXPECT_EQ(block.size, 0u);
    std::remove("imageio_empty_block.bin");
}

TEST(GlobalMemory, ReleaseLetsGoWithoutFreeing) {
    Pellux::GlobalMemory block;
    ASSERT_TRUE(block.load_file(w(fixture_path("text.txt"))));
    const HGLOBAL handle = block.release();
    EXPECT_EQ(block.handle, nullptr);
    // Still a live block: its owner is now the caller.
    EXPECT_GT(GlobalSize(handle), 0u);
    EXPECT_EQ(GlobalFree(handle), nullptr);
}

} // namespace
