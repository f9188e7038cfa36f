// DCs over surfaces that the window manager owns: drawing, copying both ways, the lock protocol
// and surfaces that change size.
#include "gdi/external_surface.h"
#include "gdi_test_support.h"
#include "layer/gdi_objects.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace gdi_test;

namespace {

class TestSurface final : public layer::ExternalSurface {
public:
    TestSurface(int w, int h, std::uint32_t fill = 0) { resize(w, h, fill); }
    void resize(int w, int h, std::uint32_t fill = 0) {
        width = w;
        height = h;
        pixels.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), fill);
    }
    std::uint32_t* lock(int& w, int& h) override {
        ++locks;
        EXPECT_FALSE(locked) << "locked twice";
        locked = true;
        w = width;
        h = height;
        return pixels.empty() ? nullptr : pixels.data();
    }
    void unlock(bool modified) override {
        EXPECT_TRUE(locked);
        locked = false;
        ++unlocks;
        if (modified) ++modifications;
    }
    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }

    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;
    bool locked = false;
    int locks = 0, unlocks = 0, modifications = 0;
};

class ExternalDc : public testing::Test {
protected:
    void SetUp() override {
        surface = std::make_shared<TestSurface>(8, 4, 0x111111);
        dc = layer::create_external_dc(surface);
        ASSERT_NE(dc, nullptr);
    }
    void TearDown() override {
        if (dc) DeleteDC(dc);
    }
    std::shared_ptr<TestSurface> surface;
    HDC dc = nullptr;
};

TEST_F(ExternalDc, IsAWindowKindOfDcWithStockObjects) {
    EXPECT_EQ(GetObjectType(dc), OBJ_DC);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(GetObjectType(GetCurrentObject(dc, OBJ_BITMAP)), OBJ_BITMAP);
    EXPECT_EQ(GetDeviceCaps(dc, HORZRES), 8);
    EXPECT_EQ(GetDeviceCaps(dc, VERTRES), 4);
}

TEST_F(ExternalDc, RefusesBitmaps) {
    Owned<HBITMAP> bitmap(CreateBitmap(2, 2, 1, 32, nullptr));
    EXPECT_EQ(SelectObject(dc, bitmap), nullptr);
    MemoryDc memory;
    EXPECT_NE(SelectObject(memory, bitmap), nullptr) << "the bitmap stayed free";
}

TEST_F(ExternalDc, DrawsAndReportsModification) {
    EXPECT_EQ(SetPixel(dc, 1, 1, RGB(0x12, 0x34, 0x56)), RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(surface->at(1, 1), 0x123456u);
    EXPECT_EQ(surface->modifications, 1);
    EXPECT_EQ(GetPixel(dc, 1, 1), RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(surface->modifications, 1) << "reading modifies nothing";
    EXPECT_EQ(surface->locks, surface->unlocks);
    EXPECT_FALSE(surface->locked);
}

TEST_F(ExternalDc, CopiesBothWays) {
    Surface image(3, 2, 0xABCDEF);
    ASSERT_TRUE(BitBlt(dc, 2, 1, 3, 2, image.dc(), 0, 0, SRCCOPY));
    EXPECT_EQ(surface->at(2, 1), 0xABCDEFu);
    EXPECT_EQ(surface->at(4, 2), 0xABCDEFu);
    EXPECT_EQ(surface->at(5, 2), 0x111111u);
    Surface back(8, 4);
    ASSERT_TRUE(BitBlt(back.dc(), 0, 0, 8, 4, dc, 0, 0, SRCCOPY));
    EXPECT_EQ(back.at(3, 2), 0xABCDEFu);
    EXPECT_EQ(back.at(0, 0), 0x111111u);
    ASSERT_TRUE(BitBlt(dc, 1, 0, 4, 4, dc, 0, 0, SRCCOPY)) << "onto itself: one lock, not two";
    EXPECT_EQ(surface->at(3, 1), 0xABCDEFu);
    EXPECT_EQ(surface->locks, surface->unlocks);
}

TEST_F(ExternalDc, TwoDcsOverOneSurface) {
    HDC other = layer::create_external_dc(surface);
    SetPixel(other, 0, 0, RGB(1, 2, 3));
    ASSERT_TRUE(BitBlt(dc, 4, 0, 1, 1, other, 0, 0, SRCCOPY));
    EXPECT_EQ(surface->at(4, 0), 0x010203u);
    DeleteDC(other);
}

TEST_F(ExternalDc, FollowsSizeChanges) {
    surface->resize(2, 2, 0);
    EXPECT_EQ(GetPixel(dc, 3, 3), CLR_INVALID);
    EXPECT_EQ(GetPixel(dc, 1, 1), 0u);
    surface->resize(0, 0);
    EXPECT_EQ(GetPixel(dc, 0, 0), CLR_INVALID);
    EXPECT_TRUE(PatBlt(dc, 0, 0, 4, 4, WHITENESS)) << "nothing to draw on is not an error";
    surface->resize(16, 16, 0);
    Owned<HRGN> clip(CreateRectRgn(0, 0, 10, 10));
    SelectClipRgn(dc, clip);
    EXPECT_TRUE(PatBlt(dc, 0, 0, 16, 16, WHITENESS));
    EXPECT_EQ(surface->at(9, 9), 0xFFFFFFFFu);
    EXPECT_EQ(surface->at(10, 9), 0u);
}

TEST_F(ExternalDc, DeleteDcDropsTheSurface) {
    std::weak_ptr<TestSurface> watch = surface;
    surface.reset();
    EXPECT_FALSE(watch.expired());
    DeleteDC(dc);
    dc = nullptr;
    EXPECT_TRUE(watch.expired());
}

TEST(ExternalDcCreation, NeedsASurface) { EXPECT_EQ(layer::create_external_dc(nullptr), nullptr); }

} // namespace
