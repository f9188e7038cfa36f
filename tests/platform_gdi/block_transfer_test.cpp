// BitBlt and PatBlt: the 256 raster operations, placement through the world transform,
// clipping to both surfaces and the clip region, copies onto the same surface.
#include "gdi_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>

using namespace gdi_test;

namespace {

// With pattern bits 0xF0, source bits 0xCC and destination bits 0xAA in every byte, each result
// byte spells the operation's own truth table: the operation index itself.
TEST(RasterOperations, All256FollowTheirTruthTables) {
    Surface dest(256, 1), source(256, 1, 0xCCCCCCCC);
    for (int i = 0; i < 256; ++i) dest.at(i, 0) = 0xAAAAAAAA;
    Owned<HBRUSH> brush(CreateSolidBrush(RGB(0xF0, 0xF0, 0xF0)));
    const HGDIOBJ old = SelectObject(dest.dc(), brush);
    for (int code = 0; code < 256; ++code)
        ASSERT_TRUE(BitBlt(dest.dc(), code, 0, 1, 1, source.dc(), code, 0, static_cast<DWORD>(code) << 16)) << code;
    for (int code = 0; code < 256; ++code) {
        // The brush's pixel has a top byte of 0, so that byte follows the operation with the pattern off.
        const std::uint32_t low = static_cast<std::uint32_t>(code) * 0x010101u;
        const std::uint32_t top = static_cast<std::uint32_t>((code & 0xF) | ((code & 0xF) << 4)) << 24;
        EXPECT_EQ(dest.at(code, 0), low | top) << "operation " << code;
    }
    SelectObject(dest.dc(), old);
}

TEST(RasterOperations, NamedOperations) {
    struct Case {
        const char* name;
        DWORD rop;
        std::uint32_t result;
    };
    // Destination 0x00123456, source 0x00ABCDEF, brush 0x0F33CC (pixel 0xCC330F).
    const Case cases[] = {
        {"SRCCOPY", SRCCOPY, 0x00ABCDEF},       {"SRCPAINT", SRCPAINT, 0x00BBFDFF},
        {"SRCAND", SRCAND, 0x00020446},         {"SRCINVERT", SRCINVERT, 0x00B9F9B9},
        {"SRCERASE", SRCERASE, 0x00A9C9A9},     {"NOTSRCCOPY", NOTSRCCOPY, 0xFF543210},
        {"NOTSRCERASE", NOTSRCERASE, 0xFF440200}, {"MERGECOPY", MERGECOPY, 0x0088010F},
        {"MERGEPAINT", MERGEPAINT, 0xFF563656}, {"PATCOPY", PATCOPY, 0x00CC330F},
        {"PATPAINT", PATPAINT, 0xFFDE375F},     {"PATINVERT", PATINVERT, 0x00DE0759},
        {"DSTINVERT", DSTINVERT, 0xFFEDCBA9},   {"BLACKNESS", BLACKNESS, 0x00000000},
        {"WHITENESS", WHITENESS, 0xFFFFFFFF},
        {"only the operation byte counts", 0xAACC0000, 0x00ABCDEF},
    };
    Surface dest(1, 1), source(1, 1, 0x00ABCDEF);
    Owned<HBRUSH> brush(CreateSolidBrush(0x0F33CC));
    const HGDIOBJ old = SelectObject(dest.dc(), brush);
    for (const Case& c : cases) {
        dest.at(0, 0) = 0x00123456;
        ASSERT_TRUE(BitBlt(dest.dc(), 0, 0, 1, 1, source.dc(), 0, 0, c.rop)) << c.name;
        EXPECT_EQ(dest.at(0, 0), c.result) << c.name << std::hex << " got " << dest.at(0, 0);
    }
    SelectObject(dest.dc(), old);
}

// Source 4 by 4 holding 0..15; destination 20 by 12; '.' marks untouched pixels.
struct Placement {
    const char* name;
    XFORM dest_xform;
    XFORM source_xform;
    int x, y, width, height, source_x, source_y;
    const char* picture; // the first rows of the destination
};

class BlitPlacement : public testing::TestWithParam<Placement> {};

TEST_P(BlitPlacement, MatchesThePlatform) {
    const Placement& c = GetParam();
    Surface dest(20, 12, 0xEE), source(4, 4);
    for (int i = 0; i < 16; ++i) source.pixels()[i] = static_cast<std::uint32_t>(i);
    SetGraphicsMode(dest.dc(), GM_ADVANCED);
    SetGraphicsMode(source.dc(), GM_ADVANCED);
    SetWorldTransform(dest.dc(), &c.dest_xform);
    SetWorldTransform(source.dc(), &c.source_xform);
    ASSERT_TRUE(BitBlt(dest.dc(), c.x, c.y, c.width, c.height, source.dc(), c.source_x, c.source_y, SRCCOPY));
    const std::string expected = c.picture;
    const int rows = static_cast<int>(std::count(expected.begin(), expected.end(), '|')) + 1;
    const int cols = static_cast<int>(expected.find('|') == std::string::npos ? expected.size() : expected.find('|'));
    EXPECT_EQ(dest.picture(0xEE, rows, cols), expected);
}

constexpr XFORM id{1, 0, 0, 1, 0, 0};
constexpr XFORM scale(float a, float b, float dx = 0, float dy = 0) { return {a, 0, 0, b, dx, dy}; }

INSTANTIATE_TEST_SUITE_P(
    Platform, BlitPlacement,
    testing::Values(
        Placement{"plain", id, id, 1, 1, 4, 4, 0, 0, "............|.0123.......|.4567.......|.89ab.......|.cdef......."},
        Placement{"translated and rounded", scale(1, 1, 3.5f, 2.25f), id, 0, 0, 4, 4, 0, 0,
                  "............|............|....0123....|....4567....|....89ab....|....cdef...."},
        Placement{"scaled twice", scale(2, 2), id, 1, 1, 4, 4, 0, 0,
                  "............|............|..00112233..|..00112233..|..44556677..|..44556677..|..8899aabb..|"
                  "..8899aabb..|..ccddeeff..|..ccddeeff.."},
        Placement{"scaled one and a half", scale(1.5f, 1.5f), id, 1, 1, 4, 4, 0, 0,
                  "............|............|..001223....|..001223....|..445667....|..889aab....|..889aab....|"
                  "..ccdeef...."},
        Placement{"scaled unevenly", scale(2.5f, 1.25f), id, 1, 1, 4, 4, 0, 0,
                  ".............|...0001122233|...4445566677|...4445566677|...88899aaabb|...cccddeeeff"},
        Placement{"halved: pixels combine by AND", scale(0.5f, 0.5f), id, 2, 2, 4, 4, 0, 0,
                  "............|.02.........|.8a.........|............"},
        Placement{"three quarters", scale(0.75f, 0.75f), id, 2, 2, 4, 4, 0, 0,
                  "............|............|..003.......|..003.......|..ccf.......|............"},
        Placement{"mirrored across", scale(-1, 1, 10, 0), id, 1, 1, 4, 4, 0, 0,
                  "............|......3210..|......7654..|......ba98..|......fedc.."},
        Placement{"source scaled twice", id, scale(2, 2), 1, 1, 4, 4, 0, 0, "............|.02.........|.8a........."},
        Placement{"source halved", id, scale(0.5f, 0.5f), 1, 1, 4, 4, 0, 0,
                  "............|.0011.......|.0011.......|.4455.......|.4455......."},
        Placement{"source translated", id, scale(1, 1, 1, 1), 1, 1, 4, 4, 0, 0,
                  "............|.567........|.9ab........|.def........"},
        Placement{"negative width", id, id, 5, 1, -4, 4, 0, 0,
                  "............|.....0......|.....4......|.....8......|.....c......"},
        Placement{"negative extents", id, id, 5, 5, -4, -4, 4, 4,
                  "............|............|..567.......|..9ab.......|..def.......|............"},
        Placement{"source partly off its surface", id, id, 1, 1, 4, 4, -2, -1,
                  "............|............|...01.......|...45.......|...89.......|............"},
        Placement{"source larger than its surface", id, id, 1, 1, 6, 6, 1, 1,
                  "............|.567........|.9ab........|.def........|............"},
        Placement{"destination partly off its surface", id, id, -2, -1, 4, 4, 0, 0,
                  "67..........|ab..........|ef..........|............"},
        Placement{"zero width", id, id, 1, 1, 0, 4, 0, 0, "............|............"}),
    [](const testing::TestParamInfo<Placement>& info) {
        std::string n;
        for (const char* p = info.param.name; *p; ++p) n += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
        return n;
    });

TEST(BlitClipping, TheClipRegionIsInDeviceCoordinates) {
    Surface dest(20, 12, 0xEE), source(4, 4);
    for (int i = 0; i < 16; ++i) source.pixels()[i] = static_cast<std::uint32_t>(i);
    Owned<HRGN> clip(CreateRectRgn(2, 2, 4, 8));
    SelectClipRgn(dest.dc(), clip);
    BitBlt(dest.dc(), 1, 1, 4, 4, source.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(dest.picture(0xEE, 6, 6), "......|......|..56..|..9a..|..de..|......");
    dest.fill_all(0xEE);
    set_xform(dest.dc(), 2, 2, 0, 0);
    BitBlt(dest.dc(), 1, 1, 4, 4, source.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(dest.picture(0xEE, 9, 6), "......|......|..00..|..00..|..44..|..44..|..88..|..88..|......")
        << "the stretch keeps its place; only the clip cuts it";
}

TEST(BlitSameSurface, OverlappingCopiesReadTheOriginalPixels) {
    struct Case {
        int x, y, source_x, source_y;
        const char* picture;
    };
    const Case cases[] = {
        {1, 0, 0, 0, "0012345789ab|4456789bcdef|889abcdf0123|cdef01234567"},
        {0, 0, 1, 1, "56789a6789ab|9abcdeabcdef|def012ef0123|cdef01234567"},
    };
    for (const Case& c : cases) {
        Surface s(20, 4);
        for (int i = 0; i < 80; ++i) s.pixels()[i] = static_cast<std::uint32_t>(i % 16);
        ASSERT_TRUE(BitBlt(s.dc(), c.x, c.y, 6, 3, s.dc(), c.source_x, c.source_y, SRCCOPY));
        EXPECT_EQ(s.picture(0xEE, 4, 12), c.picture);
    }
}

TEST(BlitSource, AnOperationWithoutSourceNeedsNoSourceDc) {
    Surface s(4, 4, 0xEE);
    EXPECT_FALSE(BitBlt(s.dc(), 1, 1, 2, 2, nullptr, 0, 0, SRCCOPY));
    EXPECT_EQ(s.at(1, 1), 0xEEu);
    EXPECT_TRUE(BitBlt(s.dc(), 1, 1, 2, 2, nullptr, 0, 0, PATCOPY));
    EXPECT_EQ(s.at(1, 1), 0xFFFFFFu) << "the stock white brush";
    EXPECT_FALSE(BitBlt(nullptr, 0, 0, 1, 1, s.dc(), 0, 0, SRCCOPY));
}

TEST(BlitMonochrome, ColoursCrossByTheDcColours) {
    Surface colour(4, 2, 0xEE);
    const unsigned char bits[4] = {0xA0, 0x00, 0x50, 0x00};
    Owned<HBITMAP> mono_bitmap(CreateBitmap(4, 2, 1, 1, bits));
    MemoryDc mono;
    const HGDIOBJ old = SelectObject(mono, mono_bitmap);
    SetTextColor(colour.dc(), RGB(1, 2, 3));
    SetBkColor(colour.dc(), RGB(4, 5, 6));
    SetTextColor(mono, RGB(7, 7, 7));
    SetBkColor(mono, RGB(8, 8, 8));
    BitBlt(colour.dc(), 0, 0, 4, 2, mono, 0, 0, SRCCOPY);
    // Set bits take the destination's background colour, clear bits its text colour.
    EXPECT_EQ(colour.at(0, 0), 0x040506u);
    EXPECT_EQ(colour.at(1, 0), 0x010203u);
    EXPECT_EQ(colour.at(0, 1), 0x010203u);
    EXPECT_EQ(colour.at(1, 1), 0x040506u);

    // The other way, pixels equal to the source's background colour turn white.
    colour.at(0, 0) = 0x060504;
    colour.at(1, 0) = 0x040506;
    colour.at(2, 0) = 0xFFFFFF;
    colour.at(3, 0) = 0x000000;
    colour.at(0, 1) = 0x01040506; // compared with its top byte
    colour.at(1, 1) = 0x050506;
    colour.at(2, 1) = 0x040506;
    colour.at(3, 1) = 0x040506;
    BitBlt(mono, 0, 0, 4, 2, colour.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(GetPixel(mono, 0, 0), 0u);
    EXPECT_EQ(GetPixel(mono, 1, 0), 0xFFFFFFu);
    EXPECT_EQ(GetPixel(mono, 2, 0), 0u);
    EXPECT_EQ(GetPixel(mono, 3, 0), 0u);
    EXPECT_EQ(GetPixel(mono, 0, 1), 0u);
    EXPECT_EQ(GetPixel(mono, 1, 1), 0u);
    EXPECT_EQ(GetPixel(mono, 2, 1), 0xFFFFFFu);
    EXPECT_EQ(GetPixel(mono, 3, 1), 0xFFFFFFu);
    SelectObject(mono, old);
}

TEST(PatBlt, PaintsTheBrushAndRefusesSourceOperations) {
    Surface s(4, 1, 0x123456);
    EXPECT_FALSE(PatBlt(s.dc(), 0, 0, 1, 1, SRCCOPY));
    Owned<HBRUSH> brush(CreateSolidBrush(RGB(0xFF, 0, 0)));
    const HGDIOBJ old = SelectObject(s.dc(), brush);
    SetROP2(s.dc(), R2_XORPEN);
    EXPECT_TRUE(PatBlt(s.dc(), 0, 0, 2, 1, PATCOPY));
    EXPECT_EQ(s.at(0, 0), 0xFF0000u) << "the mix mode plays no part";
    EXPECT_EQ(s.at(2, 0), 0x123456u);
    EXPECT_TRUE(PatBlt(s.dc(), 2, 0, 1, 1, DSTINVERT));
    EXPECT_EQ(s.at(2, 0), 0xFFEDCBA9u);
    SelectObject(s.dc(), GetStockObject(NULL_BRUSH));
    EXPECT_TRUE(PatBlt(s.dc(), 3, 0, 1, 1, PATINVERT));
    EXPECT_EQ(s.at(3, 0), 0x123456u) << "a null brush paints nothing";
    SelectObject(s.dc(), old);
}

} // namespace
