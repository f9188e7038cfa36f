// The text of out.cpp, byte for byte, from given pixel values.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "source_writer.h"

namespace fs = std::filesystem;

namespace {

std::string read_bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void write_bytes(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::string loops(int w, int h) {
    return "for (int x = 0; x < " + std::to_string(w) + "; x++)\r\n{\r\n\tfor (int y = 0; y < " + std::to_string(h) +
           "; y++)\r\n\t{\r\n\t\tputpixel(x, y, nImgInfo[x][y]);\r\n\t}\r\n}\r\n";
}

class SourceFile : public testing::Test {
protected:
    void SetUp() override {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        folder = fs::temp_directory_path() / (std::string("pellux_writer_") + info->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        out = folder / "out.cpp";
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(folder, fs::perms::owner_all, ignored);
        fs::remove_all(folder, ignored);
    }
    bool write(int w, int h, const PixelReader& pixel) { return write_source_file(out.string().c_str(), w, h, pixel); }
    fs::path folder;
    fs::path out;
};

TEST_F(SourceFile, WorkedExampleIs177Bytes) {
    const std::map<std::pair<int, int>, COLORREF> colours{
        {{0, 0}, 255}, {{0, 1}, 65280}, {{1, 0}, 16711680}, {{1, 1}, 16777215}};
    ASSERT_TRUE(write(2, 2, [&](int x, int y) { return colours.at({x, y}); }));
    const std::string expected = "int nImgInfo[2][2] = {\r\n"
                                 "{ 255, 65280},\r\n"
                                 "{ 16711680, 16777215},\r"
                                 "};\r\n"
                                 "\r\n" + loops(2, 2);
    const std::string got = read_bytes(out);
    EXPECT_EQ(got.size(), 177u);
    EXPECT_EQ(got, expected);
}

TEST_F(SourceFile, OneRedPixelIs146Bytes) {
    ASSERT_TRUE(write(1, 1, [](int, int) { return COLORREF{255}; }));
    const std::string got = read_bytes(out);
    EXPECT_EQ(got.size(), 146u);
    EXPECT_EQ(got, "int nImgInfo[1][1] = {\r\n{ 255},\r};\r\n\r\n" + loops(1, 1));
}

// Rows are columns of the picture: array row x lists pixel (x, 0), (x, 1), ...
TEST_F(SourceFile, RowsAreColumns) {
    ASSERT_TRUE(write(3, 2, [](int x, int y) { return static_cast<COLORREF>(10 * x + y); }));
    EXPECT_EQ(read_bytes(out), "int nImgInfo[3][2] = {\r\n{ 0, 1},\r\n{ 10, 11},\r\n{ 20, 21},\r};\r\n\r\n" + loops(3, 2));
}

TEST_F(SourceFile, EmptyPictureGivesTheBareFrame) {
    ASSERT_TRUE(write(0, 0, [](int, int) -> COLORREF { ADD_FAILURE() << "no pixel to read"; return 0; }));
    const std::string got = read_bytes(out);
    EXPECT_EQ(got.size(), 137u);
    EXPECT_EQ(got, "int nImgInfo[0][0] = {\r};\r\n\r\n" + loops(0, 0));
}

TEST_F(SourceFile, ExtremeValuesAndSizesFitTheLine) {
    ASSERT_TRUE(write(1, 2, [](int, int y) { return y ? COLORREF{0xFFFFFFFF} : COLORREF{16777215}; }));
    EXPECT_EQ(read_bytes(out), "int nImgInfo[1][2] = {\r\n{ 16777215, -1},\r};\r\n\r\n" + loops(1, 2));
}

TEST_F(SourceFile, LongerOldFileIsReplacedEntirely) {
    write_bytes(out, std::string(5000, 'x'));
    ASSERT_TRUE(write(1, 1, [](int, int) { return COLORREF{255}; }));
    EXPECT_EQ(read_bytes(out).size(), 146u);
    EXPECT_FALSE(fs::exists(folder / "out.cpp.part"));
}

// When the text cannot be written the earlier file stays whole and no partial file is left.
TEST_F(SourceFile, FailureLeavesOldFileUntouched) {
    write_bytes(out, "previous");
    // The temporary file's name is taken by a folder: it cannot be created.
    fs::create_directories(folder / "out.cpp.part");
    EXPECT_FALSE(write(2, 2, [](int, int) { return COLORREF{1}; }));
    EXPECT_EQ(read_bytes(out), "previous");
}

TEST_F(SourceFile, OutputNameTakenByFolderFails) {
    fs::create_directories(out);
    EXPECT_FALSE(write(1, 1, [](int, int) { return COLORREF{1}; }));
    EXPECT_TRUE(fs::is_directory(out));
    EXPECT_FALSE(fs::exists(folder / "out.cpp.part"));
}

TEST_F(SourceFile, ReadOnlyOutputIsNotReplaced) {
    write_bytes(out, "keep me");
    fs::permissions(out, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const bool written = write(1, 1, [](int, int) { return COLORREF{1}; });
    fs::permissions(out, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_FALSE(written);
    EXPECT_EQ(read_bytes(out), "keep me");
    EXPECT_FALSE(fs::exists(folder / "out.cpp.part"));
}

} // namespace

namespace {

// A full disk: the writes fail part way and the failure is reported, not hidden.
TEST(SourceStream, FullDiskIsReported) {
    FILE* stream = nullptr;
    if (fopen_s(&stream, "/dev/full", "wt+") != 0 || !stream) GTEST_SKIP() << "no /dev/full here";
    const bool written = write_source(stream, 200, 200, [](int, int) { return COLORREF{16777215}; });
    const bool closed = fclose(stream) == 0;
    EXPECT_FALSE(written && closed);
}

} // namespace
