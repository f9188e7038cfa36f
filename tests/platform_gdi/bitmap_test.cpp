// Bitmaps: device-dependent bitmaps, DIB sections, and their pixels read and written as DIBs.
#include "gdi_test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace gdi_test;

namespace {

struct InfoWithTable {
    BITMAPINFOHEADER header;
    std::uint32_t colors[256];
};

BITMAPINFOHEADER header(int width, int height, int bits) {
    BITMAPINFOHEADER h{};
    h.biSize = sizeof h;
    h.biWidth = width;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = static_cast<WORD>(bits);
    return h;
}

BITMAP describe(HBITMAP b) {
    BITMAP bm{};
    GetObjectW(b, sizeof bm, &bm);
    return bm;
}

TEST(CreateBitmap, RoundsTheDepthAndPadsRowsTo16Bits) {
    struct Case {
        UINT bits;
        WORD stored;
        LONG row_bytes;
    };
    const Case cases[] = {{1, 1, 2}, {7, 8, 6}, {16, 16, 10}, {24, 24, 16}, {32, 32, 20}};
    for (const Case& c : cases) {
        Owned<HBITMAP> b(CreateBitmap(5, 5, 1, c.bits, nullptr));
        ASSERT_NE(b.get(), nullptr) << c.bits;
        const BITMAP bm = describe(b);
        EXPECT_EQ(bm.bmBitsPixel, c.stored) << c.bits;
        EXPECT_EQ(bm.bmWidthBytes, c.row_bytes) << c.bits;
    }
    EXPECT_EQ(CreateBitmap(5, 5, 2, 1, nullptr), nullptr) << "two planes";
    EXPECT_EQ(CreateBitmap(5, 5, 1, 33, nullptr), nullptr);
}

TEST(CreateBitmap, AnEmptySizeGivesTheOneByOneMonochromeBitmap) {
    MemoryDc dc;
    HBITMAP empty = CreateBitmap(0, 0, 1, 32, nullptr);
    ASSERT_NE(empty, nullptr);
    const BITMAP bm = describe(empty);
    EXPECT_EQ(bm.bmWidth, 1);
    EXPECT_EQ(bm.bmHeight, 1);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    EXPECT_EQ(empty, GetCurrentObject(dc, OBJ_BITMAP));
    EXPECT_TRUE(DeleteObject(empty));
    EXPECT_EQ(GetObjectType(empty), OBJ_BITMAP) << "a stock object";
}

TEST(CreateBitmap, TakesTheCallersRows) {
    const unsigned char bits[4] = {0xA0, 0x00, 0x50, 0x00};
    Owned<HBITMAP> mono(CreateBitmap(4, 2, 1, 1, bits));
    MemoryDc dc;
    const HGDIOBJ old = SelectObject(dc, mono);
    EXPECT_EQ(GetPixel(dc, 0, 0), 0xFFFFFFu);
    EXPECT_EQ(GetPixel(dc, 1, 0), 0u);
    EXPECT_EQ(GetPixel(dc, 2, 0), 0xFFFFFFu);
    EXPECT_EQ(GetPixel(dc, 0, 1), 0u);
    EXPECT_EQ(GetPixel(dc, 1, 1), 0xFFFFFFu);
    SelectObject(dc, old);
}

TEST(CreateCompatibleBitmap, FollowsTheDcsBitmap) {
    MemoryDc fresh;
    Owned<HBITMAP> mono(CreateCompatibleBitmap(fresh, 4, 4));
    EXPECT_EQ(describe(mono).bmBitsPixel, 1) << "a fresh memory DC holds a monochrome bitmap";
    Surface s(2, 2);
    Owned<HBITMAP> colour(CreateCompatibleBitmap(s.dc(), 4, 4));
    EXPECT_EQ(describe(colour).bmBitsPixel, 32);
    EXPECT_EQ(describe(colour).bmWidth, 4);
    EXPECT_EQ(CreateCompatibleBitmap(reinterpret_cast<HDC>(static_cast<std::uintptr_t>(0x999)), 4, 4), nullptr);
}

TEST(CreateDibSection, RefusesBadHeaders) {
    struct Case {
        const char* name;
        void (*change)(BITMAPINFOHEADER&);
    };
    const Case cases[] = {
        {"zero width", [](BITMAPINFOHEADER& h) { h.biWidth = 0; }},
        {"zero height", [](BITMAPINFOHEADER& h) { h.biHeight = 0; }},
        {"negative width", [](BITMAPINFOHEADER& h) { h.biWidth = -4; }},
        {"odd bit count", [](BITMAPINFOHEADER& h) { h.biBitCount = 7; }},
        {"short header", [](BITMAPINFOHEADER& h) { h.biSize = 12; }},
        {"two planes", [](BITMAPINFOHEADER& h) { h.biPlanes = 2; }},
        {"bit fields without masks", [](BITMAPINFOHEADER& h) { h.biCompression = BI_BITFIELDS; }},
        {"too large", [](BITMAPINFOHEADER& h) { h.biWidth = 100000; h.biHeight = -100000; }},
        {"largest", [](BITMAPINFOHEADER& h) { h.biWidth = 0x7FFFFFFF; h.biHeight = -0x7FFFFFFF; }},
    };
    for (const Case& c : cases) {
        InfoWithTable info{};
        info.header = header(4, -4, 32);
        c.change(info.header);
        void* bits = reinterpret_cast<void*>(1);
        EXPECT_EQ(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0),
                  nullptr)
            << c.name;
        EXPECT_EQ(bits, nullptr) << c.name;
    }
    InfoWithTable info{};
    info.header = header(4, -4, 32);
    void* bits = nullptr;
    EXPECT_EQ(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), 5, &bits, nullptr, 0), nullptr);
    EXPECT_EQ(CreateDIBSection(nullptr, nullptr, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    Owned<HBITMAP> no_pointer(
        CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, nullptr, nullptr, 0));
    EXPECT_NE(no_pointer.get(), nullptr) << "the pixel pointer is optional";
}

TEST(CreateDibSection, RowOrderFollowsTheHeightsSign) {
    for (int height : {-2, 2}) {
        InfoWithTable info{};
        info.header = header(2, height, 32);
        void* bits = nullptr;
        Owned<HBITMAP> b(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0));
        ASSERT_NE(b.get(), nullptr);
        auto* pixels = static_cast<std::uint32_t*>(bits);
        EXPECT_EQ(pixels[0], 0u) << "zero-filled";
        pixels[0] = 0x112233; // first row in memory
        MemoryDc dc;
        const HGDIOBJ old = SelectObject(dc, b);
        EXPECT_EQ(GetPixel(dc, 0, height < 0 ? 0 : 1), RGB(0x11, 0x22, 0x33)) << height;
        SelectObject(dc, old);
    }
}

TEST(CreateDibSection, IndexedSectionsUseTheirColourTable) {
    InfoWithTable info{};
    info.header = header(8, -1, 1);
    info.colors[0] = 0x302010;
    info.colors[1] = 0x605040;
    void* bits = nullptr;
    Owned<HBITMAP> b(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0));
    ASSERT_NE(b.get(), nullptr);
    static_cast<unsigned char*>(bits)[0] = 0xA5;
    MemoryDc dc;
    const HGDIOBJ old = SelectObject(dc, b);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0x60, 0x50, 0x40));
    EXPECT_EQ(GetPixel(dc, 1, 0), RGB(0x30, 0x20, 0x10));
    EXPECT_EQ(SetPixel(dc, 1, 0, RGB(0x58, 0x50, 0x40)), RGB(0x60, 0x50, 0x40)) << "the nearest entry";
    EXPECT_EQ(static_cast<unsigned char*>(bits)[0], 0xE5);
    SelectObject(dc, old);
}

// The header-only call: bit count 0 describes the bitmap itself.
TEST(GetDibits, DescribesTheBitmap) {
    HDC screen = GetDC(nullptr);
    ASSERT_NE(screen, nullptr);
    Surface dib(3, 7);
    Owned<HBITMAP> mono(CreateBitmap(3, 2, 1, 1, nullptr));
    InfoWithTable info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    EXPECT_EQ(GetDIBits(screen, dib.bitmap(), 0, 5, nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS), 7);
    EXPECT_EQ(info.header.biWidth, 3);
    EXPECT_EQ(info.header.biHeight, 7);
    EXPECT_EQ(info.header.biPlanes, 1);
    EXPECT_EQ(info.header.biBitCount, 32);
    EXPECT_EQ(info.header.biCompression, static_cast<DWORD>(BI_BITFIELDS));
    EXPECT_EQ(info.header.biSizeImage, 84u);
    info = {};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    EXPECT_EQ(GetDIBits(screen, mono, 0, 2, nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS), 2);
    EXPECT_EQ(info.header.biBitCount, 1);
    EXPECT_EQ(info.header.biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_EQ(info.header.biSizeImage, 8u);
    ReleaseDC(nullptr, screen);
}

// The call with a header and no pixels fills the image size and, up to 8 bits, the colour table.
TEST(GetDibits, FillsTheSizeAndColourTable) {
    HDC screen = GetDC(nullptr);
    Surface dib(3, 2);
    struct Case {
        int bits;
        DWORD size;
        std::vector<std::uint32_t> colors; // leading entries, and the last
    };
    const Case cases[] = {
        {32, 24, {}},
        {1, 8, {0x000000, 0xFFFFFF}},
        {4, 8, {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0x808080, 0xC0C0C0, 0xFF0000,
                0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF}},
        {8, 8, {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0, 0xC0DCC0, 0xA6CAF0,
                0x402000, 0x602000}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bits);
        InfoWithTable info{};
        std::memset(&info, 0xCD, sizeof info);
        info.header = header(3, 2, c.bits);
        EXPECT_EQ(GetDIBits(screen, dib.bitmap(), 0, 2, nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS), 1);
        EXPECT_EQ(info.header.biSizeImage, c.size);
        for (std::size_t i = 0; i < c.colors.size(); ++i) EXPECT_EQ(info.colors[i], c.colors[i]) << i;
        if (c.bits == 32) {
            EXPECT_EQ(info.colors[0], 0xCDCDCDCDu) << "no table above 8 bits";
        }
        if (c.bits == 8) {
            EXPECT_EQ(info.colors[245], 0xA0C0C0u);
            EXPECT_EQ(info.colors[255], 0xFFFFFFu);
        }
    }
    ReleaseDC(nullptr, screen);
}

TEST(GetDibits, ReadsRowsInTheRequestedOrder) {
    HDC screen = GetDC(nullptr);
    InfoWithTable made{};
    made.header = header(2, 2, 32); // bottom-up: the first row in memory is the bottom row
    void* bits = nullptr;
    Owned<HBITMAP> b(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&made), DIB_RGB_COLORS, &bits, nullptr, 0));
    auto* px = static_cast<std::uint32_t*>(bits);
    px[0] = 0x11;
    px[1] = 0x22;
    px[2] = 0x33;
    px[3] = 0x44;
    struct Case {
        int width;
        int height;
        int bits;
        UINT start;
        UINT lines;
        int result;
        std::vector<std::uint32_t> out;
    };
    const Case cases[] = {
        {2, -2, 32, 0, 2, 2, {0x33, 0x44, 0x11, 0x22}},
        {2, 2, 32, 0, 2, 2, {0x11, 0x22, 0x33, 0x44}},
        {2, 2, 32, 1, 5, 1, {0x33, 0x44, 0xEEEEEEEE}},
        {2, -2, 32, 1, 5, 1, {0x33, 0x44, 0xEEEEEEEE}},
        {1, 2, 32, 0, 2, 2, {0x11, 0x33, 0xEEEEEEEE}},
        {2, 2, 24, 0, 2, 2, {0x22000011, 0x00000000, 0x44000033, 0x00000000}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << "x" << c.bits << " from " << c.start);
        InfoWithTable info{};
        info.header = header(c.width, c.height, c.bits);
        std::uint32_t out[8];
        std::memset(out, 0xEE, sizeof out);
        EXPECT_EQ(GetDIBits(screen, b, c.start, c.lines, out, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS),
                  c.result);
        for (std::size_t i = 0; i < c.out.size(); ++i) EXPECT_EQ(out[i], c.out[i]) << i;
    }
    InfoWithTable info{};
    info.header = header(2, 2, 32);
    std::uint32_t out[4];
    EXPECT_EQ(GetDIBits(nullptr, b, 0, 2, out, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS), 0);
    EXPECT_EQ(GetDIBits(screen, reinterpret_cast<HBITMAP>(screen), 0, 2, out, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS), 0);
    info.header.biBitCount = 7;
    EXPECT_EQ(GetDIBits(screen, b, 0, 2, out, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS), 0);
    ReleaseDC(nullptr, screen);
}

TEST(GetDibits, WorksOnASelectedBitmapAndConvertsToMonochrome) {
    HDC screen = GetDC(nullptr);
    Surface s(8, 1);
    for (int x = 0; x < 8; ++x) s.at(x, 0) = x % 3 == 0 ? 0xFFFFFF : 0x000000;
    InfoWithTable info{};
    info.header = header(8, 1, 1);
    std::uint32_t out = 0;
    ASSERT_EQ(GetDIBits(screen, s.bitmap(), 0, 1, &out, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS), 1);
    EXPECT_EQ(out & 0xFF, 0x92u) << "white pixels at 0, 3 and 6";
    EXPECT_EQ(info.colors[0], 0x000000u);
    EXPECT_EQ(info.colors[1], 0xFFFFFFu);
    ReleaseDC(nullptr, screen);
}

// The DIB's top row lands on the bitmap's top row.
TEST(SetDibits, PlacesTheDibAtTheTop) {
    HDC screen = GetDC(nullptr);
    Surface s(2, 3, 0xEE);
    InfoWithTable info{};
    info.header = header(2, 2, 32);
    const std::uint32_t rows[4] = {1, 2, 3, 4};
    EXPECT_EQ(SetDIBits(screen, s.bitmap(), 0, 2, rows, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS), 2);
    EXPECT_EQ(s.picture(0xEE), "34|12|..");
    const std::uint32_t one[2] = {9, 9};
    EXPECT_EQ(SetDIBits(screen, s.bitmap(), 1, 2, one, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS), 1);
    EXPECT_EQ(s.at(0, 0), 9u) << "scan line 1 of a 2-line DIB is its top row";
    EXPECT_EQ(SetDIBits(screen, s.bitmap(), 2, 2, rows, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS), 0);
    ReleaseDC(nullptr, screen);
}

} // namespace
