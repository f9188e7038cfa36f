// The sizes a load gives its target: from the caller or from the picture, with and without
// resizing, and the window object as the target of a null image.
#include <gtest/gtest.h>

#include "graph_state.h"
#include "image_loading.h"
#include "loading_helpers.h"

namespace {

using namespace imageio_test;
using fixtures::colour_at;

const std::u16string picture = fixture_path("png_rgb8.png");

// The window object keeps its surface for the life of the process; it is made before the tests
// run, so that loading into the window does not count as a test leaving a bitmap behind.
class WindowSurface : public testing::Environment {
public:
    void SetUp() override { graph_state.window->resize(fixtures::width, fixtures::height); }
};
const auto* window_surface = testing::AddGlobalTestEnvironment(new WindowSurface);

TEST(LoadSizes, AnImageWithoutSurfaceTakesThePicturesSizeAndPixels) {
    IMAGE image;
    load_image(&image, w(picture));
    ASSERT_EQ(image.width, fixtures::width);
    ASSERT_EQ(image.height, fixtures::height);
    for (int y = 0; y < fixtures::height; ++y)
        for (int x = 0; x < fixtures::width; ++x) {
            // The imaging library writes full coverage into the fourth byte.
            ASSERT_EQ(image.buffer[y * image.width + x], 0xFF000000u | colour_at(x, y)) << x << "," << y;
        }
}

TEST(LoadSizes, OneSideFromTheCallerTheOtherFromThePicture) {
    IMAGE wide_image;
    load_image(&wide_image, w(picture), 100, 0);
    EXPECT_EQ(wide_image.width, 100);
    EXPECT_EQ(wide_image.height, fixtures::height);
    // Stretched across only: every row starts with the picture's first column.
    for (int y = 0; y < fixtures::height; ++y) EXPECT_EQ(rgb_at(wide_image, 0, y), colour_at(0, y));

    IMAGE tall_image;
    load_image(&tall_image, w(picture), 0, 30);
    EXPECT_EQ(tall_image.width, fixtures::width);
    EXPECT_EQ(tall_image.height, 30);
    for (int x = 0; x < fixtures::width; ++x) EXPECT_EQ(rgb_at(tall_image, x, 0), colour_at(x, 0));
}

TEST(LoadSizes, WithoutResizeTheTargetKeepsItsSizeAndTheRestOfItsPixels) {
    IMAGE image(20, 20);
    fill_marker(image);
    HBITMAP surface = image.bitmap;
    load_image(&image, w(picture), 8, 6, false);
    EXPECT_EQ(image.width, 20);
    EXPECT_EQ(image.height, 20);
    EXPECT_EQ(image.bitmap, surface);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            const bool drawn = x < 8 && y < 6;
            EXPECT_EQ(image.buffer[y * 20 + x] == marker, !drawn) << x << "," << y;
        }
    // Halving the picture samples every other pixel.
    EXPECT_EQ(rgb_at(image, 3, 2), colour_at(6, 4));
}

TEST(LoadSizes, ASurfaceSmallerThanThePictureClipsIt) {
    IMAGE image(5, 4);
    load_image(&image, w(picture), 0, 0, false);
    EXPECT_EQ(image.width, 5);
    EXPECT_EQ(image.height, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(rgb_at(image, x, y), colour_at(x, y));
}

TEST(LoadSizes, ResizeWithTheSameSizeKeepsTheSurface) {
    IMAGE image(fixtures::width, fixtures::height);
    HBITMAP surface = image.bitmap;
    DWORD* pixels = image.buffer;
    load_image(&image, w(picture), 0, 0, true);
    EXPECT_EQ(image.bitmap, surface);
    EXPECT_EQ(image.buffer, pixels);
    EXPECT_EQ(rgb_at(image, 5, 5), colour_at(5, 5));
}

TEST(LoadSizes, ResizeToAnotherSizeResizesFirst) {
    IMAGE image(3, 3);
    load_image(&image, w(picture), 32, 24, true);
    EXPECT_EQ(image.width, 32);
    EXPECT_EQ(image.height, 24);
    // Doubled: even pixels fall exactly on the picture's pixels.
    EXPECT_EQ(rgb_at(image, 10, 8), colour_at(5, 4));
}

TEST(LoadSizes, ANullImageMeansTheWindowObject) {
    fill_marker(*graph_state.window);
    load_image(nullptr, w(picture));
    IMAGE& window = *graph_state.window;
    EXPECT_EQ(window.width, fixtures::width);
    EXPECT_EQ(window.height, fixtures::height);
    ASSERT_TRUE(get_pixel_buffer(nullptr));
    EXPECT_EQ(get_pixel_buffer(nullptr)[0] & 0xFFFFFF, colour_at(0, 0));
}

struct FormatCase {
    const char* file;
};

class LoadFormats : public testing::TestWithParam<FormatCase> {};

// The lossless formats give the same pixels on every target.
TEST_P(LoadFormats, GiveThePicturesPixels) {
    IMAGE image;
    load_image(&image, w(fixture_path(GetParam().file)));
    ASSERT_EQ(image.width, fixtures::width);
    ASSERT_EQ(image.height, fixtures::height);
    for (int y = 0; y < fixtures::height; ++y)
        for (int x = 0; x < fixtures::width; ++x) ASSERT_EQ(rgb_at(image, x, y), colour_at(x, y)) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(Lossless, LoadFormats,
                         testing::Values(FormatCase{"png_rgb8.png"}, FormatCase{"png_interlaced.png"},
                                         FormatCase{"bmp_rgb24.bmp"}, FormatCase{"bmp_rgb32.bmp"},
                                         FormatCase{"tiff_rgb_lzw.tif"}, FormatCase{"png_named.jpg"}));

TEST(LoadFormats, PaletteGifGivesItsColours) {
    IMAGE image;
    load_image(&image, w(fixture_path("gif_basic.gif")));
    ASSERT_EQ(image.width, fixtures::width);
    for (int y = 0; y < fixtures::height; ++y)
        for (int x = 0; x < fixtures::width; ++x)
            ASSERT_EQ(rgb_at(image, x, y), fixtures::palette_colour(fixtures::index_at(x, y)));
}

TEST(LoadFormats, TransparentPixelsOverANewSurfaceReadBlack) {
    IMAGE image;
    load_image(&image, w(fixture_path("png_rgba8.png")));
    ASSERT_EQ(image.width, fixtures::width);
    for (int y = 0; y < fixtures::height; ++y)
        for (int x = 0; x < fixtures::width; ++x)
            if (fixtures::alpha_at(x, y) == 0) {
                EXPECT_EQ(image.buffer[y * image.width + x], 0u) << x << "," << y;
            }
}

} // namespace
