// What a new user might hand the loader instead of a picture. Every case leaves the target as
// it was: no surface made, no pixel changed, no size changed.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "loading_helpers.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

using namespace imageio_test;

struct BadInput {
    const char* what;
    std::u16string path;
};

void PrintTo(const BadInput& c, std::ostream* out) { *out << c.what; }

// Files made when the tests run, beside the fixtures.
class MadeFiles : public testing::Environment {
public:
    void SetUp() override {
        std::ofstream("imageio_zero_bytes.jpg", std::ios::binary).flush();
        fs::create_directories("imageio_folder/img.jpg");
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove("imageio_zero_bytes.jpg", ignored);
        fs::remove_all("imageio_folder", ignored);
    }
};
const auto* made_files = testing::AddGlobalTestEnvironment(new MadeFiles);

class BadInputs : public testing::TestWithParam<BadInput> {};

TEST_P(BadInputs, LeaveAnImageWithoutSurfaceWithout) {
    IMAGE image;
    load_image(&image, w(GetParam().path));
    EXPECT_EQ(image.width, 0);
    EXPECT_EQ(image.height, 0);
    EXPECT_EQ(image.bitmap, nullptr);
    EXPECT_EQ(image.buffer, nullptr);
}

TEST_P(BadInputs, LeaveAnImageWithSurfaceUnchanged) {
    struct Request {
        int width, height;
        bool resize;
    };
    for (const Request r : {Request{0, 0, true}, Request{7, 9, true}, Request{7, 9, false}, Request{0, 0, false}}) {
        IMAGE image(5, 4);
        fill_marker(image);
        const HBITMAP surface = image.bitmap;
        load_image(&image, w(GetParam().path), r.width, r.height, r.resize);
        EXPECT_EQ(image.width, 5);
        EXPECT_EQ(image.height, 4);
        EXPECT_EQ(image.bitmap, surface);
        EXPECT_EQ(pixels_of(image), std::vector<DWORD>(20, marker)) << r.width << "x" << r.height << " " << r.resize;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadInputs,
    testing::Values(BadInput{"missing", u"imageio_no_such_file.jpg"},
                    BadInput{"missing_folder", u"no_such_folder/img.jpg"},
                    BadInput{"zero_bytes", u"imageio_zero_bytes.jpg"},
                    BadInput{"folder_named_like_a_picture", u"imageio_folder/img.jpg"},
                    BadInput{"text", fixture_path("text.txt")}, BadInput{"random_bytes", fixture_path("random.bin")},
                    BadInput{"truncated_jpeg", fixture_path("truncated.jpg")},
                    BadInput{"truncated_png", fixture_path("truncated.png")},
                    BadInput{"huge_png_header", fixture_path("huge.png")},
                    BadInput{"huge_bmp_header", fixture_path("huge.bmp")},
                    BadInput{"huge_gif_header", fixture_path("huge.gif")}, BadInput{"empty_path", u""}),
    [](const testing::TestParamInfo<BadInput>& info) { return std::string(info.param.what); });

TEST(BadInputs, NullPathIsNoPicture) {
    IMAGE image(2, 2);
    fill_marker(image);
    load_image(&image, nullptr, 3, 3, true);
    EXPECT_EQ(image.width, 2);
    EXPECT_EQ(pixels_of(image), std::vector<DWORD>(4, marker));
}

#ifndef _WIN32
// A file that the user may not read. The check runs in a process of its own that gives up the
// superuser's rights first, which would otherwise read anything.
TEST(BadInputsDeathTest, UnreadableFileLeavesTheImageUnchanged) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    char path[] = "/tmp/imageio_unreadable_XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    const auto bytes = [] {
        std::ifstream in("fixtures/png_rgb8.png", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }();
    ASSERT_EQ(write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    close(fd);
    ASSERT_EQ(chmod(path, 0), 0);
    const std::u16string wide_path = widen(path);
    EXPECT_EXIT(
        {
            if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) std::_Exit(3);
            IMAGE image;
            load_image(&image, w(wide_path));
            std::_Exit(image.width == 0 && image.bitmap == nullptr ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
    unlink(path);
}
#endif

} // namespace
