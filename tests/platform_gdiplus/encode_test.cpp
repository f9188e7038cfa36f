// The encoder list and saving: a picture made from a bitmap's bits, written in every format and
// read back.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "flat_imaging.h"
#include "patterns.h"

namespace {

using namespace flat;

std::u16string text_of(const WCHAR* text) {
    return text ? std::u16string(reinterpret_cast<const char16_t*>(text)) : std::u16string();
}

std::vector<ImageCodecInfo> encoder_list(std::vector<std::uint8_t>& storage) {
    UINT count = 0;
    UINT size = 0;
    EXPECT_EQ(entries().GdipGetImageEncodersSize(&count, &size), Ok);
    storage.assign(size + sizeof(ImageCodecInfo), 0);
    auto* records = reinterpret_cast<ImageCodecInfo*>(storage.data());
    EXPECT_EQ(entries().GdipGetImageEncoders(count, size, records), Ok);
    return std::vector<ImageCodecInfo>(records, records + count);
}

bool find_encoder(const std::u16string& mime_type, CLSID& clsid) {
    std::vector<std::uint8_t> storage;
    for (const ImageCodecInfo& codec : encoder_list(storage)) {
        if (text_of(codec.MimeType) == mime_type) {
            clsid = codec.Clsid;
            return true;
        }
    }
    return false;
}

TEST(Encoders, AreListedWithTheirFormats) {
    std::vector<std::uint8_t> storage;
    const std::vector<ImageCodecInfo> codecs = encoder_list(storage);
    std::vector<std::u16string> mime_types;
    for (const ImageCodecInfo& codec : codecs) {
        mime_types.push_back(text_of(codec.MimeType));
        EXPECT_FALSE(text_of(codec.FilenameExtension).empty());
        EXPECT_GT(codec.SigCount, 0u);
        ASSERT_TRUE(codec.SigPattern);
    }
    const std::vector<std::u16string> expected = {u"image/bmp", u"image/jpeg", u"image/gif", u"image/tiff", u"image/png"};
    EXPECT_EQ(mime_types, expected);
    // The PNG signature is where the record says.
    EXPECT_EQ(codecs[4].SigSize, 8u);
    EXPECT_EQ(codecs[4].SigPattern[0], 0x89);
    EXPECT_EQ(codecs[4].SigPattern[1], 'P');
}

TEST(Encoders, RefuseABufferOfTheWrongSize) {
    UINT count = 0;
    UINT size = 0;
    ASSERT_EQ(entries().GdipGetImageEncodersSize(&count, &size), Ok);
    std::vector<std::uint8_t> storage(size);
    EXPECT_EQ(entries().GdipGetImageEncoders(count, size - 1, reinterpret_cast<ImageCodecInfo*>(storage.data())),
              GenericError);
}

// The fixture pattern as the bits of a 32-bit top-down bitmap.
class SavedPicture : public testing::Test {
protected:
    void SetUp() override { make_bitmap(fixtures::colour_at); }

    // The picture of pattern, replacing the one there was.
    void make_bitmap(std::uint32_t (*pattern)(int, int)) {
        if (bitmap_) entries().GdipDisposeImage(bitmap_);
        bitmap_ = nullptr;
        bits_.clear();
        for (int y = 0; y < fixtures::height; ++y)
            for (int x = 0; x < fixtures::width; ++x) bits_.push_back(pattern(x, y));
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = fixtures::width;
        info.bmiHeader.biHeight = -fixtures::height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        ASSERT_EQ(entries().GdipCreateBitmapFromGdiDib(&info, bits_.data(), &bitmap_), Ok);
    }
    void TearDown() override {
        if (bitmap_) entries().GdipDisposeImage(bitmap_);
        for (const std::string& path : written_) std::remove(path.c_str());
    }

    std::string path_for(const std::string& name) {
        written_.push_back("gdiplus_saved_" + name);
        return written_.back();
    }

    // Saves through the encoder for mime_type and reads the file back, drawn over black.
    std::vector<std::uint32_t> round_trip(const std::u16string& mime_type, const std::string& name) {
        CLSID clsid{};
        EXPECT_TRUE(find_encoder(mime_type, clsid));
        const std::string path = path_for(name);
        const std::u16string wide_path(path.begin(), path.end());
        EXPECT_EQ(entries().GdipSaveImageToFile(bitmap_, Pellux::wide(wide_path.c_str()), &clsid, nullptr), Ok);
        PictureGuard loaded(decode(read_file(path)));
        EXPECT_TRUE(loaded.get());
        if (!loaded.get()) return {};
        Surface surface(fixtures::width, fixtures::height);
        surface.draw(loaded.get(), 0, 0, fixtures::width, fixtures::height);
        return surface.pixels();
    }

    std::vector<std::uint32_t> expected_opaque() const {
        std::vector<std::uint32_t> out;
        for (std::uint32_t rgb : bits_) out.push_back(0xFF000000u | rgb);
        return out;
    }

    std::vector<std::uint32_t> bits_;
    GpBitmap* bitmap_ = nullptr;
    std::vector<std::string> written_;
};

TEST_F(SavedPicture, LosslessFormatsGiveBackTheSamePixels) {
    EXPECT_EQ(hex(round_trip(u"image/png", "a.png")), hex(expected_opaque()));
    EXPECT_EQ(hex(round_trip(u"image/bmp", "a.bmp")), hex(expected_opaque()));
    EXPECT_EQ(hex(round_trip(u"image/tiff", "a.tif")), hex(expected_opaque()));
}

TEST_F(SavedPicture, JpegGivesBackClosePixels) {
    make_bitmap(fixtures::smooth_at);
    const std::vector<std::uint32_t> got = round_trip(u"image/jpeg", "a.jpg");
    const std::vector<std::uint32_t> want = expected_opaque();
    ASSERT_EQ(got.size(), want.size());
    double error = 0;
    for (std::size_t i = 0; i < got.size(); ++i)
        for (int shift = 0; shift <= 16; shift += 8)
            error += std::abs(static_cast<int>((got[i] >> shift) & 0xFF) - static_cast<int>((want[i] >> shift) & 0xFF));
    // A smooth picture: a mean error of a few levels per channel at the default quality.
    EXPECT_LT(error / (got.size() * 3), 4.0);
}

TEST_F(SavedPicture, GifKeepsAFewColoursExactly) {
#ifdef _WIN32
    GTEST_SKIP() << "the reference cannot read back the GIF files it writes";
#endif
    // Sixteen colours fit a GIF's palette without loss.
    make_bitmap([](int x, int y) { return fixtures::palette_colour(fixtures::index_at(x, y)); });
    EXPECT_EQ(hex(round_trip(u"image/gif", "a.gif")), hex(expected_opaque()));
}

TEST_F(SavedPicture, RefusesWhatItCannotWrite) {
    CLSID png{};
    ASSERT_TRUE(find_encoder(u"image/png", png));
    const CLSID unknown{0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};
    const std::string path = path_for("never.png");
    const std::u16string wide_path(path.begin(), path.end());
    EXPECT_EQ(entries().GdipSaveImageToFile(bitmap_, Pellux::wide(wide_path.c_str()), &unknown, nullptr),
              UnknownImageFormat);
    EXPECT_TRUE(read_file(path).empty());
    EXPECT_EQ(entries().GdipSaveImageToFile(bitmap_, nullptr, &png, nullptr), InvalidParameter);
    EXPECT_EQ(entries().GdipSaveImageToFile(nullptr, Pellux::wide(wide_path.c_str()), &png, nullptr), InvalidParameter);
    EXPECT_EQ(entries().GdipSaveImageToFile(bitmap_, Pellux::wide(u"no_such_folder/x.png"), &png, nullptr),
              GenericError);
}

TEST(BitmapFromBits, CopiesTheBitsItIsGiven) {
    std::vector<std::uint32_t> bits = {0x112233, 0x445566, 0x778899, 0xAABBCC};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 2;
    info.bmiHeader.biHeight = 2; // bottom-up: the first row of bits is the picture's bottom row
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    GpBitmap* bitmap = nullptr;
    ASSERT_EQ(entries().GdipCreateBitmapFromGdiDib(&info, bits.data(), &bitmap), Ok);
    PictureGuard guard(bitmap);
    bits.assign(4, 0xFFFFFF);
    Surface surface(2, 2);
    ASSERT_EQ(surface.draw(bitmap, 0, 0, 2, 2), Ok);
    EXPECT_EQ(hex(surface.pixels()), "ff778899 ffaabbcc ff112233 ff445566");
}

} // namespace
