// put_image: copying an image onto the current target with a raster operation.
#include <gtest/gtest.h>

#include "graphics.h"
#include "draw_on_img.h"
#include "graph_state.h"
#include "image_helpers.h"

namespace {

// The ternary raster operation applied by hand: bit i of the operation's index byte gives the
// result for pattern, source and destination bits (P << 2 | S << 1 | D) == i.
DWORD apply_rop(DWORD rop, DWORD pattern, DWORD source, DWORD destination) {
    const unsigned index = (rop >> 16) & 0xFF;
    DWORD result = 0;
    for (int bit = 0; bit < 24; ++bit) {
        const unsigned p = (pattern >> bit) & 1, s = (source >> bit) & 1, d = (destination >> bit) & 1;
        result |= static_cast<DWORD>((index >> (p << 2 | s << 1 | d)) & 1) << bit;
    }
    return result;
}

class PutImage : public testing::Test {
protected:
    void SetUp() override {
        fill_pattern(target, 0x050607);
        fill_pattern(source, 0x0A0B0C);
        set_target_image(&target);
    }
    void TearDown() override { set_target_image(nullptr); }
    IMAGE target{20, 16};
    IMAGE source{6, 4};
};

TEST_F(PutImage, CopiesAtPosition) {
    const auto before = pixels_of(target);
    put_image(10, 10, &source, SRCCOPY);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 20; ++x) {
            const bool inside = x >= 10 && x < 16 && y >= 10 && y < 14;
            const DWORD expected = inside ? source.buffer[(y - 10) * 6 + (x - 10)] : before[y * 20 + x];
            ASSERT_EQ(target.buffer[y * 20 + x], expected) << x << "," << y;
        }
}

TEST_F(PutImage, ClipsAtTheEdges) {
    const auto before = pixels_of(target);
    put_image(17, -2, &source, SRCCOPY);
    put_image(-100, -100, &source, SRCCOPY);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 20; ++x) {
            const bool inside = x >= 17 && y < 2;
            const DWORD expected = inside ? source.buffer[(y + 2) * 6 + (x - 17)] : before[y * 20 + x];
            ASSERT_EQ(target.buffer[y * 20 + x], expected) << x << "," << y;
        }
}

// A selection of raster operations with a solid brush in the target, checked against the
// operation's truth table.
TEST_F(PutImage, RasterOperationsFollowTheirTruthTable) {
    const DWORD rops[] = {SRCCOPY, SRCPAINT, SRCAND, SRCINVERT, SRCERASE, NOTSRCCOPY, NOTSRCERASE,
                          MERGECOPY, MERGEPAINT, PATCOPY, PATPAINT, PATINVERT, DSTINVERT, BLACKNESS,
                          WHITENESS, 0x00B8074A, 0x00E20746, 0x001C0010};
    const COLORREF brush_color = RGB(0x35, 0xC6, 0x5A);
    HBRUSH brush = CreateSolidBrush(brush_color);
    HGDIOBJ old = SelectObject(target.dc, brush);
    for (DWORD rop : rops) {
        fill_pattern(target, 0x050607);
        const auto before = pixels_of(target);
        put_image(2, 3, &source, rop);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 6; ++x) {
                const DWORD got = target.buffer[(y + 3) * 20 + x + 2] & 0xFFFFFF;
                const DWORD expected = apply_rop(rop, swap_red_blue(brush_color), source.buffer[y * 6 + x],
                                                 before[(y + 3) * 20 + x + 2]);
                ASSERT_EQ(got, expected) << std::hex << "rop " << rop << " at " << x << "," << y;
            }
        EXPECT_EQ(target.buffer[0] & 0xFFFFFF, before[0]) << std::hex << rop;  // outside untouched
    }
    DeleteObject(SelectObject(target.dc, old));
}

TEST_F(PutImage, OntoItselfMovesPixels) {
    set_target_image(&source);
    const auto before = pixels_of(source);
    put_image(1, 1, &source, SRCCOPY);
    // The overlapping copy behaves as if the source were read first.
    for (int y = 1; y < 4; ++y)
        for (int x = 1; x < 6; ++x) EXPECT_EQ(source.buffer[y * 6 + x], before[(y - 1) * 6 + x - 1]) << x << "," << y;
    EXPECT_EQ(source.buffer[0], before[0]);
}

TEST_F(PutImage, TargetTransformMovesTheCopy) {
    graph_state.current_device->set_origin(5, 2);
    put_image(0, 0, &source, SRCCOPY);
    EXPECT_EQ(target.buffer[2 * 20 + 5], source.buffer[0]);
    EXPECT_EQ(target.buffer[5 * 20 + 10], source.buffer[3 * 6 + 5]);
}

TEST_F(PutImage, ClipRegionLimitsTheCopy) {
    const auto before = pixels_of(target);
    HRGN clip = CreateRectRgn(0, 0, 3, 3);
    SelectClipRgn(target.dc, clip);
    DeleteObject(clip);
    put_image(1, 1, &source, SRCCOPY);
    SelectClipRgn(target.dc, nullptr);
    EXPECT_EQ(target.buffer[1 * 20 + 1], source.buffer[0]);
    EXPECT_EQ(target.buffer[2 * 20 + 2], source.buffer[1 * 6 + 1]);
    EXPECT_EQ(target.buffer[3 * 20 + 3], before[3 * 20 + 3]);
    EXPECT_EQ(target.buffer[1 * 20 + 4], before[1 * 20 + 4]);
}

TEST_F(PutImage, EmptyImageCopiesNothing) {
    IMAGE empty(0, 0);
    const auto before = pixels_of(target);
    put_image(0, 0, &empty, SRCCOPY);
    EXPECT_EQ(pixels_of(target), before);
}

} // namespace
