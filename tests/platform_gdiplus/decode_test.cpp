// Decoding every kind of picture file: each fixture is drawn at its own size over black and
// compared with the pattern it was written from. The format is found from the bytes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "flat_imaging.h"
#include "patterns.h"

namespace {

using namespace flat;
using namespace fixtures;

using Expected = std::function<std::uint32_t(int x, int y)>; // 0xAARRGGBB, straight alpha

std::uint32_t opaque(std::uint32_t rgb) { return 0xFF000000u | rgb; }

std::uint32_t with_alpha(std::uint32_t rgb, std::uint32_t alpha) { return alpha << 24 | rgb; }

// What a straight-alpha pixel becomes over a black surface.
std::uint32_t over_black(std::uint32_t argb) {
    const std::uint32_t a = argb >> 24;
    std::uint32_t out = a << 24;
    for (int shift = 0; shift <= 16; shift += 8) out |= ((((argb >> shift) & 0xFF) * a + 127) / 255) << shift;
    return out;
}

std::uint32_t grey(std::uint32_t v) { return v << 16 | v << 8 | v; }

// A 5- or 6-bit channel widened to 8 bits by repeating its high bits.
std::uint32_t widen(std::uint32_t v, int bits) { return (v << (8 - bits)) | (v >> (2 * bits - 8)); }

// The reference widens the green of 5-5-5 pixels its own way: the low four bits scaled by 8.5,
// the high bit worth 128.
std::uint32_t widen_green_555(std::uint32_t v) { return (v & 0x10 ? 128u : 0u) | ((v & 0x0F) * 17 >> 1); }

std::uint32_t quantised(std::uint32_t rgb, int green_bits) {
    const std::uint32_t r = widen((rgb >> 19) & 0x1F, 5);
    const std::uint32_t g8 = (rgb >> 8) & 0xFF;
    const std::uint32_t g = green_bits == 5 ? widen_green_555(g8 >> 3) : widen(g8 >> 2, 6);
    const std::uint32_t b = widen((rgb >> 3) & 0x1F, 5);
    return r << 16 | g << 8 | b;
}

struct DecodeCase {
    const char* file;
    Expected expected;
    int tolerance;     // per channel, for the lossy formats
    bool layer_only;   // formats that the platform's library does not read
    int width = fixtures::width;
    int height = fixtures::height;
};

const Expected colours = [](int x, int y) { return opaque(colour_at(x, y)); };
const Expected palette = [](int x, int y) { return opaque(palette_colour(index_at(x, y))); };
const Expected translucent = [](int x, int y) { return with_alpha(colour_at(x, y), alpha_at(x, y)); };
const Expected smooth = [](int x, int y) { return opaque(smooth_at(x, y)); };

void PrintTo(const DecodeCase& c, std::ostream* out) { *out << c.file; }

class Decode : public testing::TestWithParam<DecodeCase> {};

TEST_P(Decode, GivesThePicturesPixels) {
    const DecodeCase& c = GetParam();
#ifdef _WIN32
    if (c.layer_only) GTEST_SKIP() << "the platform's imaging library does not read this format";
#endif
    Status status = GenericError;
    PictureGuard picture(decode(fixture(c.file), &status));
    ASSERT_EQ(status, Ok);
    UINT width = 0;
    UINT height = 0;
    entries().GdipGetImageWidth(picture.get(), &width);
    entries().GdipGetImageHeight(picture.get(), &height);
    ASSERT_EQ(width, static_cast<UINT>(c.width));
    ASSERT_EQ(height, static_cast<UINT>(c.height));

    Surface surface(c.width, c.height);
    ASSERT_EQ(surface.draw(picture.get(), 0, 0, c.width, c.height), Ok);
    int wrong = 0;
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
            const std::uint32_t want = over_black(c.expected(x, y));
            const std::uint32_t got = surface.at(x, y);
            bool close = true;
            for (int shift = 0; shift <= 24; shift += 8) {
                const int d = static_cast<int>((got >> shift) & 0xFF) - static_cast<int>((want >> shift) & 0xFF);
                close = close && std::abs(d) <= c.tolerance;
            }
            if (!close && ++wrong <= 5)
                ADD_FAILURE() << c.file << " at " << x << "," << y << ": " << hex({got}) << " instead of " << hex({want});
        }
    }
    EXPECT_EQ(wrong, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, Decode,
    testing::Values(
        DecodeCase{"bmp_rgb24.bmp", colours, 0, false}, DecodeCase{"bmp_rgb24_topdown.bmp", colours, 0, false},
        // The fourth byte of a 32-bit bitmap carries no alpha.
        DecodeCase{"bmp_rgb32.bmp", colours, 0, false}, DecodeCase{"bmp_pal8.bmp", palette, 0, false},
        DecodeCase{"bmp_pal4.bmp", palette, 0, false}, DecodeCase{"bmp_rle8.bmp", palette, 0, false},
        DecodeCase{"bmp_pal1.bmp", [](int x, int y) { return opaque(bit_at(x, y) ? 0xF0E0D0 : 0x102030); }, 0, false},
        DecodeCase{"bmp_rgb555.bmp", [](int x, int y) { return opaque(quantised(colour_at(x, y), 5)); }, 0, false},
        DecodeCase{"bmp_rgb565.bmp", [](int x, int y) { return opaque(quantised(colour_at(x, y), 6)); }, 0, false},
        DecodeCase{"png_rgb8.png", colours, 0, false}, DecodeCase{"png_interlaced.png", colours, 0, false},
        // A PNG under a JPEG's name is still a PNG.
        DecodeCase{"png_named.jpg", colours, 0, false},
        // 16-bit samples keep their high byte.
        DecodeCase{"png_rgb16.png", colours, 0, false}, DecodeCase{"png_rgba16.png", translucent, 0, false},
        DecodeCase{"png_rgba8.png", translucent, 0, false}, DecodeCase{"png_pal4.png", palette, 0, false},
        DecodeCase{"png_pal8_trns.png",
                   [](int x, int y) {
                       const int i = index_at(x, y);
                       return with_alpha(palette_colour(i), i == 3 ? 128 : i == 5 ? 0 : 255);
                   },
                   0, false},
        DecodeCase{"png_grey8.png", [](int x, int y) { return opaque(grey(grey_at(x, y))); }, 0, false},
        DecodeCase{"png_grey_alpha.png", [](int x, int y) { return with_alpha(grey(grey_at(x, y)), alpha_at(x, y)); }, 0, false},
        DecodeCase{"png_grey1.png", [](int x, int y) { return opaque(bit_at(x, y) ? 0xFFFFFF : 0); }, 0, false},
        DecodeCase{"gif_basic.gif", palette, 0, false}, DecodeCase{"gif_interlaced.gif", palette, 0, false},
        // Only the first frame counts.
        DecodeCase{"gif_two_frames.gif", palette, 0, false},
        DecodeCase{"gif_transparent.gif",
                   [](int x, int y) { return index_at(x, y) == 5 ? 0u : opaque(palette_colour(index_at(x, y))); }, 0, false},
        // A frame smaller than the screen is the picture, at its own size.
        DecodeCase{"gif_offset.gif", [](int x, int y) { return opaque(palette_colour(index_at(x + 3, y + 2))); }, 0, false,
                   10, 8},
        DecodeCase{"tiff_rgb.tif", colours, 0, false}, DecodeCase{"tiff_rgb_lzw.tif", colours, 0, false},
        DecodeCase{"tiff_pal8.tif", palette, 0, false},
        DecodeCase{"tiff_grey.tif", [](int x, int y) { return opaque(grey(grey_at(x, y))); }, 0, false},
        DecodeCase{"tiff_rgba.tif", translucent, 1, false},
        DecodeCase{"ico_argb32.ico", translucent, 0, false}, DecodeCase{"ico_png.ico", translucent, 0, false},
        // Where the AND mask is set, an icon is transparent.
        DecodeCase{"ico_pal8_mask.ico",
                   [](int x, int y) { return bit_at(x, y) ? 0u : opaque(palette_colour(index_at(x, y))); }, 0, false},
        // The first image of several is the picture.
        DecodeCase{"ico_two.ico",
                   [](int x, int y) { return bit_at(x, y) ? 0u : opaque(palette_colour(index_at(x, y))); }, 0, false},
        DecodeCase{"jpeg_baseline.jpg", smooth, 12, false}, DecodeCase{"jpeg_progressive.jpg", smooth, 12, false},
        DecodeCase{"jpeg_grey.jpg", [](int x, int y) { return opaque(grey(static_cast<std::uint32_t>(60 + x * 6 + y * 4))); }, 6, false},
        DecodeCase{"jpeg_cmyk.jpg", smooth, 12, false},
        DecodeCase{"webp_lossless.webp", colours, 0, true}, DecodeCase{"webp_alpha.webp", translucent, 0, true},
        DecodeCase{"webp_lossy.webp", smooth, 10, true}),
    [](const testing::TestParamInfo<DecodeCase>& info) {
        std::string name = info.param.file;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
        return name;
    });

// Whatever is not a picture is refused with a status, and the output is left alone.
struct RefusedCase {
    const char* what;
    std::vector<std::uint8_t> bytes;
};

void PrintTo(const RefusedCase& c, std::ostream* out) { *out << c.what; }

class Refused : public testing::TestWithParam<RefusedCase> {};

TEST_P(Refused, WithAStatusAndNoPicture) {
    IStream* stream = stream_over(GetParam().bytes);
    ASSERT_TRUE(stream);
    auto* untouched = reinterpret_cast<GpImage*>(static_cast<std::uintptr_t>(0x1234));
    GpImage* picture = untouched;
    const Status status = entries().GdipLoadImageFromStream(stream, &picture);
    stream->Release();
    EXPECT_NE(status, Ok);
    EXPECT_EQ(picture, untouched);
}

std::vector<std::uint8_t> bytes_of(const std::string& text) { return std::vector<std::uint8_t>(text.begin(), text.end()); }

INSTANTIATE_TEST_SUITE_P(
    NotPictures, Refused,
    testing::Values(RefusedCase{"empty", {}}, RefusedCase{"text", fixture("text.txt")},
                    RefusedCase{"random", fixture("random.bin")}, RefusedCase{"truncated_png", fixture("truncated.png")},
                    RefusedCase{"truncated_jpeg", fixture("truncated.jpg")}, RefusedCase{"huge_png", fixture("huge.png")},
                    RefusedCase{"huge_bmp", fixture("huge.bmp")}, RefusedCase{"huge_gif", fixture("huge.gif")},
                    RefusedCase{"bmp_signature_only", bytes_of("BM")},
                    RefusedCase{"png_signature_only", {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}}),
    [](const testing::TestParamInfo<RefusedCase>& info) { return std::string(info.param.what); });

} // namespace
