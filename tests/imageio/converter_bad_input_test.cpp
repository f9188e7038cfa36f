// The converter given what is not a readable picture as img.jpg: it says that no picture could
// be read, ends with status 1 and leaves an earlier out.cpp as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "process_runner.h"

namespace fs = std::filesystem;

namespace {

std::string read_bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

struct Input {
    const char* what;
    const char* fixture; // copied as img.jpg; null: img.jpg is a folder
};

void PrintTo(const Input& input, std::ostream* out) { *out << input.what; }

class ConverterBadInput : public testing::TestWithParam<Input> {
protected:
    void SetUp() override {
        folder_ = fs::absolute(fs::temp_directory_path() / (std::string("pellux_bad_input_") + GetParam().what));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    fs::path folder_;
};

TEST_P(ConverterBadInput, ReportsThatNoPictureCouldBeRead) {
    const Input& input = GetParam();
    if (input.fixture)
        fs::copy_file(fs::path("fixtures") / input.fixture, folder_ / "img.jpg");
    else
        fs::create_directories(folder_ / "img.jpg");
    std::ofstream(folder_ / "out.cpp", std::ios::binary) << "earlier";

    const ProcessResult result = run_process(CONVERTER_PATH, folder_.string());
    EXPECT_EQ(result.exit_status, 1);
    bool told = false;
    for (const std::string& text : result.message_boxes) told = told || text.find("No picture could be read") != std::string::npos;
    EXPECT_TRUE(told);
    EXPECT_EQ(read_bytes(folder_ / "out.cpp"), "earlier");
}

INSTANTIATE_TEST_SUITE_P(Cases, ConverterBadInput,
                         testing::Values(Input{"truncated_jpeg", "truncated.jpg"}, Input{"truncated_png", "truncated.png"},
                                         Input{"random_bytes", "random.bin"}, Input{"huge_png", "huge.png"},
                                         Input{"huge_bmp", "huge.bmp"}, Input{"huge_gif", "huge.gif"},
                                         Input{"folder", nullptr}),
                         [](const testing::TestParamInfo<Input>& info) { return std::string(info.param.what); });

} // namespace
