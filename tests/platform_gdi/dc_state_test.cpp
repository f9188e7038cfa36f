// The drawing state of a DC: defaults, setters' return values, refusals, world transforms.
#include "gdi_test_support.h"

#include <gtest/gtest.h>

using namespace gdi_test;

namespace {

HDC bogus_dc() { return reinterpret_cast<HDC>(static_cast<std::uintptr_t>(0x12345)); }

bool same(const XFORM& a, const XFORM& b) {
    return a.eM11 == b.eM11 && a.eM12 == b.eM12 && a.eM21 == b.eM21 && a.eM22 == b.eM22 && a.eDx == b.eDx &&
           a.eDy == b.eDy;
}

TEST(DcState, Defaults) {
    MemoryDc dc;
    EXPECT_EQ(GetGraphicsMode(dc), GM_COMPATIBLE);
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    EXPECT_EQ(GetBkColor(dc), 0xFFFFFFu);
    EXPECT_EQ(GetTextColor(dc), 0u);
    EXPECT_EQ(GetROP2(dc), R2_COPYPEN);
    EXPECT_EQ(GetPolyFillMode(dc), ALTERNATE);
    EXPECT_EQ(GetStretchBltMode(dc), BLACKONWHITE);
    POINT p{-1, -1};
    ASSERT_TRUE(GetCurrentPositionEx(dc, &p));
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);
    XFORM x{};
    ASSERT_TRUE(GetWorldTransform(dc, &x));
    EXPECT_TRUE(same(x, XFORM{1, 0, 0, 1, 0, 0}));
}

// Each mode setter gives the previous mode, refuses values out of range with 0 and keeps the mode.
TEST(DcState, ModeSettersReturnThePreviousModeAndRefuseBadValues) {
    struct Case {
        const char* name;
        int (*set)(HDC, int);
        int (*get)(HDC);
        int initial;
        int other;
        int bad[2];
    };
    const Case cases[] = {
        {"bk mode", [](HDC d, int v) { return SetBkMode(d, v); }, [](HDC d) { return GetBkMode(d); }, OPAQUE,
         TRANSPARENT, {0, 3}},
        {"rop2", [](HDC d, int v) { return SetROP2(d, v); }, [](HDC d) { return GetROP2(d); }, R2_COPYPEN, R2_XORPEN,
         {0, 17}},
        {"fill mode", [](HDC d, int v) { return SetPolyFillMode(d, v); }, [](HDC d) { return GetPolyFillMode(d); },
         ALTERNATE, WINDING, {0, 3}},
        {"stretch mode", [](HDC d, int v) { return SetStretchBltMode(d, v); },
         [](HDC d) { return GetStretchBltMode(d); }, BLACKONWHITE, COLORONCOLOR, {0, 5}},
        {"graphics mode", [](HDC d, int v) { return SetGraphicsMode(d, v); }, [](HDC d) { return GetGraphicsMode(d); },
         GM_COMPATIBLE, GM_ADVANCED, {0, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryDc dc;
        for (int bad : c.bad) EXPECT_EQ(c.set(dc, bad), 0) << bad;
        EXPECT_EQ(c.get(dc), c.initial);
        EXPECT_EQ(c.set(dc, c.other), c.initial);
        EXPECT_EQ(c.set(dc, c.initial), c.other);
        EXPECT_EQ(c.get(dc), c.initial);
        EXPECT_EQ(c.set(bogus_dc(), c.other), 0);
        EXPECT_EQ(c.get(bogus_dc()), 0);
    }
}

TEST(DcState, ColourSettersKeepTheWholeValue) {
    MemoryDc dc;
    EXPECT_EQ(SetBkColor(dc, 0x123456), 0xFFFFFFu);
    EXPECT_EQ(SetBkColor(dc, CLR_INVALID), 0x123456u);
    EXPECT_EQ(GetBkColor(dc), CLR_INVALID);
    EXPECT_EQ(SetBkColor(dc, 0x01000022), CLR_INVALID);
    EXPECT_EQ(GetBkColor(dc), 0x01000022u) << "a palette index is kept as given";
    EXPECT_EQ(SetTextColor(dc, 0x123456), 0u);
    EXPECT_EQ(SetTextColor(dc, 0x02000001), 0x123456u);
    EXPECT_EQ(GetTextColor(dc), 0x02000001u);
    EXPECT_EQ(SetBkColor(bogus_dc(), 0), CLR_INVALID);
    EXPECT_EQ(GetBkColor(bogus_dc()), CLR_INVALID);
    EXPECT_EQ(SetTextColor(bogus_dc(), 0), CLR_INVALID);
    EXPECT_EQ(GetTextColor(bogus_dc()), 0u) << "unlike the background colour, as on the reference platform";
}

TEST(DcState, CurrentPositionAndBrushOrigin) {
    MemoryDc dc;
    POINT p{-1, -1};
    EXPECT_TRUE(MoveToEx(dc, 3, 4, &p));
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);
    EXPECT_TRUE(MoveToEx(dc, -7, 8, &p));
    EXPECT_EQ(p.x, 3);
    EXPECT_EQ(p.y, 4);
    EXPECT_TRUE(MoveToEx(dc, 1, 2, nullptr));
    ASSERT_TRUE(GetCurrentPositionEx(dc, &p));
    EXPECT_EQ(p.x, 1);
    EXPECT_EQ(p.y, 2);
    EXPECT_FALSE(MoveToEx(bogus_dc(), 1, 1, nullptr));

    set_xform(dc, 2, 2, 5, 5);
    MoveToEx(dc, 10, 10, nullptr);
    GetCurrentPositionEx(dc, &p);
    EXPECT_EQ(p.x, 10) << "kept in logical coordinates";

    EXPECT_TRUE(SetBrushOrgEx(dc, 3, 4, &p));
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);
    ASSERT_TRUE(GetBrushOrgEx(dc, &p));
    EXPECT_EQ(p.x, 3);
    EXPECT_EQ(p.y, 4);
}

TEST(WorldTransform, OnlyInAdvancedModeAndOnlyInvertible) {
    MemoryDc dc;
    const XFORM scale{2, 0, 0, 2, 5, 5};
    EXPECT_FALSE(SetWorldTransform(dc, &scale)) << "compatible mode";
    EXPECT_TRUE(ModifyWorldTransform(dc, nullptr, MWT_IDENTITY)) << "resetting is allowed in any mode";
    ASSERT_EQ(SetGraphicsMode(dc, GM_ADVANCED), GM_COMPATIBLE);
    EXPECT_TRUE(SetWorldTransform(dc, &scale));
    const XFORM singular[] = {{0, 0, 0, 0, 1, 1}, {1, 2, 2, 4, 1, 1}};
    for (const XFORM& s : singular) EXPECT_FALSE(SetWorldTransform(dc, &s));
    EXPECT_FALSE(SetWorldTransform(dc, nullptr));
    XFORM x{};
    GetWorldTransform(dc, &x);
    EXPECT_TRUE(same(x, scale)) << "refusals keep the transform";
    EXPECT_FALSE(GetWorldTransform(bogus_dc(), &x));
}

// Going back to the compatible mode keeps the transform, as the reference platform does.
TEST(WorldTransform, CompatibleModeKeepsTheTransform) {
    MemoryDc dc;
    set_xform(dc, 2, 2, 1, 1);
    EXPECT_EQ(SetGraphicsMode(dc, GM_COMPATIBLE), GM_ADVANCED);
    EXPECT_EQ(GetGraphicsMode(dc), GM_COMPATIBLE);
    XFORM x{};
    GetWorldTransform(dc, &x);
    EXPECT_TRUE(same(x, XFORM{2, 0, 0, 2, 1, 1}));
    POINT p{1, 1};
    LPtoDP(dc, &p, 1);
    EXPECT_EQ(p.x, 3) << "and it still applies";
}

TEST(WorldTransform, ModifyMultipliesOnEitherSide) {
    MemoryDc dc;
    const XFORM base{2, 0, 0, 2, 5, 5};
    const XFORM shift{1, 0, 0, 1, 10, 20};
    set_xform(dc, 2, 2, 5, 5);
    XFORM x{};
    EXPECT_TRUE(ModifyWorldTransform(dc, &shift, MWT_LEFTMULTIPLY));
    GetWorldTransform(dc, &x);
    EXPECT_TRUE(same(x, XFORM{2, 0, 0, 2, 25, 45})) << "the shift applies first";
    SetWorldTransform(dc, &base);
    EXPECT_TRUE(ModifyWorldTransform(dc, &shift, MWT_RIGHTMULTIPLY));
    GetWorldTransform(dc, &x);
    EXPECT_TRUE(same(x, XFORM{2, 0, 0, 2, 15, 25})) << "the shift applies last";
    EXPECT_FALSE(ModifyWorldTransform(dc, &shift, 7));
    EXPECT_FALSE(ModifyWorldTransform(dc, nullptr, MWT_LEFTMULTIPLY));
    EXPECT_TRUE(ModifyWorldTransform(dc, nullptr, MWT_IDENTITY));
    GetWorldTransform(dc, &x);
    EXPECT_TRUE(same(x, XFORM{1, 0, 0, 1, 0, 0}));
}

// Transformed coordinates round half up.
TEST(WorldTransform, RoundsHalfUp) {
    struct Case {
        XFORM x;
        POINT in;
        POINT out;
    };
    const Case cases[] = {
        {{1.5f, 0, 0, 1.5f, 0.25f, 0}, {1, 1}, {2, 2}},   {{1.5f, 0, 0, 1.5f, 0.25f, 0}, {2, 2}, {3, 3}},
        {{1.5f, 0, 0, 1.5f, 0.25f, 0}, {3, 3}, {5, 5}},   {{1.5f, 0, 0, 1.5f, 0.25f, 0}, {-1, -1}, {-1, -1}},
        {{1.5f, 0, 0, 1.5f, 0.25f, 0}, {-3, -3}, {-4, -4}}, {{0.5f, 0, 0, 0.5f, 0, 0}, {1, 1}, {1, 1}},
        {{0.5f, 0, 0, 0.5f, 0, 0}, {3, 3}, {2, 2}},       {{0.5f, 0, 0, 0.5f, 0, 0}, {-1, -1}, {0, 0}},
        {{0.5f, 0, 0, 0.5f, 0, 0}, {-5, -5}, {-2, -2}},   {{1, 0, 0, 1, 3.5f, 2.25f}, {0, 0}, {4, 2}},
    };
    MemoryDc dc;
    SetGraphicsMode(dc, GM_ADVANCED);
    for (const Case& c : cases) {
        SetWorldTransform(dc, &c.x);
        POINT p = c.in;
        ASSERT_TRUE(LPtoDP(dc, &p, 1));
        EXPECT_EQ(p.x, c.out.x) << c.in.x << " with scale " << c.x.eM11;
        EXPECT_EQ(p.y, c.out.y) << c.in.y << " with scale " << c.x.eM22;
    }
    const XFORM scale{2, 0, 0, 2, 5, 5};
    SetWorldTransform(dc, &scale);
    POINT back[4] = {{1, 1}, {3, 3}, {-1, -1}, {-3, -3}};
    ASSERT_TRUE(DPtoLP(dc, back, 4));
    EXPECT_EQ(back[0].x, -2);
    EXPECT_EQ(back[1].x, -1);
    EXPECT_EQ(back[2].x, -3);
    EXPECT_EQ(back[3].x, -4);
}

} // namespace
