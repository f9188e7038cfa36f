// Pens, brushes and fonts: creation with the platform's checks, their records, and what brushes
// paint (hatches, monochrome and colour patterns, the brush origin).
#include "gdi_test_support.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace gdi_test;

namespace {

DWORD type_of(HGDIOBJ h) { return h ? GetObjectType(h) : 0; }

TEST(ExtCreatePen, ChecksLikeThePlatform) {
    const LOGBRUSH solid{BS_SOLID, RGB(1, 2, 3), 0}, hatched{BS_HATCHED, RGB(1, 2, 3), HS_CROSS};
    const DWORD dashes[4] = {1, 2, 3, 4}, zeros[2] = {0, 0};
    DWORD sixteen[17];
    for (DWORD& d : sixteen) d = 1;
    struct Case {
        const char* name;
        DWORD style;
        DWORD width;
        const LOGBRUSH* brush;
        DWORD count;
        const DWORD* entries;
        DWORD type; // 0: refused
    };
    const Case cases[] = {
        {"cosmetic", PS_COSMETIC | PS_SOLID, 1, &solid, 0, nullptr, OBJ_EXTPEN},
        {"cosmetic wider than 1", PS_COSMETIC | PS_SOLID, 2, &solid, 0, nullptr, 0},
        {"cosmetic of width 0", PS_COSMETIC | PS_SOLID, 0, &solid, 0, nullptr, 0},
        {"cosmetic hatched", PS_COSMETIC | PS_SOLID, 1, &hatched, 0, nullptr, 0},
        {"cosmetic alternate", PS_COSMETIC | PS_ALTERNATE, 1, &solid, 0, nullptr, OBJ_EXTPEN},
        {"cosmetic dashed", PS_COSMETIC | PS_DASH, 1, &solid, 0, nullptr, OBJ_EXTPEN},
        {"cosmetic user style", PS_COSMETIC | PS_USERSTYLE, 1, &solid, 4, dashes, OBJ_EXTPEN},
        {"geometric alternate", PS_GEOMETRIC | PS_ALTERNATE, 1, &solid, 0, nullptr, 0},
        {"geometric of width 0", PS_GEOMETRIC | PS_SOLID, 0, &solid, 0, nullptr, OBJ_EXTPEN},
        {"geometric hatched", PS_GEOMETRIC | PS_SOLID, 5, &hatched, 0, nullptr, OBJ_EXTPEN},
        {"geometric inside frame", PS_GEOMETRIC | PS_INSIDEFRAME, 3, &solid, 0, nullptr, OBJ_EXTPEN},
        {"dashed with flat caps", PS_GEOMETRIC | PS_DASH | PS_ENDCAP_FLAT, 3, &solid, 0, nullptr, OBJ_EXTPEN},
        {"user style", PS_GEOMETRIC | PS_USERSTYLE, 5, &solid, 4, dashes, OBJ_EXTPEN},
        {"user style of 16", PS_GEOMETRIC | PS_USERSTYLE, 5, &solid, 16, sixteen, OBJ_EXTPEN},
        {"user style of 17", PS_GEOMETRIC | PS_USERSTYLE, 5, &solid, 17, sixteen, 0},
        {"user style without count", PS_GEOMETRIC | PS_USERSTYLE, 5, &solid, 0, nullptr, 0},
        {"user style without entries", PS_GEOMETRIC | PS_USERSTYLE, 5, &solid, 4, nullptr, 0},
        {"user style all zero", PS_GEOMETRIC | PS_USERSTYLE, 5, &solid, 2, zeros, 0},
        {"entries for a plain style", PS_GEOMETRIC | PS_SOLID, 5, &solid, 4, dashes, 0},
        {"a count for a plain style", PS_GEOMETRIC | PS_SOLID, 5, &solid, 4, nullptr, 0},
        {"entries without count", PS_GEOMETRIC | PS_SOLID, 5, &solid, 0, dashes, 0},
        {"null kind with a count and no entries", 0x11205, 1, &solid, 4, nullptr, 0},
        {"unknown kind", PS_GEOMETRIC | 9, 3, &solid, 0, nullptr, 0},
        {"unknown type", 0x20000, 3, &solid, 0, nullptr, 0},
    };
    for (const Case& c : cases) {
        HPEN pen = ExtCreatePen(c.style, c.width, c.brush, c.count, c.entries);
        EXPECT_EQ(type_of(pen), c.type) << c.name;
        if (pen) DeleteObject(pen);
    }
}

TEST(ExtCreatePen, NullKindsGiveTheStockNullPen) {
    const LOGBRUSH solid{BS_SOLID, 0, 0}, hollow{BS_NULL, 0, 0};
    EXPECT_EQ(ExtCreatePen(PS_GEOMETRIC | PS_NULL, 5, &solid, 0, nullptr), GetStockObject(NULL_PEN));
    EXPECT_EQ(ExtCreatePen(PS_GEOMETRIC | PS_SOLID, 5, &hollow, 0, nullptr), GetStockObject(NULL_PEN));
    EXPECT_EQ(ExtCreatePen(0x11205, 1, &solid, 0, nullptr), GetStockObject(NULL_PEN))
        << "a user style turned null, without a count";
}

TEST(CreatePen, KeepsPlainStylesAndTakesOthersAsSolid) {
    struct Case {
        int style;
        int width;
        UINT stored_style;
        LONG stored_width;
    };
    const Case cases[] = {
        {PS_DASH, 3, PS_DASH, 3},          {PS_INSIDEFRAME, 2, PS_INSIDEFRAME, 2},
        {PS_SOLID, -3, PS_SOLID, 3},       {9, 1, PS_SOLID, 1},
        {static_cast<int>(PS_DASH | PS_ENDCAP_FLAT), 1, PS_SOLID, 1},
    };
    for (const Case& c : cases) {
        Owned<HPEN> pen(CreatePen(c.style, c.width, RGB(1, 2, 3)));
        ASSERT_EQ(GetObjectType(pen), OBJ_PEN) << c.style;
        LOGPEN lp{};
        GetObjectW(pen, sizeof lp, &lp);
        EXPECT_EQ(lp.lopnStyle, c.stored_style) << c.style;
        EXPECT_EQ(lp.lopnWidth.x, c.stored_width) << c.style;
        EXPECT_EQ(lp.lopnColor, RGB(1, 2, 3));
    }
    EXPECT_EQ(CreatePen(PS_NULL, 1, 0), GetStockObject(NULL_PEN));
    const LOGPEN record{PS_DOT, {2, 0}, RGB(4, 5, 6)};
    Owned<HPEN> indirect(CreatePenIndirect(&record));
    LOGPEN lp{};
    GetObjectW(indirect, sizeof lp, &lp);
    EXPECT_EQ(lp.lopnStyle, PS_DOT);
    EXPECT_EQ(lp.lopnColor, RGB(4, 5, 6));
}

TEST(CreateBrush, StylesAndRecords) {
    Owned<HBRUSH> solid(CreateSolidBrush(RGB(1, 2, 3)));
    LOGBRUSH lb{};
    GetObjectW(solid, sizeof lb, &lb);
    EXPECT_EQ(lb.lbStyle, BS_SOLID);
    EXPECT_EQ(lb.lbColor, RGB(1, 2, 3));

    Owned<HBRUSH> past_last_hatch(CreateHatchBrush(9, RGB(1, 1, 1)));
    ASSERT_NE(past_last_hatch.get(), nullptr);
    GetObjectW(past_last_hatch, sizeof lb, &lb);
    EXPECT_EQ(lb.lbStyle, BS_SOLID) << "an unknown hatch makes a solid brush";
    EXPECT_EQ(CreateHatchBrush(-1, 0), nullptr);

    LOGBRUSH in{BS_NULL, 0, 0};
    EXPECT_EQ(CreateBrushIndirect(&in), GetStockObject(NULL_BRUSH));
    for (UINT refused : {static_cast<UINT>(BS_INDEXED), static_cast<UINT>(BS_PATTERN8X8), 9u}) {
        in = {refused, 0, 0};
        EXPECT_EQ(CreateBrushIndirect(&in), nullptr) << refused;
    }
    in = {BS_PATTERN, 0, 0};
    EXPECT_EQ(CreateBrushIndirect(&in), nullptr) << "a pattern brush without a bitmap";

    HBITMAP bitmap = CreateBitmap(8, 8, 1, 1, nullptr);
    in = {BS_PATTERN, 0, reinterpret_cast<ULONG_PTR>(bitmap)};
    Owned<HBRUSH> pattern(CreateBrushIndirect(&in));
    ASSERT_NE(pattern.get(), nullptr);
    DeleteObject(bitmap);
    GetObjectW(pattern, sizeof lb, &lb);
    EXPECT_EQ(lb.lbStyle, BS_PATTERN);
    EXPECT_EQ(lb.lbHatch, reinterpret_cast<ULONG_PTR>(bitmap)) << "the record keeps the bitmap's handle";
}

// A packed 2 by 2 32-bit DIB, bottom-up.
struct PackedDib {
    BITMAPINFOHEADER header;
    std::uint32_t pixels[4];
};

PackedDib packed_dib() {
    PackedDib p{};
    p.header.biSize = sizeof(BITMAPINFOHEADER);
    p.header.biWidth = 2;
    p.header.biHeight = 2;
    p.header.biPlanes = 1;
    p.header.biBitCount = 32;
    p.pixels[0] = 0x11; // bottom left
    p.pixels[1] = 0x22;
    p.pixels[2] = 0x33; // top left
    p.pixels[3] = 0x44;
    return p;
}

TEST(CreateBrush, DibPatternsAreCopiedAtCreation) {
    PackedDib dib = packed_dib();
    Owned<HBRUSH> brush(CreateDIBPatternBrushPt(&dib, DIB_RGB_COLORS));
    ASSERT_NE(brush.get(), nullptr);
    LOGBRUSH lb{};
    GetObjectW(brush, sizeof lb, &lb);
    EXPECT_EQ(lb.lbStyle, BS_DIBPATTERN);
    std::memset(&dib, 0, sizeof dib);
    Surface s(4, 3, 0xEE);
    const HGDIOBJ old = SelectObject(s.dc(), brush);
    PatBlt(s.dc(), 0, 0, 4, 3, PATCOPY);
    EXPECT_EQ(s.at(0, 0), 0x33u) << "the DIB's top row";
    EXPECT_EQ(s.at(1, 1), 0x22u) << "kept although the caller's copy is gone";

    HGLOBAL memory = GlobalAlloc(GMEM_FIXED, sizeof(PackedDib));
    ASSERT_NE(memory, nullptr);
    const PackedDib source = packed_dib();
    std::memcpy(GlobalLock(memory), &source, sizeof source);
    GlobalUnlock(memory);
    const LOGBRUSH by_handle{BS_DIBPATTERN, DIB_RGB_COLORS, reinterpret_cast<ULONG_PTR>(memory)};
    Owned<HBRUSH> from_memory(CreateBrushIndirect(&by_handle));
    GlobalFree(memory);
    ASSERT_NE(from_memory.get(), nullptr);
    SelectObject(s.dc(), from_memory);
    s.fill_all(0xEE);
    PatBlt(s.dc(), 0, 0, 4, 3, PATCOPY);
    EXPECT_EQ(s.at(0, 0), 0x33u);
    EXPECT_EQ(s.at(1, 0), 0x44u);
    EXPECT_EQ(s.at(0, 1), 0x11u);
    EXPECT_EQ(s.at(3, 1), 0x22u);
    EXPECT_EQ(s.at(2, 2), 0x33u) << "tiled";
    SelectObject(s.dc(), old);

    const LOGBRUSH empty{BS_DIBPATTERN, DIB_RGB_COLORS, 0};
    EXPECT_EQ(CreateBrushIndirect(&empty), nullptr);
    PackedDib bad = packed_dib();
    bad.header.biBitCount = 7;
    const LOGBRUSH odd{BS_DIBPATTERNPT, DIB_RGB_COLORS, reinterpret_cast<ULONG_PTR>(&bad)};
    EXPECT_EQ(CreateBrushIndirect(&odd), nullptr);
}

// A hatched brush paints its lines in its colour and, in OPAQUE mode, the rest in the background
// colour. (The reference platform fixes the mode and colours when a selected brush is first
// used; each case here uses a fresh brush.)
TEST(BrushPaint, HatchesTileFromTheBrushOrigin) {
    struct Case {
        int hatch;
        const char* tile; // 8 rows; '1' hatch line, '2' background
    };
    const Case cases[] = {
        {HS_HORIZONTAL, "22222222|22222222|22222222|11111111|22222222|22222222|22222222|22222222"},
        {HS_VERTICAL, "22221222|22221222|22221222|22221222|22221222|22221222|22221222|22221222"},
        {HS_FDIAGONAL, "12222222|21222222|22122222|22212222|22221222|22222122|22222212|22222221"},
        {HS_BDIAGONAL, "22222221|22222212|22222122|22221222|22212222|22122222|21222222|12222222"},
        {HS_CROSS, "22221222|22221222|22221222|11111111|22221222|22221222|22221222|22221222"},
        {HS_DIAGCROSS, "12222221|21222212|22122122|22211222|22211222|22122122|21222212|12222221"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hatch);
        const std::string tile = c.tile;
        for (POINT origin : {POINT{0, 0}, POINT{1, 2}}) {
            Surface s(8, 8, 0xEE);
            Owned<HBRUSH> brush(CreateHatchBrush(c.hatch, RGB(0, 0, 1)));
            SetBrushOrgEx(s.dc(), origin.x, origin.y, nullptr);
            SetBkColor(s.dc(), RGB(0, 0, 2));
            const HGDIOBJ old = SelectObject(s.dc(), brush);
            PatBlt(s.dc(), 0, 0, 8, 8, PATCOPY);
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 8; ++x) {
                    const std::size_t at = static_cast<std::size_t>(((y - origin.y + 8) % 8) * 9 + (x - origin.x + 8) % 8);
                    EXPECT_EQ(s.at(x, y), static_cast<std::uint32_t>(tile[at] - '0')) << x << "," << y;
                }
            SelectObject(s.dc(), old);
        }
    }
}

TEST(BrushPaint, TransparentHatchesPaintOnlyTheirLines) {
    for (bool region_fill : {false, true}) {
        Surface s(8, 8, 0xEE);
        Owned<HBRUSH> brush(CreateHatchBrush(HS_HORIZONTAL, RGB(0, 0, 1)));
        Owned<HRGN> region(CreateRectRgn(0, 0, 8, 8));
        SetBkColor(s.dc(), RGB(0, 0, 2));
        SetBkMode(s.dc(), TRANSPARENT);
        const HGDIOBJ old = SelectObject(s.dc(), brush);
        if (region_fill)
            FillRgn(s.dc(), region, brush);
        else
            PatBlt(s.dc(), 0, 0, 8, 8, PATCOPY);
        EXPECT_EQ(s.picture(0xEE), "........|........|........|11111111|........|........|........|........")
            << (region_fill ? "FillRgn" : "PatBlt");
        SelectObject(s.dc(), old);
    }
}

TEST(BrushPaint, MonochromePatternsTakeTheDcColours) {
    const unsigned char rows[16] = {0x80, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x01, 0};
    HBITMAP bitmap = CreateBitmap(8, 8, 1, 1, rows);
    Owned<HBRUSH> brush(CreatePatternBrush(bitmap));
    DeleteObject(bitmap);
    ASSERT_NE(brush.get(), nullptr);
    Surface s(8, 8, 0xEE);
    SetTextColor(s.dc(), RGB(0, 0, 3));
    SetBkColor(s.dc(), RGB(0, 0, 4));
    const HGDIOBJ old = SelectObject(s.dc(), brush);
    PatBlt(s.dc(), 0, 0, 8, 8, PATCOPY);
    EXPECT_EQ(s.at(0, 0), 4u) << "set bits: background colour";
    EXPECT_EQ(s.at(7, 7), 4u);
    EXPECT_EQ(s.at(1, 0), 3u) << "clear bits: text colour";
    EXPECT_EQ(s.at(4, 4), 3u);
    SelectObject(s.dc(), old);
}

TEST(CreateFont, KeepsTheRecord) {
    LOGFONTW lf{};
    lf.lfHeight = 16;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = NONANTIALIASED_QUALITY;
    const char16_t face[] = u"System";
    std::memcpy(lf.lfFaceName, face, sizeof face);
    Owned<HFONT> font(CreateFontIndirectW(&lf));
    ASSERT_EQ(GetObjectType(font), OBJ_FONT);
    LOGFONTW out{};
    ASSERT_EQ(GetObjectW(font, sizeof out, &out), static_cast<int>(sizeof out));
    EXPECT_EQ(out.lfHeight, 16);
    EXPECT_EQ(out.lfQuality, NONANTIALIASED_QUALITY);
    EXPECT_EQ(std::memcmp(out.lfFaceName, face, sizeof face), 0);
    EXPECT_EQ(CreateFontIndirectW(nullptr), nullptr);
}

TEST(Palette, SelectAndRealize) {
    MemoryDc dc;
    const HPALETTE stock = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    EXPECT_EQ(SelectPalette(dc, stock, FALSE), stock);
    EXPECT_EQ(RealizePalette(dc), 0u);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PAL), stock);
    EXPECT_EQ(GetPaletteEntries(stock, 0, 0, nullptr), 20u);
    PALETTEENTRY entries[20];
    ASSERT_EQ(GetPaletteEntries(stock, 0, 20, entries), 20u);
    EXPECT_EQ(entries[3].peRed, 0x80);
    EXPECT_EQ(entries[3].peGreen, 0x80);
    EXPECT_EQ(entries[3].peBlue, 0x00);
    EXPECT_EQ(entries[19].peBlue, 0xFF);
}

} // namespace
