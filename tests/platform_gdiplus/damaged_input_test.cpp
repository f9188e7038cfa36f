// Damaged pictures: every fixture with bytes changed, cut short or repeated is decoded and, when
// accepted, drawn. Nothing may crash or read outside its buffers (the sanitizer build checks
// the latter); a damaged file is either refused or gives a picture within the size limits.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "flat_imaging.h"

namespace {

using namespace flat;

class Damaged : public testing::TestWithParam<const char*> {};

TEST_P(Damaged, FilesAreRefusedOrDecodedSafely) {
    const std::vector<std::uint8_t> original = fixture(GetParam());
    ASSERT_FALSE(original.empty());
    std::mt19937 random(12345);
    int accepted = 0;
    for (int round = 0; round < 300; ++round) {
        std::vector<std::uint8_t> bytes = original;
        const int kind = round % 3;
        if (kind == 0) {
            // A few bytes anywhere, headers included.
            for (int i = 0; i < 1 + round % 4; ++i) bytes[random() % bytes.size()] = static_cast<std::uint8_t>(random());
        } else if (kind == 1) {
            bytes.resize(random() % bytes.size());
        } else {
            const std::size_t at = random() % bytes.size();
            bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.begin(),
                         bytes.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(at, 64)));
        }
        Status status = Ok;
        PictureGuard picture(decode(bytes, &status));
        if (!picture.get()) continue;
        ++accepted;
        UINT width = 0;
        UINT height = 0;
        entries().GdipGetImageWidth(picture.get(), &width);
        entries().GdipGetImageHeight(picture.get(), &height);
        ASSERT_GT(width, 0u);
        ASSERT_GT(height, 0u);
        ASSERT_LE(static_cast<std::uint64_t>(width) * height, std::uint64_t{1} << 28);
        Surface surface(24, 18);
        EXPECT_EQ(surface.draw(picture.get(), 0, 0, 24, 18), Ok);
    }
    // Some damage leaves a picture, some does not; both paths ran.
    RecordProperty("accepted", accepted);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, Damaged,
                         testing::Values("bmp_rgb24.bmp", "bmp_pal4.bmp", "bmp_rle8.bmp", "bmp_rgb565.bmp",
                                         "png_rgba8.png", "png_pal8_trns.png", "png_interlaced.png",
                                         "gif_interlaced.gif", "gif_transparent.gif", "jpeg_baseline.jpg",
                                         "jpeg_progressive.jpg", "jpeg_cmyk.jpg", "tiff_rgb_lzw.tif",
                                         "tiff_pal8.tif", "tiff_rgba.tif", "ico_pal8_mask.ico", "ico_png.ico",
                                         "ico_argb32.ico", "webp_lossy.webp", "webp_alpha.webp"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             std::string name = info.param;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             return name;
                         });

} // namespace
