// Single pixels: colours in and out, the world transform, surface edges and the clip region.
#include "gdi_test_support.h"

#include <gtest/gtest.h>

using namespace gdi_test;

namespace {

TEST(Pixel, ColourAndPixelValueExchangeRedAndBlue) {
    Surface s(4, 4);
    EXPECT_EQ(SetPixel(s.dc(), 1, 2, RGB(0x12, 0x34, 0x56)), RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(s.at(1, 2), 0x123456u);
    EXPECT_EQ(GetPixel(s.dc(), 1, 2), RGB(0x12, 0x34, 0x56));
    EXPECT_TRUE(SetPixelV(s.dc(), 3, 3, RGB(0xFF, 0, 0)));
    EXPECT_EQ(s.at(3, 3), 0xFF0000u);
    s.at(0, 0) = 0xAA563412; // the top byte carries no colour
    EXPECT_EQ(GetPixel(s.dc(), 0, 0), 0x123456u);
}

TEST(Pixel, ColourArgumentForms) {
    struct Case {
        COLORREF argument;
        COLORREF result;
    };
    const Case cases[] = {
        {0x02112233, 0x112233}, // a palette-relative colour is the colour
        {0x01000003, 0x008080}, // an index into the default palette
        {0x01000013, 0xFFFFFF}, // its last entry
        {0x010000FF, 0x000000}, // past its end: entry 0
        {0xFF654321, 0x000000}, // anything else: black
    };
    Surface s(1, 1);
    for (const Case& c : cases) {
        EXPECT_EQ(SetPixel(s.dc(), 0, 0, c.argument), c.result) << std::hex << c.argument;
        EXPECT_EQ(GetPixel(s.dc(), 0, 0), c.result) << std::hex << c.argument;
    }
}

TEST(Pixel, OffTheSurface) {
    Surface s(16, 16, 0x123456);
    for (POINT p : {POINT{16, 0}, POINT{0, 16}, POINT{-1, 0}, POINT{0, -1}}) {
        EXPECT_EQ(GetPixel(s.dc(), p.x, p.y), CLR_INVALID) << p.x << "," << p.y;
        // Setting a pixel there draws nothing but is not an error on the reference platform.
        EXPECT_EQ(SetPixel(s.dc(), p.x, p.y, 0x654321), 0x654321u);
        EXPECT_TRUE(SetPixelV(s.dc(), p.x, p.y, 0x654321));
    }
    for (int i = 0; i < 256; ++i) EXPECT_EQ(s.pixels()[i], 0x123456u);
    const HDC bogus = reinterpret_cast<HDC>(static_cast<std::uintptr_t>(0x999));
    EXPECT_EQ(GetPixel(bogus, 0, 0), CLR_INVALID);
    EXPECT_EQ(SetPixel(bogus, 0, 0, 0), CLR_INVALID);
    EXPECT_FALSE(SetPixelV(bogus, 0, 0, 0));
}

// The clip region limits writing, and reading: outside it a pixel reads CLR_INVALID on the layer,
// as the platform documents (Wine, which runs the Windows builds, reads through it).
TEST(Pixel, TheClipRegionLimitsWritingAndReading) {
    Surface s(16, 16, 0x123456);
    Owned<HRGN> clip(CreateRectRgn(0, 0, 2, 2));
    SelectClipRgn(s.dc(), clip);
    EXPECT_EQ(SetPixel(s.dc(), 4, 4, 0x654321), 0x654321u);
    EXPECT_EQ(s.at(4, 4), 0x123456u);
    EXPECT_TRUE(SetPixelV(s.dc(), 4, 4, 0x654321));
    EXPECT_EQ(s.at(4, 4), 0x123456u);
    EXPECT_EQ(SetPixel(s.dc(), 1, 1, 0x654321), 0x654321u);
    EXPECT_EQ(s.at(1, 1), 0x214365u);
    EXPECT_EQ(GetPixel(s.dc(), 1, 1), 0x654321u);
#ifndef _WIN32
    EXPECT_EQ(GetPixel(s.dc(), 3, 3), CLR_INVALID);
#endif
    SelectClipRgn(s.dc(), nullptr);
    EXPECT_EQ(GetPixel(s.dc(), 3, 3), 0x563412u);
}

TEST(Pixel, TheWorldTransformPlacesOnePixel) {
    Surface s(16, 16, 0xEE);
    set_xform(s.dc(), 2, 2, 0.5f, 0);
    SetPixelV(s.dc(), 1, 1, RGB(5, 0, 0));
    SetPixelV(s.dc(), 2, 2, RGB(6, 0, 0));
    SetPixelV(s.dc(), 3, 5, RGB(7, 0, 0));
    EXPECT_EQ(s.at(3, 2), 0x050000u) << "(2.5, 2) rounds to (3, 2)";
    EXPECT_EQ(s.at(5, 4), 0x060000u);
    EXPECT_EQ(s.at(7, 10), 0x070000u);
    int drawn = 0;
    for (int i = 0; i < 256; ++i) drawn += s.pixels()[i] != 0xEE;
    EXPECT_EQ(drawn, 3) << "a scaled pixel is still one device pixel";
    EXPECT_EQ(GetPixel(s.dc(), 1, 1), RGB(5, 0, 0));
    EXPECT_EQ(GetPixel(s.dc(), 3, 5), RGB(7, 0, 0));
    EXPECT_EQ(GetPixel(s.dc(), 8, 0), CLR_INVALID) << "(16.5, 0) is off the surface";
}

TEST(Pixel, MonochromeBitmapsTakeTheNearestOfBlackAndWhite) {
    MemoryDc dc; // still holding its 1 by 1 monochrome bitmap
    EXPECT_EQ(GetPixel(dc, 0, 0), 0u);
    EXPECT_EQ(GetPixel(dc, 1, 0), CLR_INVALID);
    EXPECT_EQ(SetPixel(dc, 0, 0, RGB(128, 128, 128)), 0xFFFFFFu);
    EXPECT_EQ(GetPixel(dc, 0, 0), 0xFFFFFFu);
    EXPECT_EQ(SetPixel(dc, 0, 0, RGB(100, 100, 100)), 0u);
    EXPECT_EQ(SetPixel(dc, 0, 0, RGB(127, 128, 128)), 0xFFFFFFu);
}

} // namespace
