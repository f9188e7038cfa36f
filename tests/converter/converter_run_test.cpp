// The converter as a user runs it: a folder with img.jpg in, out.cpp out, byte for byte.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "png_writer.h"
#include "process_runner.h"

namespace fs = std::filesystem;

namespace {

struct Pixel {
    std::uint8_t r, g, b, a = 255;
};

// A 24-bit bottom-up BMP of the given pixels (rows listed top first).
std::string bmp_file(int width, int height, const std::vector<Pixel>& pixels) {
    const int stride = (width * 3 + 3) & ~3;
    const std::uint32_t image_size = static_cast<std::uint32_t>(stride * height);
    std::string bytes;
    auto put16 = [&](std::uint16_t v) { bytes += char(v & 0xFF); bytes += char(v >> 8); };
    auto put32 = [&](std::uint32_t v) { for (int i = 0; i < 4; ++i) bytes += char((v >> (8 * i)) & 0xFF); };
    bytes += "BM";
    put32(54 + image_size);
    put32(0);
    put32(54);
    put32(40);
    put32(static_cast<std::uint32_t>(width));
    put32(static_cast<std::uint32_t>(height));
    put16(1);
    put16(24);
    put32(0);
    put32(image_size);
    put32(2835);
    put32(2835);
    put32(0);
    put32(0);
    for (int y = height - 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < width; ++x) {
            const Pixel& p = pixels[static_cast<size_t>(y * width + x)];
            row += char(p.b);
            row += char(p.g);
            row += char(p.r);
        }
        row.resize(static_cast<size_t>(stride), '\0');
        bytes += row;
    }
    return bytes;
}

std::string png_file(int width, int height, const std::vector<Pixel>& pixels) {
    // The encoder keeps the spare top byte as an inverted alpha.
    std::vector<std::uint32_t> values;
    for (const Pixel& p : pixels)
        values.push_back(static_cast<std::uint32_t>(255 - p.a) << 24 | p.r << 16 | p.g << 8 | p.b);
    const auto encoded = scenes::encode_png(values.data(), width, height);
    return std::string(encoded.begin(), encoded.end());
}

std::string loops(int w, int h) {
    return "for (int x = 0; x < " + std::to_string(w) + "; x++)\r\n{\r\n\tfor (int y = 0; y < " + std::to_string(h) +
           "; y++)\r\n\t{\r\n\t\tputpixel(x, y, nImgInfo[x][y]);\r\n\t}\r\n}\r\n";
}

std::string read_bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void write_bytes(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

bool any_box_says(const ProcessResult& result, const std::string& words) {
    for (const auto& text : result.message_boxes)
        if (text.find(words) != std::string::npos) return true;
    return false;
}

class ConverterRun : public testing::Test {
protected:
    void SetUp() override {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        folder = fs::absolute(fs::temp_directory_path() / (std::string("pellux_run_") + info->name()));
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
    ProcessResult run() { return run_process(CONVERTER_PATH, folder.string()); }
    fs::path folder;
};

const Pixel RED{255, 0, 0}, GREEN{0, 255, 0}, BLUE{0, 0, 255}, WHITE{255, 255, 255};

TEST_F(ConverterRun, WorkedExample) {
    // Red at (0, 0), green at (0, 1), blue at (1, 0), white at (1, 1).
    write_bytes(folder / "img.jpg", bmp_file(2, 2, {RED, BLUE, GREEN, WHITE}));
    const auto result = run();
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_TRUE(any_box_says(result, "done!"));
    const std::string out = read_bytes(folder / "out.cpp");
    EXPECT_EQ(out.size(), 177u);
    EXPECT_EQ(out, "int nImgInfo[2][2] = {\r\n{ 255, 65280},\r\n{ 16711680, 16777215},\r};\r\n\r\n" + loops(2, 2));
    EXPECT_FALSE(fs::exists(folder / "out.cpp.part"));
}

TEST_F(ConverterRun, SinglePixelAndWideLayout) {
    write_bytes(folder / "img.jpg", bmp_file(1, 1, {RED}));
    auto result = run();
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_EQ(read_bytes(folder / "out.cpp"), "int nImgInfo[1][1] = {\r\n{ 255},\r};\r\n\r\n" + loops(1, 1));

    // 3 wide, 2 tall: three rows (columns of the picture) of two values.
    write_bytes(folder / "img.jpg", bmp_file(3, 2, {RED, GREEN, BLUE, WHITE, Pixel{1, 2, 3}, Pixel{0, 0, 0}}));
    result = run();
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_EQ(read_bytes(folder / "out.cpp"),
              "int nImgInfo[3][2] = {\r\n{ 255, 16777215},\r\n{ 65280, 197121},\r\n{ 16711680, 0},\r};\r\n\r\n" + loops(3, 2));
}

// A PNG named img.jpg loads by its content; a fully transparent pixel reads 0.
TEST_F(ConverterRun, TransparentPixelReadsZero) {
    write_bytes(folder / "img.jpg", png_file(2, 1, {Pixel{255, 255, 255, 0}, Pixel{0, 0, 255, 255}}));
    const auto result = run();
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_EQ(read_bytes(folder / "out.cpp"), "int nImgInfo[2][1] = {\r\n{ 0},\r\n{ 16711680},\r};\r\n\r\n" + loops(2, 1));
}

// Without a picture nothing is written over an earlier out.cpp, and the user is told.
TEST_F(ConverterRun, NoPictureIsReportedAndOutputKept) {
    const struct { const char* name; const char* content; } cases[] = {
        {"missing", nullptr},
        {"empty", ""},
        {"text", "this is not a picture\n"},
    };
    for (auto c : cases) {
        fs::remove(folder / "img.jpg");
        if (c.content) write_bytes(folder / "img.jpg", c.content);
        write_bytes(folder / "out.cpp", "earlier");
        const auto result = run();
        EXPECT_EQ(result.exit_status, 1) << c.name;
        EXPECT_TRUE(any_box_says(result, "No picture could be read")) << c.name;
        EXPECT_FALSE(any_box_says(result, "done!")) << c.name;
        EXPECT_EQ(read_bytes(folder / "out.cpp"), "earlier") << c.name;
    }
}

TEST_F(ConverterRun, UnwritableOutputIsReported) {
    write_bytes(folder / "img.jpg", bmp_file(1, 1, {RED}));
    fs::create_directories(folder / "out.cpp");  // the name is taken by a folder
    const auto result = run();
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_TRUE(any_box_says(result, "could not be written"));
    EXPECT_FALSE(any_box_says(result, "done!"));
    EXPECT_TRUE(fs::is_directory(folder / "out.cpp"));
}

} // namespace
