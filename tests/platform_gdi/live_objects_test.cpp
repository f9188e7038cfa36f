// The layer's live-object counts: every object type counted while it exists, stock objects never.
#include "gdi_test_support.h"
#include "layer/gdi_objects.h"

#include <gtest/gtest.h>

#include <array>

using namespace gdi_test;
using layer::GdiType;

namespace {

std::array<int, 7> counts() {
    std::array<int, 7> c{};
    for (int i = 0; i < 7; ++i) c[static_cast<std::size_t>(i)] = layer::live_gdi_objects(static_cast<GdiType>(i));
    return c;
}

int delta(const std::array<int, 7>& before, GdiType t) {
    return layer::live_gdi_objects(t) - before[static_cast<std::size_t>(t)];
}

TEST(LiveObjects, EachTypeIsCountedWhileItLives) {
    const auto before = counts();
    const int total_before = layer::live_gdi_objects_total();
    LOGFONTW lf{};
    const LOGPALETTE palette{0x300, 1, {{1, 2, 3, 0}}};
    struct Case {
        GdiType type;
        HGDIOBJ object;
    };
    const Case cases[] = {
        {GdiType::dc, CreateCompatibleDC(nullptr)},
        {GdiType::bitmap, CreateBitmap(2, 2, 1, 32, nullptr)},
        {GdiType::pen, CreatePen(PS_SOLID, 1, 0)},
        {GdiType::brush, CreateSolidBrush(0)},
        {GdiType::font, CreateFontIndirectW(&lf)},
        {GdiType::region, CreateRectRgn(0, 0, 1, 1)},
        {GdiType::palette, CreatePalette(&palette)},
    };
    for (const Case& c : cases) {
        ASSERT_NE(c.object, nullptr);
        EXPECT_EQ(delta(before, c.type), 1) << static_cast<int>(c.type);
    }
    EXPECT_EQ(layer::live_gdi_objects_total(), total_before + 7);
    for (const Case& c : cases) {
        if (c.type == GdiType::dc)
            DeleteDC(static_cast<HDC>(c.object));
        else
            DeleteObject(c.object);
        EXPECT_EQ(delta(before, c.type), 0) << static_cast<int>(c.type);
    }
    EXPECT_EQ(layer::live_gdi_objects_total(), total_before);
}

TEST(LiveObjects, StockObjectsAreNotCounted) {
    const int before = layer::live_gdi_objects_total();
    for (int i = 0; i < 20; ++i) GetStockObject(i);
    EXPECT_EQ(CreatePen(PS_NULL, 1, 0), GetStockObject(NULL_PEN));
    EXPECT_EQ(CreateBitmap(0, 0, 1, 1, nullptr), GetCurrentObject(MemoryDc(), OBJ_BITMAP));
    EXPECT_EQ(layer::live_gdi_objects_total(), before);
}

TEST(LiveObjects, ADeletedSelectedObjectCountsUntilReleased) {
    const auto before = counts();
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(2, 2, 1, 32, nullptr);
    HBRUSH brush = CreateSolidBrush(0);
    SelectObject(dc, bitmap);
    SelectObject(dc, brush);
    DeleteObject(bitmap);
    DeleteObject(brush);
    EXPECT_EQ(delta(before, GdiType::bitmap), 1);
    EXPECT_EQ(delta(before, GdiType::brush), 1);
    DeleteDC(dc);
    EXPECT_EQ(delta(before, GdiType::dc), 0);
    EXPECT_EQ(delta(before, GdiType::bitmap), 0);
    EXPECT_EQ(delta(before, GdiType::brush), 0);
}

TEST(LiveObjects, DeleteObjectOnADcFreesIt) {
    const auto before = counts();
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_TRUE(DeleteObject(dc));
    EXPECT_EQ(delta(before, GdiType::dc), 0);
    EXPECT_EQ(GetObjectType(dc), 0u);
}

TEST(LiveObjects, AStaleHandleDoesNotReachANewObject) {
    HPEN first = CreatePen(PS_SOLID, 1, 0);
    DeleteObject(first);
    HPEN second = CreatePen(PS_SOLID, 1, 0);
    EXPECT_NE(first, second) << "a reused slot gets a new handle";
    EXPECT_FALSE(DeleteObject(first));
    EXPECT_EQ(GetObjectType(second), OBJ_PEN);
    DeleteObject(second);
}

} // namespace
