// Two threads using GDI at once, as the window thread and the drawing thread do.
#include "gdi_test_support.h"
#include "layer/gdi_objects.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace gdi_test;

namespace {

TEST(GdiThreads, CopiesAndObjectChurnFromTwoThreads) {
    const int before = layer::live_gdi_objects_total();
    Surface shared(64, 64);
    std::atomic<bool> failed{false};
    auto copier = [&] {
        Surface mine(64, 64);
        for (int i = 0; i < 200; ++i) {
            if (!BitBlt(mine.dc(), 0, 0, 64, 64, shared.dc(), 0, 0, SRCCOPY)) failed = true;
            if (!BitBlt(shared.dc(), i % 8, 0, 8, 8, mine.dc(), 0, 0, SRCINVERT)) failed = true;
        }
    };
    auto churner = [&] {
        for (int i = 0; i < 500; ++i) {
            HDC dc = CreateCompatibleDC(nullptr);
            HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(i));
            HRGN region = CreateRectRgn(0, 0, i % 7 + 1, 3);
            if (!dc || !brush || !region) failed = true;
            DeleteObject(SelectObject(dc, brush));
            SelectClipRgn(dc, region);
            DeleteObject(region);
            DeleteObject(brush);
            DeleteDC(dc);
        }
    };
    std::thread a(copier), b(churner), c(copier);
    a.join();
    b.join();
    c.join();
    EXPECT_FALSE(failed);
    EXPECT_EQ(layer::live_gdi_objects_total(), before + 2) << "only the shared surface's DC and bitmap";
}

} // namespace
