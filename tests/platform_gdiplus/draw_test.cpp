// Drawing a picture scaled into a rectangle. The expected pixels were read from the Windows
// build under the reference: bilinear weights in 1/255 steps, edges fading into transparency,
// straight-alpha interpolation, and the result composited over the surface, alpha byte included.
#include <gtest/gtest.h>

#include <cstring>

#include "flat_imaging.h"

namespace {

using namespace flat;

constexpr std::uint32_t opaque(std::uint32_t rgb) { return 0xFF000000u | rgb; }

std::vector<std::uint32_t> ramp8() {
    std::vector<std::uint32_t> ramp;
    for (std::uint32_t i = 0; i < 8; ++i) ramp.push_back(opaque(i * 0x202020u));
    return ramp;
}

struct ScaleCase {
    const char* name;
    std::vector<std::uint32_t> source; // 0xAARRGGBB
    int source_width;
    int width;
    int height;
    std::vector<std::uint32_t> expected; // the surface after drawing over black
};

class ScaledDraw : public testing::TestWithParam<ScaleCase> {};

TEST_P(ScaledDraw, MatchesTheReferencePixelForPixel) {
    const ScaleCase& c = GetParam();
    const int source_height = static_cast<int>(c.source.size()) / c.source_width;
    PictureGuard picture(decode(png_of(c.source, c.source_width, source_height)));
    ASSERT_TRUE(picture.get());
    Surface surface(c.width, c.height);
    ASSERT_EQ(surface.draw(picture.get(), 0, 0, c.width, c.height), Ok);
    EXPECT_EQ(hex(surface.pixels()), hex(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Reference, ScaledDraw,
    testing::Values(
        // Black to white, stretched: the last pixels fade out past the picture's right edge.
        ScaleCase{"ramp_up", {opaque(0), opaque(0xFFFFFF)}, 2, 16, 1,
                  {0xff000000, 0xff202020, 0xff404040, 0xff606060, 0xff808080, 0xff9f9f9f, 0xffbfbfbf, 0xffdfdfdf,
                   0xffffffff, 0xdfdfdfdf, 0xbfbfbfbf, 0x9f9f9f9f, 0x7f7f7f7f, 0x60606060, 0x40404040, 0x20202020}},
        // The same the other way round: a weight of one half rounds down here, up above.
        ScaleCase{"ramp_down", {opaque(0xFFFFFF), opaque(0)}, 2, 16, 1,
                  {0xffffffff, 0xffdfdfdf, 0xffbfbfbf, 0xff9f9f9f, 0xff7f7f7f, 0xff606060, 0xff404040, 0xff202020,
                   0xff000000, 0xdf000000, 0xbf000000, 0x9f000000, 0x7f000000, 0x60000000, 0x40000000, 0x20000000}},
        // One pixel blown up: the right and bottom edges fade.
        ScaleCase{"one_pixel", {opaque(0xC86432)}, 1, 4, 4,
                  {0xffc86432, 0xbf964b25, 0x7f643219, 0x4032190d, 0xbf964b25, 0x8f70381c, 0x5f4b2513, 0x2f251209,
                   0x7f643219, 0x5f4b2513, 0x3f31190c, 0x1f180c06, 0x4032190d, 0x2f251209, 0x1f180c06, 0x100d0603}},
        // Two translucent pixels: colours weighted by their alpha.
        ScaleCase{"translucent", {0x80C86432, 0x400A14FA}, 2, 16, 1,
                  {0x80643219, 0x77572c1d, 0x6f4b2622, 0x673f2127, 0x5f331b2c, 0x58271630, 0x501b1035, 0x480f0a3a,
                   0x4003053f, 0x37020436, 0x2f02042e, 0x27020326, 0x1f01021e, 0x18010218, 0x10010110, 0x08000108}},
        // Two by two with opaque, half, clear and faint corners, doubled.
        ScaleCase{"corners", {0xFFFF0000, 0x8000FF00, 0x000000FF, 0x40FFFFFF}, 2, 4, 4,
                  {0xffff0000, 0xbf7f4000, 0x80008000, 0x3f003f00, 0x7f7f0000, 0x6f4f2f10, 0x5f205f20, 0x2e0f2e0f,
                   0x00000000, 0x20202020, 0x40404040, 0x1f1f1f1f, 0x00000000, 0x0f0f0f0f, 0x1f1f1f1f, 0x0f0f0f0f}},
        // Shrunk: samples fall between pixels without averaging their neighbours.
        ScaleCase{"shrunk", ramp8(), 8, 3, 1, {0xff000000, 0xff555555, 0xffaaaaaa}},
        ScaleCase{"stretched_odd", ramp8(), 8, 13, 1,
                  {0xff000000, 0xff131313, 0xff272727, 0xff3b3b3b, 0xff4e4e4e, 0xff626262, 0xff767676, 0xff898989,
                   0xff9d9d9d, 0xffb1b1b1, 0xffc4c4c4, 0xffd8d8d8, 0x9d8a8a8a}}),
    [](const testing::TestParamInfo<ScaleCase>& info) { return std::string(info.param.name); });

// Larger recordings, where single-precision ties decide a weight. Where the reference's 32-bit
// and 64-bit builds round a tie differently there is one recording of each ("name.i686.bin",
// "name.x86_64.bin"); the layer follows the 32-bit build, the system's own target.
struct Recording {
    const char* source;
    int width;
    int height;
    const char* expected;
    bool per_architecture = false;
};

std::string recording_name(const Recording& r) {
    if (!r.per_architecture) return std::string(r.expected) + ".bin";
#ifdef _WIN64
    return std::string(r.expected) + ".x86_64.bin";
#else
    return std::string(r.expected) + ".i686.bin";
#endif
}

void PrintTo(const Recording& r, std::ostream* out) { *out << r.expected; }

class RecordedDraw : public testing::TestWithParam<Recording> {};

TEST_P(RecordedDraw, MatchesTheRecording) {
    const Recording& r = GetParam();
    PictureGuard picture(decode(fixture(r.source)));
    ASSERT_TRUE(picture.get());
    Surface surface(r.width, r.height);
    ASSERT_EQ(surface.draw(picture.get(), 0, 0, r.width, r.height), Ok);
    const std::vector<std::uint8_t> bytes = fixture(recording_name(r));
    ASSERT_EQ(bytes.size(), static_cast<std::size_t>(r.width * r.height * 4));
    std::vector<std::uint32_t> expected(bytes.size() / 4);
    for (std::size_t i = 0; i < expected.size(); ++i)
        expected[i] = bytes[4 * i] | bytes[4 * i + 1] << 8 | bytes[4 * i + 2] << 16 | std::uint32_t{bytes[4 * i + 3]} << 24;
    const std::vector<std::uint32_t> drawn = surface.pixels();
    int differing = 0;
    for (std::size_t i = 0; i < drawn.size(); ++i) differing += drawn[i] != expected[i];
    EXPECT_EQ(differing, 0) << hex(drawn);
}

INSTANTIATE_TEST_SUITE_P(Reference, RecordedDraw,
                         testing::Values(Recording{"scale_source_rgba.png", 100, 3, "scale_rgba_100x3"},
                                         Recording{"scale_source_rgba.png", 29, 17, "scale_rgba_29x17"},
                                         Recording{"scale_source_rgba.png", 5, 4, "scale_rgba_5x4"},
                                         Recording{"scale_source_rgb.png", 33, 7, "scale_rgb_33x7"},
                                         Recording{"scale_source_rgb.png", 4, 3, "scale_rgb_4x3"},
                                         Recording{"scale_source_rgb.png", 7, 40, "scale_rgb_7x40"},
                                         Recording{"scale_source_rgb.png", 60, 5, "scale_rgb_60x5", true}));

TEST(DrawComposite, BlendsTranslucentPixelsOverWhatTheSurfaceHolds) {
    std::vector<std::uint32_t> source;
    for (std::uint32_t a : {0u, 1u, 64u, 127u, 128u, 200u, 254u, 255u}) source.push_back(a << 24 | 0xC86432);
    PictureGuard picture(decode(png_of(source, 8, 1)));
    ASSERT_TRUE(picture.get());
    struct Case {
        std::uint32_t below;
        const char* expected;
    };
    const Case cases[] = {
        {0x00000000, "00000000 01010000 4032190d 7f643219 80643219 c89d4e27 fec76432 ffc86432"},
        {0x00FFFFFF, "00ffffff 01fffefe 40f1d8cc 7fe4b299 80e3b198 c8d4855e fec86533 ffc86432"},
        {0xFF808080, "ff808080 ff807f7f ff92796d ffa47259 ffa47259 ffb96a43 ffc86533 ffc86432"},
        {0x80FFFFFF, "80ffffff 80fffefe a0f1d8cc bfe4b299 c0e3b198 e4d4855e ffc86533 ffc86432"},
    };
    for (const Case& c : cases) {
        Surface surface(8, 1, c.below);
        ASSERT_EQ(surface.draw(picture.get(), 0, 0, 8, 1), Ok);
        EXPECT_EQ(hex(surface.pixels()), c.expected) << "over " << std::hex << c.below;
    }
}

TEST(DrawPlacement, DrawsOnlyInsideTheRectangleAndTheSurface) {
    PictureGuard picture(decode(png_of(ramp8(), 8, 1)));
    ASSERT_TRUE(picture.get());
    Surface surface(10, 2, 0x00123456);
    ASSERT_EQ(surface.draw(picture.get(), 2, 0, 5, 1), Ok);
    EXPECT_EQ(hex(surface.row(0)),
              "00123456 00123456 ff000000 ff333333 ff666666 ff999999 ffcccccc 00123456 00123456 00123456");
    EXPECT_EQ(hex(surface.row(1)), hex(std::vector<std::uint32_t>(10, 0x00123456)));

    // A rectangle reaching past the surface is cut off there, the rest drawn as it would be.
    Surface small(3, 1);
    ASSERT_EQ(small.draw(picture.get(), 0, 0, 16, 1), Ok);
    EXPECT_EQ(hex(small.pixels()), "ff000000 ff101010 ff202020");
}

TEST(DrawPlacement, FollowsTheWorldTransformOfTheDeviceContext) {
    PictureGuard picture(decode(png_of(ramp8(), 8, 1)));
    ASSERT_TRUE(picture.get());
    Surface surface(12, 1);
    SetGraphicsMode(surface.dc(), GM_ADVANCED);
    const XFORM doubled{2.0f, 0.0f, 0.0f, 1.0f, 1.0f, 0.0f};
    ASSERT_TRUE(SetWorldTransform(surface.dc(), &doubled));
    // Four logical units wide become eight pixels from x = 1: the picture at its own size.
    ASSERT_EQ(surface.draw(picture.get(), 0, 0, 4, 1), Ok);
    EXPECT_EQ(hex(surface.pixels()), "00000000 ff000000 ff202020 ff404040 ff606060 ff808080 ffa0a0a0 ffc0c0c0 "
                                     "ffe0e0e0 00000000 00000000 00000000");
}

TEST(DrawPlacement, StaysInsideTheClipRegion) {
    PictureGuard picture(decode(png_of(std::vector<std::uint32_t>(16, 0xFFFFFFFF), 4, 4)));
    ASSERT_TRUE(picture.get());
    Surface surface(5, 5);
    HRGN clip = CreateRectRgn(1, 1, 3, 3);
    SelectClipRgn(surface.dc(), clip);
    DeleteObject(clip);
    ASSERT_EQ(surface.draw(picture.get(), 0, 0, 4, 4), Ok);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x) {
            const bool inside = x >= 1 && x < 3 && y >= 1 && y < 3;
            EXPECT_EQ(surface.at(x, y), inside ? 0xFFFFFFFFu : 0u) << x << "," << y;
        }
}

} // namespace
