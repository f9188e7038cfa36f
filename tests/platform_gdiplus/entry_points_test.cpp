// Start-up, and what every entry point answers to missing or unusable arguments: the statuses
// the reference gives, with nothing written through the output pointers.
#include <gtest/gtest.h>

#include "flat_imaging.h"

namespace {

using namespace flat;

TEST(EntryPoints, AreAllFoundByName) {
    const Entries& e = entries();
    EXPECT_TRUE(e.GdiplusStartup && e.GdiplusShutdown && e.GdipLoadImageFromStream && e.GdipGetImageWidth &&
                e.GdipGetImageHeight && e.GdipCreateFromHDC && e.GdipDrawImageRectI && e.GdipDisposeImage &&
                e.GdipDeleteGraphics && e.GdipGetImageEncodersSize && e.GdipGetImageEncoders &&
                e.GdipCreateBitmapFromGdiDib && e.GdipSaveImageToFile);
    HMODULE module = LoadLibraryW(Pellux::wide(u"gdiplus.dll"));
    ASSERT_TRUE(module);
    EXPECT_EQ(GetProcAddress(module, "GdipNoSuchEntry"), nullptr);
}

struct StartupCase {
    UINT version;
    bool with_token;
    bool with_input;
    Status expected;
};

class Startup : public testing::TestWithParam<StartupCase> {};

TEST_P(Startup, ChecksItsInput) {
    const StartupCase& c = GetParam();
    const StartupInput input{c.version, nullptr, FALSE, FALSE};
    ULONG_PTR token = 0;
    const Status status = entries().GdiplusStartup(c.with_token ? &token : nullptr, c.with_input ? &input : nullptr, nullptr);
    EXPECT_EQ(status, c.expected);
    if (status == Ok) {
        EXPECT_NE(token, 0u);
        entries().GdiplusShutdown(token);
    }
}

INSTANTIATE_TEST_SUITE_P(Versions, Startup,
                         testing::Values(StartupCase{1, true, true, Ok}, StartupCase{2, true, true, Ok},
                                         StartupCase{0, true, true, UnsupportedGdiplusVersion},
                                         StartupCase{3, true, true, UnsupportedGdiplusVersion},
                                         StartupCase{1, false, true, InvalidParameter},
                                         StartupCase{1, true, false, InvalidParameter}));

TEST(EntryPoints, RefuseMissingArguments) {
    const Entries& e = entries();
    auto* untouched_image = reinterpret_cast<GpImage*>(static_cast<std::uintptr_t>(0x40));
    auto* untouched_graphics = reinterpret_cast<GpGraphics*>(static_cast<std::uintptr_t>(0x40));

    GpImage* image = untouched_image;
    EXPECT_EQ(e.GdipLoadImageFromStream(nullptr, &image), InvalidParameter);
    EXPECT_EQ(image, untouched_image);
    IStream* stream = stream_over(fixture("png_rgb8.png"));
    EXPECT_EQ(e.GdipLoadImageFromStream(stream, nullptr), InvalidParameter);
    stream->Release();

    UINT size = 77;
    EXPECT_EQ(e.GdipGetImageWidth(nullptr, &size), InvalidParameter);
    EXPECT_EQ(e.GdipGetImageHeight(nullptr, &size), InvalidParameter);
    EXPECT_EQ(size, 77u);

    // The reference answers a missing device context with OutOfMemory.
    GpGraphics* graphics = untouched_graphics;
    EXPECT_EQ(e.GdipCreateFromHDC(nullptr, &graphics), OutOfMemory);
    EXPECT_EQ(graphics, untouched_graphics);

    EXPECT_EQ(e.GdipDisposeImage(nullptr), InvalidParameter);
    EXPECT_EQ(e.GdipDeleteGraphics(nullptr), InvalidParameter);

    Surface surface(2, 2);
    graphics = nullptr;
    ASSERT_EQ(e.GdipCreateFromHDC(surface.dc(), &graphics), Ok);
    EXPECT_EQ(e.GdipDrawImageRectI(graphics, nullptr, 0, 0, 1, 1), InvalidParameter);
    PictureGuard picture(decode(fixture("png_rgb8.png")));
    EXPECT_EQ(e.GdipDrawImageRectI(nullptr, picture.get(), 0, 0, 1, 1), InvalidParameter);
    EXPECT_EQ(e.GdipDeleteGraphics(graphics), Ok);

    UINT count = 0;
    EXPECT_EQ(e.GdipGetImageEncodersSize(&count, nullptr), InvalidParameter);
    EXPECT_EQ(e.GdipGetImageEncodersSize(nullptr, &size), InvalidParameter);

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 1;
    info.bmiHeader.biHeight = 1;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    DWORD bits = 0;
    GpBitmap* bitmap = nullptr;
    EXPECT_EQ(e.GdipCreateBitmapFromGdiDib(nullptr, &bits, &bitmap), InvalidParameter);
    EXPECT_EQ(e.GdipCreateBitmapFromGdiDib(&info, nullptr, &bitmap), InvalidParameter);
    EXPECT_EQ(bitmap, nullptr);
}

TEST(EntryPoints, DrawWithAPictureOnAnyMemoryDeviceContext) {
    // A memory DC that still holds its initial one-pixel bitmap takes a drawing context too.
    HDC dc = CreateCompatibleDC(nullptr);
    GpGraphics* graphics = nullptr;
    EXPECT_EQ(entries().GdipCreateFromHDC(dc, &graphics), Ok);
    PictureGuard picture(decode(fixture("png_rgb8.png")));
    EXPECT_EQ(entries().GdipDrawImageRectI(graphics, picture.get(), 0, 0, 4, 4), Ok);
    EXPECT_EQ(entries().GdipDeleteGraphics(graphics), Ok);
    DeleteDC(dc);
}

TEST(EntryPoints, KeepTheStreamUntilThePictureIsDisposed) {
    // The picture holds its own reference to the stream it came from, so a block handed over
    // with delete-on-release lives until the picture is gone.
    IStream* stream = stream_over(fixture("png_rgb8.png"));
    ASSERT_TRUE(stream);
    GpImage* picture = nullptr;
    ASSERT_EQ(entries().GdipLoadImageFromStream(stream, &picture), Ok);
    stream->AddRef();
    const ULONG while_held = stream->Release();
    ASSERT_EQ(entries().GdipDisposeImage(picture), Ok);
    stream->AddRef();
    const ULONG after = stream->Release();
    EXPECT_GT(while_held, after);
    EXPECT_EQ(after, 1u);
    stream->Release();
}

} // namespace
