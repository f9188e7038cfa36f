// The imaging binding: bound and started with the library; without it, loads and saves are
// refused and nothing is called through an empty entry.
#include <gtest/gtest.h>

#include "global_memory.h"
#include "image_loading.h"
#include "image_saving.h"
#include "imaging_binding.h"
#include "loading_helpers.h"

namespace {

using namespace imageio_test;

TEST(ImagingBinding, IsBoundAndStartedWithTheLibrary) {
    const ImagingBinding& b = imaging_binding;
    EXPECT_TRUE(b.ready);
    EXPECT_NE(b.module, nullptr);
    EXPECT_NE(b.token, 0u);
    ImagingBinding again{};
    EXPECT_TRUE(bind_imaging_entries(again, b.module));
    EXPECT_EQ(again.GdipDrawImageRectI, b.GdipDrawImageRectI);
    EXPECT_EQ(again.GdipSaveImageToFile, b.GdipSaveImageToFile);
}

TEST(ImagingBinding, AModuleWithoutTheEntriesLeavesThemEmpty) {
    ImagingBinding other{};
    EXPECT_FALSE(bind_imaging_entries(other, LoadLibraryW(Pellux::wide(u"kernel32.dll"))));
    EXPECT_EQ(other.GdiplusStartup, nullptr);
    EXPECT_EQ(other.GdipLoadImageFromStream, nullptr);
    EXPECT_FALSE(bind_imaging_entries(other, nullptr));
}

// Stands in for a start-up that found no imaging library: the entries are empty, so any call
// through one would crash the test.
class WithoutImaging : public testing::Test {
protected:
    void SetUp() override {
        saved_ = imaging_binding;
        ImagingBinding empty{};
        bind_imaging_entries(empty, nullptr);
        imaging_binding = empty;
    }
    void TearDown() override { imaging_binding = saved_; }
    ImagingBinding saved_{};
};

TEST_F(WithoutImaging, LoadsLeaveTheTargetUnchanged) {
    IMAGE empty;
    load_image(&empty, w(fixture_path("png_rgb8.png")));
    EXPECT_EQ(empty.bitmap, nullptr);
    IMAGE image(3, 3);
    fill_marker(image);
    load_image(&image, w(fixture_path("png_rgb8.png")), 8, 8, true);
    EXPECT_EQ(image.width, 3);
    EXPECT_EQ(pixels_of(image), std::vector<DWORD>(9, marker));
}

TEST_F(WithoutImaging, SavesFail) {
    IMAGE image(3, 3);
    EXPECT_FALSE(save_image(&image, w(u"imageio_never_written.png")));
    EXPECT_EQ(GetFileAttributesW(w(u"imageio_never_written.png")), INVALID_FILE_ATTRIBUTES);
}

TEST(ImagingBinding, TheStreamTakesTheBlockOver) {
    for (const char* name : {"png_rgb8.png", "random.bin"}) {
        Pellux::GlobalMemory block;
        ASSERT_TRUE(block.load_file(w(fixture_path(name))));
        const HGLOBAL handle = block.handle;
        IMAGE image;
        load_image_from_block(block, &image, 0, 0, false);
        // The owner has let go: the stream freed the block when the picture was disposed, so
        // the owner must not free it a second time.
        EXPECT_EQ(block.handle, nullptr) << name;
#ifndef _WIN32
        // The layer can tell a freed handle from a live one.
        EXPECT_EQ(GlobalSize(handle), 0u) << name;
#else
        (void)handle;
#endif
    }
}

} // namespace
