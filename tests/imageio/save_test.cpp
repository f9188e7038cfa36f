// Saving an image, or the window surface, to a file chosen by its extension; what is saved
// losslessly loads back to the same pixels.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "graph_state.h"
#include "image_saving.h"
#include "loading_helpers.h"

namespace fs = std::filesystem;

namespace {

using namespace imageio_test;
using fixtures::colour_at;

class Saving : public testing::Test {
protected:
    void SetUp() override {
        image_ = std::make_unique<IMAGE>(fixtures::width, fixtures::height);
        for (int y = 0; y < fixtures::height; ++y)
            for (int x = 0; x < fixtures::width; ++x) image_->buffer[y * fixtures::width + x] = colour_at(x, y);
    }
    void TearDown() override {
        std::error_code ignored;
        for (const std::string& path : written_) fs::remove(path, ignored);
    }
    std::u16string path_for(const std::string& name) {
        written_.push_back("imageio_saved_" + name);
        return widen(written_.back());
    }

    std::unique_ptr<IMAGE> image_;
    std::vector<std::string> written_;
};

TEST_F(Saving, LosslessFormatsLoadBackToTheSamePixels) {
    for (const char* name : {"a.png", "a.bmp", "a.tif", "b.PNG", "c.Bmp", "d.tiff", "e.dib"}) {
        const std::u16string path = path_for(name);
        ASSERT_TRUE(save_image(image_.get(), w(path))) << name;
        IMAGE loaded;
        load_image(&loaded, w(path));
        ASSERT_EQ(loaded.width, fixtures::width) << name;
        ASSERT_EQ(loaded.height, fixtures::height) << name;
        for (int y = 0; y < fixtures::height; ++y)
            for (int x = 0; x < fixtures::width; ++x)
                ASSERT_EQ(rgb_at(loaded, x, y), colour_at(x, y)) << name << " at " << x << "," << y;
    }
}

TEST_F(Saving, JpegLoadsBackCloseToThePixels) {
    for (int y = 0; y < fixtures::height; ++y)
        for (int x = 0; x < fixtures::width; ++x) image_->buffer[y * fixtures::width + x] = fixtures::smooth_at(x, y);
    for (const char* name : {"a.jpg", "b.jpeg", "c.JPE", "d.jfif"}) {
        const std::u16string path = path_for(name);
        ASSERT_TRUE(save_image(image_.get(), w(path))) << name;
        IMAGE loaded;
        load_image(&loaded, w(path));
        ASSERT_EQ(loaded.width, fixtures::width) << name;
        double error = 0;
        for (int i = 0; i < fixtures::width * fixtures::height; ++i)
            for (int shift = 0; shift <= 16; shift += 8)
                error += std::abs(static_cast<int>((loaded.buffer[i] >> shift) & 0xFF) -
                                  static_cast<int>((image_->buffer[i] >> shift) & 0xFF));
        EXPECT_LT(error / (fixtures::width * fixtures::height * 3), 4.0) << name;
    }
}

TEST_F(Saving, RefusesUnknownExtensionsAndUnwritablePaths) {
    for (const char* name : {"a.xyz", "noextension", "a.png.txt", "a.gif", "folder.png/"}) {
        const std::u16string path = path_for(name);
        EXPECT_FALSE(save_image(image_.get(), w(path))) << name;
        EXPECT_FALSE(fs::exists(written_.back())) << name;
    }
    EXPECT_FALSE(save_image(image_.get(), w(u"imageio_no_such_folder/a.png")));
    EXPECT_FALSE(fs::exists("imageio_no_such_folder"));
    EXPECT_FALSE(save_image(image_.get(), nullptr));
}

TEST_F(Saving, AnImageWithoutSurfaceHasNothingToSave) {
    IMAGE empty;
    const std::u16string path = path_for("empty.png");
    EXPECT_FALSE(save_image(&empty, w(path)));
    EXPECT_FALSE(fs::exists(written_.back()));
}

TEST_F(Saving, OverwritesAnEarlierFile) {
    const std::u16string path = path_for("twice.bmp");
    ASSERT_TRUE(save_image(image_.get(), w(path)));
    image_->buffer[0] = 0x00ABCDEF;
    ASSERT_TRUE(save_image(image_.get(), w(path)));
    IMAGE loaded;
    load_image(&loaded, w(path));
    ASSERT_EQ(loaded.width, fixtures::width);
    EXPECT_EQ(rgb_at(loaded, 0, 0), 0xABCDEFu);
}

TEST_F(Saving, ANullImageMeansTheWindowSurface) {
    load_image(nullptr, w(fixture_path("bmp_rgb24.bmp")));
    const std::u16string path = path_for("window.png");
    ASSERT_TRUE(save_image(nullptr, w(path)));
    IMAGE loaded;
    load_image(&loaded, w(path));
    ASSERT_EQ(loaded.width, graph_state.window->width);
    ASSERT_EQ(loaded.height, graph_state.window->height);
    EXPECT_EQ(rgb_at(loaded, 4, 7), colour_at(4, 7));
}

} // namespace
