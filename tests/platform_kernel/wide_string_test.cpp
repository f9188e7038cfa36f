// Wide-string helpers: bounded copy, length, comparison.
#include "kernel_test_support.h"

#include <gtest/gtest.h>

using namespace kernel_test;

namespace {

struct CopyCase {
    const char16_t* source;
    int max_length;
    const char16_t* expected;
};

class BoundedCopy : public testing::TestWithParam<CopyCase> {};

TEST_P(BoundedCopy, CopiesAtMostOneLessThanTheLimitAndTerminates) {
    const CopyCase& c = GetParam();
    WCHAR buffer[16];
    for (auto& unit : buffer) unit = u'#';
    EXPECT_EQ(lstrcpynW(buffer, W(c.source), c.max_length), buffer);
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(buffer)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, BoundedCopy,
                         testing::Values(CopyCase{u"System", 32, u"System"}, CopyCase{u"System", 7, u"System"},
                                         CopyCase{u"System", 6, u"Syste"}, CopyCase{u"System", 1, u""},
                                         CopyCase{u"", 5, u""}));

TEST(WideStrings, LengthCountsUnitsUpToTheTerminator) {
    EXPECT_EQ(lstrlenW(W(u"")), 0);
    EXPECT_EQ(lstrlenW(W(u"abc")), 3);
    EXPECT_EQ(lstrlenW(W(u"\U0001F600")), 2); // a surrogate pair is two units
    EXPECT_EQ(lstrlenW(nullptr), 0);
}

struct CompareCase {
    const char16_t* first;
    const char16_t* second;
    int sign;
};

class WordCompare : public testing::TestWithParam<CompareCase> {};

TEST_P(WordCompare, OrdersLikeADictionary) {
    const CompareCase& c = GetParam();
    const int result = lstrcmpW(W(c.first), W(c.second));
    EXPECT_EQ((result > 0) - (result < 0), c.sign);
    const int reverse = lstrcmpW(W(c.second), W(c.first));
    EXPECT_EQ((reverse > 0) - (reverse < 0), -c.sign);
}

INSTANTIATE_TEST_SUITE_P(Cases, WordCompare,
                         testing::Values(CompareCase{u"abc", u"abc", 0}, CompareCase{u"abc", u"abd", -1},
                                         CompareCase{u"ab", u"abc", -1}, CompareCase{u"", u"a", -1},
                                         CompareCase{u"a", u"B", -1}, // letters before case
                                         CompareCase{u"a", u"A", -1}, // lower case first
                                         CompareCase{u"Apple", u"apricot", -1}, CompareCase{u"9", u"a", -1},
                                         CompareCase{u"1", u"2", -1}));

} // namespace
