// Bounded formatting: sprintf_s and _snprintf_s.
#include "kernel_test_support.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(BoundedPrint, FormatsWhatFitsAndReturnsItsLength) {
    char buffer[16];
    EXPECT_EQ(sprintf_s(buffer, sizeof buffer, "%d,%s", -42, "ab"), 6);
    EXPECT_STREQ(buffer, "-42,ab");
    // Exactly full: fifteen characters and the terminator.
    EXPECT_EQ(sprintf_s(buffer, sizeof buffer, "%s", "123456789012345"), 15);
    EXPECT_STREQ(buffer, "123456789012345");
}

TEST(BoundedPrint, ArrayFormTakesTheSizeFromTheArray) {
    char buffer[8];
    EXPECT_EQ(sprintf_s(buffer, " %d,", 255), 5);
    EXPECT_STREQ(buffer, " 255,");
}

struct CountCase {
    const char* name;
    size_t size;
    size_t count;
    const char* text;
    int result;
    const char* stored;
};

class CountedPrint : public testing::TestWithParam<CountCase> {};

TEST_P(CountedPrint, WritesAtMostCountCharacters) {
    const CountCase& c = GetParam();
    char buffer[16];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(_snprintf_s(buffer, c.size, c.count, "%s", c.text), c.result);
    EXPECT_STREQ(buffer, c.stored);
}

INSTANTIATE_TEST_SUITE_P(Cases, CountedPrint,
                         testing::Values(CountCase{"fits", 8, 7, "abc", 3, "abc"},
                                         CountCase{"truncate_fits", 8, _TRUNCATE, "abcdefg", 7, "abcdefg"},
                                         CountCase{"truncate_cuts", 8, _TRUNCATE, "abcdefghij", -1, "abcdefg"},
                                         CountCase{"count_cuts", 8, 3, "abcdef", -1, "abc"},
                                         CountCase{"count_exact", 8, 3, "abc", 3, "abc"},
                                         CountCase{"too_long_without_cut", 4, 10, "abcdef", -1, ""}),
                         [](const testing::TestParamInfo<CountCase>& info) { return std::string(info.param.name); });

} // namespace
