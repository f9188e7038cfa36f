// Conversions between UTF-16 names and the UTF-8 of Linux.
#include "kernel/utf16.h"

#include <gtest/gtest.h>

namespace {

struct Pair {
    std::u16string wide;
    std::string narrow;
};

class RoundTrip : public testing::TestWithParam<Pair> {};

TEST_P(RoundTrip, ConvertsBothWays) {
    EXPECT_EQ(layer::to_utf8(GetParam().wide), GetParam().narrow);
    EXPECT_EQ(layer::to_utf16(GetParam().narrow), GetParam().wide);
}

INSTANTIATE_TEST_SUITE_P(Texts, RoundTrip,
                         testing::Values(Pair{u"", ""}, Pair{u"img.jpg", "img.jpg"}, Pair{u"\u00e9", "\xC3\xA9"},
                                         Pair{u"\u6f22", "\xE6\xBC\xA2"}, Pair{u"\U0001F600", "\xF0\x9F\x98\x80"}));

TEST(Utf16, UnpairedSurrogatesStayDistinct) {
    const std::string high = layer::to_utf8(std::u16string(1, char16_t(0xD800)));
    const std::string low = layer::to_utf8(std::u16string(1, char16_t(0xDC00)));
    EXPECT_EQ(high, "\xED\xA0\x80");
    EXPECT_NE(high, low);
}

TEST(Utf16, InvalidBytesBecomeReplacementCharacters) {
    EXPECT_EQ(layer::to_utf16("a\xFF" "b"), u"a\uFFFDb");
    EXPECT_EQ(layer::to_utf16("\xC3"), u"\uFFFD");          // cut short
    EXPECT_EQ(layer::to_utf16("\xC0\xAF"), u"\uFFFD\uFFFD"); // overlong
}

TEST(Utf16, PlatformPathsUseSlashes) {
    EXPECT_EQ(layer::to_native_path(u"dir\\sub\\file.txt"), "dir/sub/file.txt");
    EXPECT_EQ(layer::to_native_path("./out.cpp"), "./out.cpp");
    EXPECT_EQ(layer::to_native_path(static_cast<const char16_t*>(nullptr)), "");
}

} // namespace
