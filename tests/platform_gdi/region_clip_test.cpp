// Regions and clipping: combination results, boxes, hit tests, the DC's clip region.
#include "gdi_test_support.h"

#include <gtest/gtest.h>

using namespace gdi_test;

namespace {

RECT box_of(HRGN region) {
    RECT r{-1, -1, -1, -1};
    GetRgnBox(region, &r);
    return r;
}

void expect_box(HRGN region, RECT expected) {
    const RECT r = box_of(region);
    EXPECT_EQ(r.left, expected.left);
    EXPECT_EQ(r.top, expected.top);
    EXPECT_EQ(r.right, expected.right);
    EXPECT_EQ(r.bottom, expected.bottom);
}

TEST(Region, CombineGivesTheShapeOfTheResult) {
    struct Case {
        int mode;
        int result;
        RECT box;
    };
    const Case cases[] = {
        {RGN_AND, SIMPLEREGION, {5, 5, 10, 10}},  {RGN_OR, COMPLEXREGION, {0, 0, 15, 15}},
        {RGN_XOR, COMPLEXREGION, {0, 0, 15, 15}}, {RGN_DIFF, COMPLEXREGION, {0, 0, 10, 10}},
        {RGN_COPY, SIMPLEREGION, {0, 0, 10, 10}},
    };
    Owned<HRGN> a(CreateRectRgn(0, 0, 10, 10)), b(CreateRectRgn(5, 5, 15, 15)), d(CreateRectRgn(0, 0, 0, 0));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        EXPECT_EQ(CombineRgn(d, a, b, c.mode), c.result);
        expect_box(d, c.box);
    }
    EXPECT_TRUE(PtInRegion(d, 0, 0));
    EXPECT_EQ(CombineRgn(d, a, b, 0), ERROR);
    EXPECT_EQ(CombineRgn(d, a, b, 6), ERROR);
    EXPECT_EQ(CombineRgn(d, a, nullptr, RGN_AND), ERROR);
    Owned<HRGN> distant(CreateRectRgn(20, 20, 30, 30));
    EXPECT_EQ(CombineRgn(d, a, distant, RGN_AND), NULLREGION);
    EXPECT_EQ(CombineRgn(d, d, b, RGN_OR), SIMPLEREGION) << "a destination may also be a source";
    expect_box(d, {5, 5, 15, 15});
}

TEST(Region, RectanglesAreNormalisedAndEmptyOnesSitAtTheOrigin) {
    Owned<HRGN> flipped(CreateRectRgn(10, 10, 3, 3));
    RECT r{};
    EXPECT_EQ(GetRgnBox(flipped, &r), SIMPLEREGION);
    expect_box(flipped, {3, 3, 10, 10});
    Owned<HRGN> empty(CreateRectRgn(5, 5, 5, 9));
    EXPECT_EQ(GetRgnBox(empty, &r), NULLREGION);
    expect_box(empty, {0, 0, 0, 0});
    EXPECT_EQ(OffsetRgn(empty, 3, 4), NULLREGION);
    expect_box(empty, {0, 0, 0, 0});
    EXPECT_TRUE(SetRectRgn(empty, 5, 5, 1, 1));
    expect_box(empty, {1, 1, 5, 5});
    const RECT whole{-5, -6, 7, 8};
    Owned<HRGN> indirect(CreateRectRgnIndirect(&whole));
    expect_box(indirect, whole);
}

TEST(Region, OffsetHitTestsAndEquality) {
    Owned<HRGN> a(CreateRectRgn(0, 0, 10, 10));
    EXPECT_EQ(OffsetRgn(a, 3, 4), SIMPLEREGION);
    expect_box(a, {3, 4, 13, 14});
    EXPECT_TRUE(PtInRegion(a, 3, 4));
    EXPECT_TRUE(PtInRegion(a, 12, 13));
    EXPECT_FALSE(PtInRegion(a, 13, 14)) << "right and bottom edges are outside";
    EXPECT_FALSE(PtInRegion(a, 2, 4));
    const RECT touching{0, 0, 4, 5}, apart{0, 0, 3, 4};
    EXPECT_TRUE(RectInRegion(a, &touching));
    EXPECT_FALSE(RectInRegion(a, &apart));
    Owned<HRGN> same(CreateRectRgn(3, 4, 13, 14)), other(CreateRectRgn(3, 4, 13, 15));
    EXPECT_TRUE(EqualRgn(a, same));
    EXPECT_FALSE(EqualRgn(a, other));
    MemoryDc dc;
    EXPECT_FALSE(EqualRgn(a, reinterpret_cast<HRGN>(dc.get())));
    RECT r{};
    EXPECT_EQ(GetRgnBox(reinterpret_cast<HRGN>(dc.get()), &r), ERROR);
    EXPECT_EQ(OffsetRgn(reinterpret_cast<HRGN>(dc.get()), 1, 1), ERROR);
    EXPECT_FALSE(PtInRegion(reinterpret_cast<HRGN>(dc.get()), 0, 0));
}

TEST(ClipRegion, TheDcKeepsACopy) {
    Surface s(20, 20);
    Owned<HRGN> region(CreateRectRgn(3, 4, 13, 14)), copy(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetClipRgn(s.dc(), copy), 0) << "no clip region yet";
    EXPECT_EQ(SelectClipRgn(s.dc(), region), SIMPLEREGION);
    OffsetRgn(region, 100, 100);
    ASSERT_EQ(GetClipRgn(s.dc(), copy), 1);
    expect_box(copy, {3, 4, 13, 14});
    EXPECT_EQ(SelectClipRgn(s.dc(), nullptr), SIMPLEREGION);
    EXPECT_EQ(GetClipRgn(s.dc(), copy), 0);
    Owned<HPEN> pen(CreatePen(PS_SOLID, 1, 0));
    SelectClipRgn(s.dc(), copy);
    EXPECT_EQ(GetClipRgn(s.dc(), reinterpret_cast<HRGN>(pen.get())), -1);
    Owned<HRGN> empty(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(SelectClipRgn(s.dc(), empty), NULLREGION);
    EXPECT_EQ(GetClipRgn(s.dc(), copy), 1) << "an empty clip region clips everything";
}

TEST(ClipRegion, IsInDeviceCoordinates) {
    Surface s(20, 20);
    set_xform(s.dc(), 2, 2, 10, 0);
    Owned<HRGN> region(CreateRectRgn(3, 4, 13, 14)), copy(CreateRectRgn(0, 0, 0, 0));
    SelectClipRgn(s.dc(), region);
    GetClipRgn(s.dc(), copy);
    EXPECT_TRUE(EqualRgn(copy, region));
}

// Without a clip region the whole surface is what the modes combine with.
TEST(ClipRegion, ExtSelectCombinesWithTheCurrentClip) {
    Surface s(1, 1);
    Owned<HRGN> a(CreateRectRgn(5, 5, 15, 15)), b(CreateRectRgn(3, 4, 13, 14)), copy(CreateRectRgn(0, 0, 0, 0));
    SelectClipRgn(s.dc(), a);
    EXPECT_EQ(ExtSelectClipRgn(s.dc(), b, RGN_AND), SIMPLEREGION);
    GetClipRgn(s.dc(), copy);
    expect_box(copy, {5, 5, 13, 14});
    EXPECT_EQ(ExtSelectClipRgn(s.dc(), nullptr, RGN_AND), ERROR);
    EXPECT_EQ(ExtSelectClipRgn(s.dc(), nullptr, RGN_COPY), SIMPLEREGION);
    EXPECT_EQ(GetClipRgn(s.dc(), copy), 0);
    EXPECT_EQ(ExtSelectClipRgn(s.dc(), b, RGN_OR), COMPLEXREGION);
    GetClipRgn(s.dc(), copy);
    expect_box(copy, {0, 0, 13, 14});
    EXPECT_EQ(ExtSelectClipRgn(s.dc(), b, RGN_DIFF), SIMPLEREGION);
    GetClipRgn(s.dc(), copy);
    expect_box(copy, {0, 0, 1, 1});
    EXPECT_EQ(ExtSelectClipRgn(s.dc(), b, 9), ERROR);
}

TEST(FillRgn, FillsTheRegionThroughTheTransform) {
    struct Case {
        const char* name;
        XFORM x;
        RECT region;
        const char* picture;
    };
    const Case cases[] = {
        {"identity", {1, 0, 0, 1, 0, 0}, {1, 1, 3, 2}, "........|.##.....|........|........"},
        {"scale 2 and shift 1", {2, 0, 0, 2, 1, 0}, {1, 1, 3, 2}, "........|........|...####.|...####."},
        {"scale 1.5", {1.5f, 0, 0, 1.5f, 0, 0}, {1, 1, 3, 3}, "........|........|..###...|..###..."},
        {"mirrored", {-1, 0, 0, 1, 7, 0}, {1, 1, 3, 3}, "........|....##..|....##..|........"},
        {"half-pixel shift", {1, 0, 0, 1, 0.5f, 0.5f}, {1, 1, 3, 3}, "........|........|..##....|..##...."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Surface s(8, 4, 0xEE);
        SetGraphicsMode(s.dc(), GM_ADVANCED);
        SetWorldTransform(s.dc(), &c.x);
        Owned<HRGN> region(CreateRectRgnIndirect(&c.region));
        Owned<HBRUSH> brush(CreateSolidBrush(RGB(0x12, 0x34, 0x56)));
        ASSERT_TRUE(FillRgn(s.dc(), region, brush));
        std::string picture = s.picture(0xEE);
        for (char& ch : picture)
            if (ch == '?') ch = '#';
        EXPECT_EQ(picture, c.picture);
        EXPECT_EQ(s.at(0, 0), 0xEEu);
    }
}

TEST(FillRgn, MixesThroughRop2AndHonoursTheClip) {
    Surface s(4, 1, 0x123456);
    Owned<HRGN> region(CreateRectRgn(0, 0, 4, 1)), clip(CreateRectRgn(1, 0, 3, 1));
    Owned<HBRUSH> brush(CreateSolidBrush(RGB(0xFF, 0, 0)));
    SelectClipRgn(s.dc(), clip);
    SetROP2(s.dc(), R2_XORPEN);
    ASSERT_TRUE(FillRgn(s.dc(), region, brush));
    EXPECT_EQ(s.at(0, 0), 0x123456u);
    EXPECT_EQ(s.at(1, 0), 0xED3456u);
    EXPECT_EQ(s.at(2, 0), 0xED3456u);
    EXPECT_EQ(s.at(3, 0), 0x123456u);
    const HGDIOBJ old = SelectObject(s.dc(), brush);
    ASSERT_TRUE(PaintRgn(s.dc(), region));
    EXPECT_EQ(s.at(1, 0), 0x123456u) << "PaintRgn uses the selected brush and the same mix";
    SelectObject(s.dc(), old);
    EXPECT_FALSE(FillRgn(s.dc(), region, reinterpret_cast<HBRUSH>(region.get())));
}

} // namespace
