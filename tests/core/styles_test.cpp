// Copying the line and fill style records.
#include <gtest/gtest.h>

#include "image.h"
#include "image_helpers.h"

namespace {

TEST(LineStyleCopy, UserPatternIsCopiedDeeply) {
    LINESTYLE source;
    source.style = 7;
    source.thickness = 2;
    source.user_pattern = new DWORD[4]{1, 2, 3, 4};
    source.user_pattern_count = 4;
    LINESTYLE copy;
    copy = source;
    ASSERT_NE(copy.user_pattern, nullptr);
    EXPECT_NE(copy.user_pattern, source.user_pattern);
    EXPECT_EQ(copy.user_pattern_count, 4u);
    EXPECT_EQ(copy.thickness, 2);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(copy.user_pattern[i], static_cast<DWORD>(i + 1));
    source.drop_pattern();
    EXPECT_EQ(copy.user_pattern[3], 4u);  // still its own
}

TEST(LineStyleCopy, PatternOfNonUserKindIsNotCopied) {
    LINESTYLE source;
    source.style = 1;  // dashes, not user-defined
    source.user_pattern = new DWORD[2]{5, 6};
    source.user_pattern_count = 2;
    LINESTYLE copy;
    copy.user_pattern_count = 9;
    copy.user_pattern = new DWORD[1]{1};
    copy = source;
    EXPECT_EQ(copy.style, 1);
    EXPECT_EQ(copy.user_pattern, nullptr);
    EXPECT_EQ(copy.user_pattern_count, 9u);  // keeps its own count
}

TEST(LineStyleCopy, SelfAssignmentKeepsPattern) {
    LINESTYLE style;
    style.style = 7;
    style.user_pattern = new DWORD[1]{3};
    style.user_pattern_count = 1;
    LINESTYLE& same = style;
    style = same;
    ASSERT_NE(style.user_pattern, nullptr);
    EXPECT_EQ(style.user_pattern[0], 3u);
}

TEST(FillStyleCopy, PatternImageIsCopiedDeeply) {
    FILLSTYLE source;
    source.style = 3;
    source.hatch = 2;
    source.pattern_image = new IMAGE(3, 2);
    fill_pattern(*source.pattern_image);
    const auto pixels = pixels_of(*source.pattern_image);
    {
        FILLSTYLE copy;
        copy = source;
        ASSERT_NE(copy.pattern_image, nullptr);
        EXPECT_NE(copy.pattern_image, source.pattern_image);
        EXPECT_EQ(copy.pattern_image->get_width(), 3);
        EXPECT_EQ(copy.pattern_image->get_height(), 2);
        EXPECT_EQ(pixels_of(*copy.pattern_image), pixels);
        EXPECT_EQ(copy.hatch, 2);
    }
    // Destroying the copy left the source's image intact.
    EXPECT_EQ(pixels_of(*source.pattern_image), pixels);
}

TEST(FillStyleCopy, NonPatternStyleDropsDestinationImage) {
    FILLSTYLE source;
    source.style = 0;
    source.pattern_image = new IMAGE(2, 2);  // present, but the style does not use it
    FILLSTYLE copy;
    copy.style = 3;
    copy.pattern_image = new IMAGE(2, 2);
    copy = source;
    EXPECT_EQ(copy.style, 0);
    EXPECT_EQ(copy.pattern_image, nullptr);
}

TEST(FillStyleCopy, ExistingDestinationImageIsReused) {
    FILLSTYLE source;
    source.style = 5;
    source.pattern_image = new IMAGE(4, 1);
    fill_pattern(*source.pattern_image);
    FILLSTYLE copy;
    copy.style = 3;
    IMAGE* own = new IMAGE(1, 1);
    copy.pattern_image = own;
    copy = source;
    EXPECT_EQ(copy.pattern_image, own);
    EXPECT_EQ(pixels_of(*own), pixels_of(*source.pattern_image));
}

} // namespace
