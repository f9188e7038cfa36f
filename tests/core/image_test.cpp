// IMAGE: surfaces, resizing, assignment and the reset of the drawing state.
#include <gtest/gtest.h>

#include "graphics.h"
#include "image_helpers.h"

namespace {

TEST(Image, ZeroSizeHasNoSurface) {
    IMAGE image(0, 0);
    EXPECT_EQ(image.get_width(), 0);
    EXPECT_EQ(image.get_height(), 0);
    EXPECT_EQ(image.bitmap, nullptr);
    EXPECT_EQ(image.buffer, nullptr);
    EXPECT_EQ(get_pixel_buffer(&image), nullptr);
    EXPECT_NE(image.dc, nullptr);
}

TEST(Image, NewSurfaceIsBlack) {
    IMAGE image(8, 8);
    ASSERT_NE(image.buffer, nullptr);
    EXPECT_EQ(get_pixel_buffer(&image), image.buffer);
    for (int i = 0; i < 64; ++i) EXPECT_EQ(image.buffer[i], 0u) << i;
    // The surface is a top-down DIB section of exactly that size, selected into the image's DC.
    DIBSECTION section{};
    ASSERT_EQ(GetObjectW(image.bitmap, sizeof section, &section), static_cast<int>(sizeof section));
    EXPECT_EQ(section.dsBm.bmWidth, 8);
    EXPECT_EQ(section.dsBm.bmHeight, 8);
    EXPECT_EQ(section.dsBm.bmBitsPixel, 32);
    // The rows run from the top down: the first pixel of the buffer is the top-left one.
    image.buffer[0] = 0x0000FF;
    EXPECT_EQ(GetPixel(image.dc, 0, 0), RGB(0, 0, 255));
    image.buffer[0] = 0;
    EXPECT_EQ(GetCurrentObject(image.dc, OBJ_BITMAP), image.bitmap);
}

// Sizes no surface can hold never produce a half-made image.
TEST(Image, ImpossibleSizesMakeNoSurface) {
    const struct { int w, h; } cases[] = {{-1, 5}, {5, -1}, {-4, -4}, {0, 7}, {7, 0}, {100000, 100000}, {1 << 20, 1}};
    for (auto c : cases) {
        IMAGE image(c.w, c.h);
        EXPECT_EQ(image.bitmap, nullptr) << c.w << "x" << c.h;
        EXPECT_EQ(image.buffer, nullptr) << c.w << "x" << c.h;
        EXPECT_EQ(image.get_width() == 0 || image.get_height() == 0, true) << c.w << "x" << c.h;
        image.resize(c.w, c.h);
        EXPECT_EQ(image.buffer, nullptr) << c.w << "x" << c.h;
    }
    IMAGE sized(3, 3);
    fill_pattern(sized);
    const auto before = pixels_of(sized);
    for (auto c : cases) {
        sized.resize(c.w, c.h);
        EXPECT_EQ(sized.get_width(), 3);
        EXPECT_EQ(sized.get_height(), 3);
        EXPECT_EQ(pixels_of(sized), before) << c.w << "x" << c.h;
    }
}

TEST(Image, ResizeToZeroChangesNothing) {
    IMAGE image(4, 4);
    fill_pattern(image);
    const auto before = pixels_of(image);
    DWORD* buffer = image.buffer;
    image.resize(0, 5);
    image.resize(5, 0);
    EXPECT_EQ(image.get_width(), 4);
    EXPECT_EQ(image.get_height(), 4);
    EXPECT_EQ(image.buffer, buffer);
    EXPECT_EQ(pixels_of(image), before);
}

TEST(Image, GrowKeepsOldPixelsAndFillsWithBackground) {
    IMAGE image(2, 2);
    image.buffer[0] = 0x112233;
    image.buffer[1] = 0x445566;
    image.buffer[2] = 0x778899;
    image.buffer[3] = 0xAABBCC;
    image.bk_color = RGB(255, 0, 0);
    image.resize(4, 3);
    ASSERT_EQ(image.get_width(), 4);
    ASSERT_EQ(image.get_height(), 3);
    const DWORD expected[12] = {0x112233, 0x445566, 0xFF0000, 0xFF0000, 0x778899, 0xAABBCC,
                                0xFF0000, 0xFF0000, 0xFF0000, 0xFF0000, 0xFF0000, 0xFF0000};
    for (int i = 0; i < 12; ++i) EXPECT_EQ(image.buffer[i], expected[i]) << i;
    // Read through the platform, the new pixels are the background colour again.
    EXPECT_EQ(GetPixel(image.dc, 3, 2), RGB(255, 0, 0));
}

TEST(Image, FirstSurfaceTakesBackgroundColour) {
    IMAGE image(0, 0);
    image.bk_color = RGB(0, 0, 255);
    image.resize(3, 2);
    ASSERT_NE(image.buffer, nullptr);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(image.buffer[i], 0x0000FFu) << i;
}

TEST(Image, ShrinkKeepsTopLeft) {
    IMAGE image(4, 4);
    fill_pattern(image);
    const auto before = pixels_of(image);
    image.resize(2, 3);
    ASSERT_EQ(image.get_width(), 2);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 2; ++x) EXPECT_EQ(image.buffer[y * 2 + x], before[y * 4 + x]) << x << "," << y;
}

// Resizing copies device pixels whatever transform the image carries.
TEST(Image, ResizeIgnoresTheWorldTransform) {
    IMAGE image(4, 4);
    fill_pattern(image);
    const auto before = pixels_of(image);
    image.xform.eDx = 2;
    image.xform.eM11 = 3;
    SetWorldTransform(image.dc, &image.xform);
    image.resize(5, 5);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(image.buffer[y * 5 + x], before[y * 4 + x]) << x << "," << y;
    XFORM now{};
    GetWorldTransform(image.dc, &now);
    EXPECT_FLOAT_EQ(now.eDx, 2.0f);
    EXPECT_FLOAT_EQ(now.eM11, 3.0f);
}

TEST(Image, AssignmentCopiesPixelsAndSizeOnly) {
    IMAGE source(3, 3);
    fill_pattern(source);
    IMAGE target(5, 5);
    target.line_color = RGB(1, 2, 3);
    target.bk_color = RGB(9, 9, 9);
    target.x = 7;
    target.line_style.thickness = 4;
    target = source;
    EXPECT_EQ(target.get_width(), 3);
    EXPECT_EQ(target.get_height(), 3);
    EXPECT_EQ(pixels_of(target), pixels_of(source));
    EXPECT_EQ(target.line_color, RGB(1, 2, 3));
    EXPECT_EQ(target.bk_color, RGB(9, 9, 9));
    EXPECT_EQ(target.x, 7);
    EXPECT_EQ(target.line_style.thickness, 4);
}

TEST(Image, AssignmentIntoEmptyImageMakesSurface) {
    IMAGE source(2, 3);
    fill_pattern(source);
    IMAGE target(0, 0);
    target = source;
    ASSERT_NE(target.buffer, nullptr);
    EXPECT_EQ(pixels_of(target), pixels_of(source));
}

TEST(Image, SelfAssignmentChangesNothing) {
    IMAGE image(3, 3);
    fill_pattern(image);
    const auto before = pixels_of(image);
    DWORD* buffer = image.buffer;
    IMAGE& same = image;
    image = same;
    EXPECT_EQ(image.buffer, buffer);
    EXPECT_EQ(pixels_of(image), before);
}

// From an image without a surface there is nothing to copy: the target keeps size and pixels.
TEST(Image, AssignmentFromEmptyImageKeepsTarget) {
    IMAGE empty(0, 0);
    IMAGE target(3, 2);
    fill_pattern(target);
    const auto before = pixels_of(target);
    target = empty;
    EXPECT_EQ(target.get_width(), 3);
    EXPECT_EQ(target.get_height(), 2);
    EXPECT_EQ(pixels_of(target), before);
}

TEST(Image, ResetDefaultsRestoresStateButKeepsHatchAndCount) {
    IMAGE image(2, 2);
    image.x = 5;
    image.y = 6;
    image.line_color = image.fill_color = image.text_color = RGB(1, 1, 1);
    image.bk_color = RGB(2, 2, 2);
    image.xform.eDx = 10;
    image.line_style.style = 7;
    image.line_style.thickness = 3;
    image.line_style.user_pattern = new DWORD[2]{1, 2};
    image.line_style.user_pattern_count = 2;
    image.fill_style.style = 3;
    image.fill_style.hatch = 4;
    image.fill_style.pattern_image = new IMAGE(2, 2);
    SetBkMode(image.dc, TRANSPARENT);
    SetWorldTransform(image.dc, &image.xform);

    image.reset_defaults();

    EXPECT_EQ(image.x, 0);
    EXPECT_EQ(image.y, 0);
    EXPECT_EQ(image.line_color, 0xFFFFFFu);
    EXPECT_EQ(image.fill_color, 0xFFFFFFu);
    EXPECT_EQ(image.text_color, 0xFFFFFFu);
    EXPECT_EQ(image.bk_color, 0u);
    EXPECT_FLOAT_EQ(image.xform.eDx, 0.0f);
    EXPECT_EQ(image.line_style.style, 0);
    EXPECT_EQ(image.line_style.thickness, 1);
    EXPECT_EQ(image.line_style.user_pattern, nullptr);
    EXPECT_EQ(image.line_style.user_pattern_count, 2u);
    EXPECT_EQ(image.fill_style.style, 0);
    EXPECT_EQ(image.fill_style.pattern_image, nullptr);
    EXPECT_EQ(image.fill_style.hatch, 4);
    // The platform half.
    EXPECT_EQ(GetGraphicsMode(image.dc), GM_ADVANCED);
    EXPECT_EQ(GetBkMode(image.dc), OPAQUE);
    EXPECT_EQ(GetBkColor(image.dc), 0u);
    EXPECT_EQ(GetTextColor(image.dc), 0xFFFFFFu);
    XFORM now{};
    GetWorldTransform(image.dc, &now);
    EXPECT_FLOAT_EQ(now.eDx, 0.0f);
    LOGPEN pen{};
    ASSERT_NE(GetObjectW(GetCurrentObject(image.dc, OBJ_PEN), sizeof pen, &pen), 0);
    EXPECT_EQ(pen.lopnColor, 0xFFFFFFu);
    LOGBRUSH brush{};
    ASSERT_NE(GetObjectW(GetCurrentObject(image.dc, OBJ_BRUSH), sizeof brush, &brush), 0);
    EXPECT_EQ(brush.lbStyle, static_cast<UINT>(BS_SOLID));
    EXPECT_EQ(brush.lbColor, 0xFFFFFFu);
    LOGFONTW font{};
    ASSERT_NE(GetObjectW(GetCurrentObject(image.dc, OBJ_FONT), sizeof font, &font), 0);
    EXPECT_EQ(font.lfHeight, 16);
    EXPECT_EQ(font.lfQuality, NONANTIALIASED_QUALITY);
    EXPECT_EQ(lstrcmpW(font.lfFaceName, Pellux::wide(u"System")), 0);
    HRGN clip = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(image.dc, clip), 0);
    DeleteObject(clip);
}

} // namespace
