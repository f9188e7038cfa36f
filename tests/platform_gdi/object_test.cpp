// GDI objects: stock objects, types, descriptions, selection and deletion.
#include "gdi_test_support.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

using namespace gdi_test;

namespace {

HGDIOBJ bogus_handle() { return reinterpret_cast<HGDIOBJ>(static_cast<std::uintptr_t>(0x12345)); }

TEST(StockObjects, HaveTheirTypesAndRecords) {
    struct Case {
        int index;
        DWORD type;
        UINT style;
        COLORREF color;
    };
    const Case cases[] = {
        {WHITE_BRUSH, OBJ_BRUSH, BS_SOLID, 0xFFFFFF}, {LTGRAY_BRUSH, OBJ_BRUSH, BS_SOLID, 0xC0C0C0},
        {GRAY_BRUSH, OBJ_BRUSH, BS_SOLID, 0x808080},  {DKGRAY_BRUSH, OBJ_BRUSH, BS_SOLID, 0x404040},
        {BLACK_BRUSH, OBJ_BRUSH, BS_SOLID, 0x000000}, {NULL_BRUSH, OBJ_BRUSH, BS_NULL, 0},
        {WHITE_PEN, OBJ_PEN, PS_SOLID, 0xFFFFFF},     {BLACK_PEN, OBJ_PEN, PS_SOLID, 0x000000},
        {NULL_PEN, OBJ_PEN, PS_NULL, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        HGDIOBJ h = GetStockObject(c.index);
        ASSERT_NE(h, nullptr);
        EXPECT_EQ(GetObjectType(h), c.type);
        EXPECT_EQ(GetStockObject(c.index), h) << "the same object every time";
        if (c.type == OBJ_BRUSH) {
            LOGBRUSH lb{};
            ASSERT_EQ(GetObjectW(h, sizeof lb, &lb), static_cast<int>(sizeof lb));
            EXPECT_EQ(lb.lbStyle, c.style);
            if (c.style == BS_SOLID) {
                EXPECT_EQ(lb.lbColor, c.color);
            }
        } else {
            LOGPEN lp{};
            ASSERT_EQ(GetObjectW(h, sizeof lp, &lp), static_cast<int>(sizeof lp));
            EXPECT_EQ(lp.lopnStyle, c.style);
            EXPECT_EQ(lp.lopnColor, c.color);
        }
    }
    for (int font : {OEM_FIXED_FONT, ANSI_FIXED_FONT, ANSI_VAR_FONT, SYSTEM_FONT, DEVICE_DEFAULT_FONT,
                     SYSTEM_FIXED_FONT, DEFAULT_GUI_FONT})
        EXPECT_EQ(GetObjectType(GetStockObject(font)), OBJ_FONT) << font;
    EXPECT_EQ(GetObjectType(GetStockObject(DEFAULT_PALETTE)), OBJ_PAL);
    EXPECT_EQ(GetStockObject(9), nullptr);
    EXPECT_EQ(GetStockObject(-1), nullptr);
}

TEST(StockObjects, DeletingOneIsHarmless) {
    for (int index : {WHITE_BRUSH, BLACK_PEN, SYSTEM_FONT, DEFAULT_PALETTE}) {
        HGDIOBJ h = GetStockObject(index);
        EXPECT_TRUE(DeleteObject(h));
        EXPECT_NE(GetObjectType(h), 0u) << index;
        EXPECT_EQ(GetStockObject(index), h);
    }
}

TEST(MemoryDc, StartsWithTheMonochromeBitmapAndStockObjects) {
    MemoryDc dc;
    ASSERT_NE(dc.get(), nullptr);
    EXPECT_EQ(GetObjectType(dc), OBJ_MEMDC);
    BITMAP bm{};
    ASSERT_EQ(GetObjectW(GetCurrentObject(dc, OBJ_BITMAP), sizeof bm, &bm), static_cast<int>(sizeof bm));
    EXPECT_EQ(bm.bmWidth, 1);
    EXPECT_EQ(bm.bmHeight, 1);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    EXPECT_EQ(bm.bmWidthBytes, 2);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PAL), GetStockObject(DEFAULT_PALETTE));
    EXPECT_EQ(GetCurrentObject(dc, 99), nullptr);
}

TEST(MemoryDc, CompatibleWithAnInvalidDcFails) {
    EXPECT_EQ(CreateCompatibleDC(reinterpret_cast<HDC>(bogus_handle())), nullptr);
    MemoryDc reference;
    HDC dc = CreateCompatibleDC(reference);
    ASSERT_NE(dc, nullptr);
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_FALSE(DeleteDC(dc)) << "a stale DC";
}

TEST(SelectObject, ReturnsWhatItReplaces) {
    MemoryDc dc;
    Owned<HPEN> pen(CreatePen(PS_SOLID, 1, RGB(1, 2, 3)));
    Owned<HBRUSH> brush(CreateSolidBrush(RGB(4, 5, 6)));
    LOGFONTW lf{};
    lf.lfHeight = 16;
    Owned<HFONT> font(CreateFontIndirectW(&lf));
    EXPECT_EQ(SelectObject(dc, pen), GetStockObject(BLACK_PEN));
    EXPECT_EQ(SelectObject(dc, pen), pen.get()) << "selecting it again";
    EXPECT_EQ(SelectObject(dc, brush), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(SelectObject(dc, font), GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen.get());
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush.get());
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font.get());
    EXPECT_EQ(SelectObject(dc, GetStockObject(BLACK_PEN)), pen.get());
    EXPECT_EQ(SelectObject(dc, GetStockObject(WHITE_BRUSH)), brush.get());
    EXPECT_EQ(SelectObject(dc, GetStockObject(SYSTEM_FONT)), font.get());
}

TEST(SelectObject, RefusesBadHandlesAndPalettes) {
    MemoryDc dc;
    EXPECT_EQ(SelectObject(dc, bogus_handle()), nullptr);
    EXPECT_EQ(SelectObject(dc, nullptr), nullptr);
    EXPECT_EQ(SelectObject(reinterpret_cast<HDC>(bogus_handle()), GetStockObject(BLACK_PEN)), nullptr);
    EXPECT_EQ(SelectObject(dc, GetStockObject(DEFAULT_PALETTE)), nullptr);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
}

TEST(SelectObject, ARegionSelectsTheClipRegion) {
    MemoryDc dc;
    Owned<HRGN> region(CreateRectRgn(0, 0, 10, 10));
    EXPECT_EQ(SelectObject(dc, region), reinterpret_cast<HGDIOBJ>(static_cast<std::intptr_t>(SIMPLEREGION)));
    Owned<HRGN> copy(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetClipRgn(dc, copy), 1);
    EXPECT_TRUE(EqualRgn(copy, region));
}

TEST(SelectObject, ABitmapLivesInOneDcAtATime) {
    MemoryDc first, second;
    Owned<HBITMAP> bitmap(CreateBitmap(4, 4, 1, 32, nullptr));
    const HGDIOBJ initial = SelectObject(first, bitmap);
    ASSERT_NE(initial, nullptr);
    EXPECT_EQ(SelectObject(second, bitmap), nullptr);
    EXPECT_EQ(SelectObject(first, bitmap), bitmap.get()) << "again into the same DC";
    EXPECT_EQ(SelectObject(first, initial), bitmap.get());
    const HGDIOBJ second_initial = SelectObject(second, bitmap);
    EXPECT_NE(second_initial, nullptr) << "free again once the first DC let go";
    SelectObject(second, second_initial);
}

TEST(SelectObject, DeviceBitmapsMustMatchTheScreen) {
    MemoryDc dc;
    for (UINT bits : {16u, 24u}) {
        Owned<HBITMAP> bitmap(CreateBitmap(4, 4, 1, bits, nullptr));
        ASSERT_NE(bitmap.get(), nullptr);
        EXPECT_EQ(SelectObject(dc, bitmap), nullptr) << bits;
    }
    Owned<HBITMAP> mono(CreateBitmap(4, 4, 1, 1, nullptr));
    const HGDIOBJ old = SelectObject(dc, mono);
    EXPECT_NE(old, nullptr);
    SelectObject(dc, old);
}

// A selected object survives DeleteObject (which reports success) until the DC lets it go.
TEST(DeleteObject, ASelectedObjectLivesUntilDeselected) {
    MemoryDc dc;
    struct Case {
        const char* name;
        HGDIOBJ object;
        DWORD type;
    };
    LOGFONTW lf{};
    const Case cases[] = {
        {"pen", CreatePen(PS_SOLID, 1, 0), OBJ_PEN},
        {"brush", CreateSolidBrush(0), OBJ_BRUSH},
        {"font", CreateFontIndirectW(&lf), OBJ_FONT},
        {"bitmap", CreateBitmap(2, 2, 1, 32, nullptr), OBJ_BITMAP},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const HGDIOBJ old = SelectObject(dc, c.object);
        ASSERT_NE(old, nullptr);
        EXPECT_TRUE(DeleteObject(c.object));
        EXPECT_EQ(GetObjectType(c.object), c.type) << "still alive while selected";
        SelectObject(dc, old);
        EXPECT_EQ(GetObjectType(c.object), 0u) << "freed once deselected";
    }
}

TEST(DeleteObject, DeleteDcFreesADeletedBitmapItHeld) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(2, 2, 1, 32, nullptr);
    SelectObject(dc, bitmap);
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_EQ(GetObjectType(bitmap), OBJ_BITMAP);
    DeleteDC(dc);
    EXPECT_EQ(GetObjectType(bitmap), 0u);
}

TEST(DeleteObject, RefusesNullStaleAndForeignHandles) {
    EXPECT_FALSE(DeleteObject(nullptr));
    EXPECT_FALSE(DeleteObject(bogus_handle()));
    HPEN pen = CreatePen(PS_SOLID, 1, 0);
    ASSERT_TRUE(DeleteObject(pen));
    EXPECT_EQ(GetObjectType(pen), 0u);
    EXPECT_FALSE(DeleteObject(pen));
    EXPECT_EQ(GetObjectW(pen, 0, nullptr), 0);
    Owned<HPEN> other(CreatePen(PS_SOLID, 1, 0));
    EXPECT_FALSE(DeleteDC(reinterpret_cast<HDC>(other.get())));
    EXPECT_EQ(GetObjectType(other), OBJ_PEN);
}

TEST(GetObject, BitmapRecords) {
    Owned<HBITMAP> ddb(CreateBitmap(5, 3, 1, 1, nullptr));
    BITMAP bm{};
    EXPECT_EQ(GetObjectW(ddb, 0, nullptr), static_cast<int>(sizeof(BITMAP)));
    EXPECT_EQ(GetObjectW(ddb, 8, &bm), 0) << "too small";
    EXPECT_EQ(GetObjectW(ddb, 100, &bm), static_cast<int>(sizeof(BITMAP)));
    EXPECT_EQ(bm.bmWidth, 5);
    EXPECT_EQ(bm.bmHeight, 3);
    EXPECT_EQ(bm.bmWidthBytes, 2);
    EXPECT_EQ(bm.bmBits, nullptr);

    Surface dib(5, 3);
    DIBSECTION ds{};
    EXPECT_EQ(GetObjectW(dib.bitmap(), 0, nullptr), static_cast<int>(sizeof(BITMAP)));
    EXPECT_EQ(GetObjectW(dib.bitmap(), sizeof(BITMAP), &ds), static_cast<int>(sizeof(BITMAP)));
    ASSERT_EQ(GetObjectW(dib.bitmap(), sizeof ds, &ds), static_cast<int>(sizeof(DIBSECTION)));
    EXPECT_EQ(ds.dsBm.bmWidth, 5);
    EXPECT_EQ(ds.dsBm.bmHeight, 3);
    EXPECT_EQ(ds.dsBm.bmWidthBytes, 20);
    EXPECT_EQ(ds.dsBm.bmBitsPixel, 32);
    EXPECT_EQ(ds.dsBm.bmBits, dib.pixels());
    EXPECT_EQ(ds.dsBmih.biWidth, 5);
    EXPECT_EQ(ds.dsBmih.biHeight, 3) << "reported positive for a top-down section";
    EXPECT_EQ(ds.dsBmih.biBitCount, 32);
    EXPECT_EQ(ds.dsBmih.biSizeImage, 60u);
}

TEST(GetObject, PenRecords) {
    Owned<HPEN> pen(CreatePen(PS_DASH, 3, RGB(9, 8, 7)));
    LOGPEN lp{};
    EXPECT_EQ(GetObjectW(pen, 0, nullptr), static_cast<int>(sizeof(LOGPEN)));
    EXPECT_EQ(GetObjectW(pen, 4, &lp), 0);
    ASSERT_EQ(GetObjectW(pen, 100, &lp), static_cast<int>(sizeof(LOGPEN)));
    EXPECT_EQ(lp.lopnStyle, PS_DASH);
    EXPECT_EQ(lp.lopnWidth.x, 3);
    EXPECT_EQ(lp.lopnColor, RGB(9, 8, 7));

    const LOGBRUSH solid{BS_SOLID, RGB(1, 2, 3), 0};
    const DWORD dashes[4] = {1, 2, 3, 4};
    Owned<HPEN> ext(ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT, 5, &solid, 4, dashes));
    ASSERT_NE(ext.get(), nullptr);
    EXPECT_EQ(GetObjectType(ext), OBJ_EXTPEN);
    const int needed = static_cast<int>(offsetof(EXTLOGPEN, elpStyleEntry) + 4 * sizeof(DWORD));
    EXPECT_EQ(GetObjectW(ext, 0, nullptr), needed);
    EXPECT_EQ(GetObjectW(ext, sizeof(LOGPEN), &lp), 0);
    EXPECT_EQ(GetObjectW(ext, needed - 1, &lp), 0);
    alignas(EXTLOGPEN) unsigned char buffer[128] = {};
    ASSERT_EQ(GetObjectW(ext, sizeof buffer, buffer), needed);
    const auto* e = reinterpret_cast<const EXTLOGPEN*>(buffer);
    EXPECT_EQ(e->elpPenStyle, PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT);
    EXPECT_EQ(e->elpWidth, 5u);
    EXPECT_EQ(e->elpBrushStyle, BS_SOLID);
    EXPECT_EQ(e->elpColor, RGB(1, 2, 3));
    ASSERT_EQ(e->elpNumEntries, 4u);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(e->elpStyleEntry[i], dashes[i]);
}

TEST(GetObject, BrushFontAndPaletteCopyWhatFits) {
    Owned<HBRUSH> brush(CreateHatchBrush(HS_CROSS, RGB(1, 1, 1)));
    LOGBRUSH lb{};
    EXPECT_EQ(GetObjectW(brush, 0, nullptr), static_cast<int>(sizeof(LOGBRUSH)));
    EXPECT_EQ(GetObjectW(brush, 4, &lb), 4);
    ASSERT_EQ(GetObjectW(brush, 100, &lb), static_cast<int>(sizeof(LOGBRUSH)));
    EXPECT_EQ(lb.lbStyle, BS_HATCHED);
    EXPECT_EQ(lb.lbColor, RGB(1, 1, 1));
    EXPECT_EQ(lb.lbHatch, static_cast<ULONG_PTR>(HS_CROSS));

    LOGFONTW lf{};
    lf.lfHeight = 16;
    lf.lfWeight = FW_BOLD;
    const char16_t face[] = u"System";
    std::memcpy(lf.lfFaceName, face, sizeof face);
    Owned<HFONT> font(CreateFontIndirectW(&lf));
    LOGFONTW out{};
    EXPECT_EQ(GetObjectW(font, 0, nullptr), static_cast<int>(sizeof(LOGFONTW)));
    EXPECT_EQ(GetObjectW(font, 10, &out), 10);
    ASSERT_EQ(GetObjectW(font, 200, &out), static_cast<int>(sizeof(LOGFONTW)));
    EXPECT_EQ(std::memcmp(&out, &lf, sizeof lf), 0);

    WORD entries = 0;
    EXPECT_EQ(GetObjectW(GetStockObject(DEFAULT_PALETTE), sizeof entries, &entries), 2);
    EXPECT_EQ(entries, 20);

    MemoryDc dc;
    Owned<HRGN> region(CreateRectRgn(0, 0, 1, 1));
    EXPECT_EQ(GetObjectW(region, 0, nullptr), 0);
    EXPECT_EQ(GetObjectW(dc, 0, nullptr), 0);
}

TEST(GdiBatch, CallsAreNeverHeldBack) {
    EXPECT_EQ(GdiSetBatchLimit(1), 1u);
    EXPECT_TRUE(GdiFlush());
}

} // namespace
