#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "folder_compare.h"
#include "picture_diff.h"
#include "png_file.h"
#include "png_writer.h"

namespace {

namespace fs = std::filesystem;

class TempFolder : public testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("pellux_compare_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(root_);
        fs::create_directories(root_);
    }
    void TearDown() override { fs::remove_all(root_); }
    fs::path root_;
};

std::vector<std::uint32_t> pattern(int w, int h, std::uint32_t seed) {
    std::vector<std::uint32_t> pixels(static_cast<size_t>(w) * h);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = (static_cast<std::uint32_t>(i) + seed) * 2654435761u;
    return pixels;
}

compare::Picture picture(int w, int h, std::uint32_t seed) {
    compare::Picture p;
    p.width = w;
    p.height = h;
    for (std::uint32_t v : pattern(w, h, seed)) p.rgba.insert(p.rgba.end(), {std::uint8_t(v >> 16), std::uint8_t(v >> 8), std::uint8_t(v), 255});
    return p;
}

// An independent decoder reads back exactly what the scene tool's encoder stored: every colour
// byte, and the spare byte through the inverted alpha channel.
using EncoderRoundTrip = TempFolder;
TEST_F(EncoderRoundTrip, LibpngReadsBackEveryByte) {
    struct Size {
        int w, h;
    };
    for (const Size size : {Size{1, 1}, Size{3, 2}, Size{300, 200}}) {
        const std::vector<std::uint32_t> pixels = pattern(size.w, size.h, 7);
        const fs::path file = root_ / "round.png";
        ASSERT_TRUE(scenes::write_png(file.string(), pixels.data(), size.w, size.h));
        compare::Picture read;
        std::string error;
        ASSERT_TRUE(compare::read_png(file.string(), read, error)) << error;
        ASSERT_EQ(read.width, size.w);
        ASSERT_EQ(read.height, size.h);
        for (int i = 0; i < size.w * size.h; ++i) {
            const std::uint32_t v = pixels[i];
            const std::uint8_t* p = &read.rgba[i * 4];
            ASSERT_EQ(p[0], (v >> 16) & 0xFF) << i;
            ASSERT_EQ(p[1], (v >> 8) & 0xFF) << i;
            ASSERT_EQ(p[2], v & 0xFF) << i;
            ASSERT_EQ(p[3], 255 - (v >> 24)) << i;
        }
    }
}

TEST(PictureDiff, CountsAndMarksEachKindOfDifference) {
    struct Case {
        const char* what;
        void (*change)(compare::Picture&);
        long long differing;
        long long spare_only;
        bool size_differs;
    };
    const Case cases[] = {
        {"identical", [](compare::Picture&) {}, 0, 0, false},
        {"one colour byte", [](compare::Picture& p) { p.at(2, 1)[1] ^= 1; }, 1, 0, false},
        {"spare byte only", [](compare::Picture& p) { p.at(0, 0)[3] = 0; }, 1, 1, false},
        {"colour and spare byte", [](compare::Picture& p) { p.at(3, 2)[0] ^= 0x80; p.at(3, 2)[3] ^= 0x80; }, 1, 0, false},
        {"two pixels", [](compare::Picture& p) { p.at(0, 2)[2] ^= 4; p.at(3, 0)[3] ^= 4; }, 2, 1, false},
        {"another size", [](compare::Picture& p) { p = picture(5, 2, 1); }, 15, 0, true},
    };
    for (const Case& c : cases) {
        const compare::Picture reference = picture(4, 3, 1);
        compare::Picture other = reference;
        c.change(other);
        const compare::PictureDiff diff = compare::diff_pictures(reference, other);
        EXPECT_EQ(diff.differing, c.differing) << c.what;
        EXPECT_EQ(diff.spare_only, c.spare_only) << c.what;
        EXPECT_EQ(diff.size_differs, c.size_differs) << c.what;
        EXPECT_EQ(diff.picture.width, std::max(reference.width, other.width)) << c.what;
        EXPECT_EQ(diff.picture.height, std::max(reference.height, other.height)) << c.what;
    }
}

TEST(PictureDiff, PictureShowsColourFaultsRedSpareFaultsYellowAndTheRestGrey) {
    const compare::Picture reference = picture(3, 1, 2);
    compare::Picture other = reference;
    other.at(1, 0)[0] ^= 0xFF;
    other.at(2, 0)[3] = 0;
    const compare::PictureDiff diff = compare::diff_pictures(reference, other);
    const std::uint8_t* same = diff.picture.at(0, 0);
    EXPECT_EQ(same[0], same[1]);
    EXPECT_EQ(same[1], same[2]);
    EXPECT_LT(same[0], 255 - 64) << "equal pixels are dimmed so that faults stand out";
    EXPECT_EQ(std::vector<std::uint8_t>(diff.picture.at(1, 0), diff.picture.at(1, 0) + 4), (std::vector<std::uint8_t>{255, 0, 0, 255}));
    EXPECT_EQ(std::vector<std::uint8_t>(diff.picture.at(2, 0), diff.picture.at(2, 0) + 4), (std::vector<std::uint8_t>{255, 255, 0, 255}));
}

class FolderCompare : public TempFolder {
protected:
    void write(const char* folder, const char* scene, std::uint32_t seed) {
        fs::create_directories(root_ / folder);
        const std::vector<std::uint32_t> pixels = pattern(6, 4, seed);
        ASSERT_TRUE(scenes::write_png((root_ / folder / (std::string(scene) + ".png")).string(), pixels.data(), 6, 4));
    }
    compare::FolderSummary run() {
        output_.str("");
        return compare::compare_folders(root_ / "a", root_ / "b", root_ / "diff", output_);
    }
    std::ostringstream output_;
};

TEST_F(FolderCompare, EqualFoldersPass) {
    write("a", "one", 1);
    write("b", "one", 1);
    write("a", "two", 2);
    write("b", "two", 2);
    const compare::FolderSummary s = run();
    EXPECT_TRUE(s.ok()) << output_.str();
    EXPECT_EQ(s.scenes, 2);
    EXPECT_NE(output_.str().find("one: 0 differing pixels"), std::string::npos) << output_.str();
}

TEST_F(FolderCompare, DifferencesAndMissingScenesFailAndAreNamed) {
    write("a", "same", 1);
    write("b", "same", 1);
    write("a", "changed", 2);
    write("b", "changed", 3);
    write("a", "only_a", 4);
    write("b", "only_b", 5);
    const compare::FolderSummary s = run();
    EXPECT_FALSE(s.ok());
    EXPECT_EQ(s.scenes, 4);
    EXPECT_EQ(s.differing, 1);
    EXPECT_EQ(s.missing, 2);
    const std::string text = output_.str();
    EXPECT_NE(text.find("changed: 24 differing pixels"), std::string::npos) << text;
    EXPECT_NE(text.find("only_a: missing"), std::string::npos) << text;
    EXPECT_NE(text.find("only_b: missing"), std::string::npos) << text;
    EXPECT_TRUE(fs::exists(root_ / "diff" / "changed.png"));
    EXPECT_FALSE(fs::exists(root_ / "diff" / "same.png"));

    // Once the scene matches again its old difference picture goes away.
    write("b", "changed", 2);
    run();
    EXPECT_FALSE(fs::exists(root_ / "diff" / "changed.png"));
}

TEST_F(FolderCompare, UnreadablePictureCountsAsMissing) {
    write("a", "broken", 1);
    fs::create_directories(root_ / "b");
    { std::ofstream(root_ / "b" / "broken.png") << "not a picture"; }
    const compare::FolderSummary s = run();
    EXPECT_FALSE(s.ok());
    EXPECT_EQ(s.missing, 1);
    EXPECT_NE(output_.str().find("broken: unreadable"), std::string::npos) << output_.str();
}

TEST_F(FolderCompare, NoScenesAtAllIsAFailure) {
    fs::create_directories(root_ / "a");
    fs::create_directories(root_ / "b");
    EXPECT_FALSE(run().ok());
    // A folder that does not exist holds no scenes either.
    fs::remove_all(root_ / "b");
    write("a", "one", 1);
    EXPECT_FALSE(run().ok());
}

} // namespace
