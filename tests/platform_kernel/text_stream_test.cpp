// Runtime streams in text and binary mode: what is stored, what is read back, and positions
// counted in stored bytes.
#include "kernel_test_support.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <vector>

using namespace kernel_test;

namespace {

class TextStream : public testing::Test {
protected:
    FILE* open(const std::string& name, const char* mode) {
        FILE* stream = nullptr;
        EXPECT_EQ(fopen_s(&stream, folder.narrow(name).c_str(), mode), 0) << name << " " << mode;
        return stream;
    }
    std::string stored(const std::string& name) const { return read_bytes(folder.path(name)); }

    TempFolder folder;
};

// The converter's pieces, written exactly as it writes them.
void write_source(FILE* stream, int width, int height, const std::vector<int>& columns_of_values) {
    char line[128] = {};
    sprintf_s(line, 128, "int nImgInfo[%d][%d] = {\n", width, height);
    fputs(line, stream);
    for (int x = 0; x < width; x++) {
        fputs("{", stream);
        for (int y = 0; y < height; y++) {
            sprintf_s(line, 128, " %d,", columns_of_values[static_cast<size_t>(x * height + y)]);
            fputs(line, stream);
        }
        fseek(stream, -1, SEEK_CUR);
        fputs("},\n", stream);
    }
    fseek(stream, -1, SEEK_CUR);
    fputs("};\n", stream);
    fputs("\n", stream);
    sprintf_s(line, 128, "for (int x = 0; x < %d; x++)\n{\n\tfor (int y = 0; y < %d; y++)\n\t{\n\t\tputpixel(x, y, nImgInfo[x][y]);\n\t}\n}\n",
              width, height);
    fputs(line, stream);
}

const char* const loops_2x2 = "for (int x = 0; x < 2; x++)\r\n{\r\n\tfor (int y = 0; y < 2; y++)\r\n\t{\r\n"
                              "\t\tputpixel(x, y, nImgInfo[x][y]);\r\n\t}\r\n}\r\n";

struct SourceCase {
    const char* name;
    int width;
    int height;
    std::vector<int> values;
    std::string expected;
};

class ConverterOutput : public TextStream, public testing::WithParamInterface<SourceCase> {};

TEST_P(ConverterOutput, IsStoredByteForByte) {
    const SourceCase& c = GetParam();
    FILE* stream = open("out.cpp", "wt+");
    ASSERT_NE(stream, nullptr);
    write_source(stream, c.width, c.height, c.values);
    ASSERT_EQ(fclose(stream), 0);
    EXPECT_EQ(stored("out.cpp"), c.expected);
    EXPECT_EQ(stored("out.cpp").size(), c.expected.size());
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, ConverterOutput,
    testing::Values(
        SourceCase{"two_by_two", 2, 2, {255, 65280, 16711680, 16777215},
                   std::string("int nImgInfo[2][2] = {\r\n{ 255, 65280},\r\n{ 16711680, 16777215},\r};\r\n\r\n") + loops_2x2},
        SourceCase{"one_red_pixel", 1, 1, {255},
                   "int nImgInfo[1][1] = {\r\n{ 255},\r};\r\n\r\nfor (int x = 0; x < 1; x++)\r\n{\r\n\tfor (int y = 0; y < 1; y++)\r\n"
                   "\t{\r\n\t\tputpixel(x, y, nImgInfo[x][y]);\r\n\t}\r\n}\r\n"},
        SourceCase{"no_picture", 0, 0, {},
                   "int nImgInfo[0][0] = {\r};\r\n\r\nfor (int x = 0; x < 0; x++)\r\n{\r\n\tfor (int y = 0; y < 0; y++)\r\n"
                   "\t{\r\n\t\tputpixel(x, y, nImgInfo[x][y]);\r\n\t}\r\n}\r\n"}),
    [](const testing::TestParamInfo<SourceCase>& info) { return std::string(info.param.name); });

TEST(ConverterOutputSizes, MatchTheWorkedExamples) {
    // The sizes the examples give, independently of the texts above.
    const std::string two_by_two = std::string("int nImgInfo[2][2] = {\r\n{ 255, 65280},\r\n{ 16711680, 16777215},\r};\r\n\r\n") + loops_2x2;
    EXPECT_EQ(two_by_two.size(), 177u);
}

TEST_F(TextStream, TextModeStoresLineFeedsAsCarriageReturnLineFeed) {
    FILE* stream = open("t.txt", "w");
    ASSERT_NE(stream, nullptr);
    fputs("a\nb\r\n\n", stream);
    fputc('\n', stream);
    fclose(stream);
    EXPECT_EQ(stored("t.txt"), "a\r\nb\r\r\n\r\n\r\n");
}

TEST_F(TextStream, DefaultModeIsTextAndBinaryModeStoresBytesAsGiven) {
    FILE* text = open("default.txt", "w");
    FILE* binary = open("binary.txt", "wb");
    ASSERT_NE(text, nullptr);
    ASSERT_NE(binary, nullptr);
    fputs("x\ny\n", text);
    fputs("x\ny\n", binary);
    fclose(text);
    fclose(binary);
    EXPECT_EQ(stored("default.txt"), "x\r\ny\r\n");
    EXPECT_EQ(stored("binary.txt"), "x\ny\n");
}

TEST_F(TextStream, TextModeReadsCarriageReturnLineFeedBackAsLineFeed) {
    write_bytes(folder.path("in.txt"), "one\r\ntwo\rthree\r\r\nend\r");
    FILE* stream = open("in.txt", "rt");
    ASSERT_NE(stream, nullptr);
    std::string text;
    for (int c; (c = fgetc(stream)) != EOF;) text += static_cast<char>(c);
    fclose(stream);
    // A CR without an LF after it stays, also at the very end.
    EXPECT_EQ(text, "one\ntwo\rthree\r\nend\r");
}

TEST_F(TextStream, BinaryReadSeesTheStoredBytes) {
    write_bytes(folder.path("in.txt"), "a\r\nb");
    FILE* stream = open("in.txt", "rb");
    ASSERT_NE(stream, nullptr);
    char buffer[16] = {};
    EXPECT_EQ(fread(buffer, 1, sizeof buffer, stream), 4u);
    fclose(stream);
    EXPECT_EQ(std::string(buffer), "a\r\nb");
}

TEST_F(TextStream, ControlZEndsATextRead) {
    write_bytes(folder.path("z.txt"), std::string("ab\x1A" "cd"));
    FILE* stream = open("z.txt", "r");
    ASSERT_NE(stream, nullptr);
    char buffer[16] = {};
    EXPECT_EQ(fread(buffer, 1, sizeof buffer, stream), 2u);
    EXPECT_TRUE(feof(stream));
    fclose(stream);
    EXPECT_EQ(std::string(buffer), "ab");
}

TEST_F(TextStream, StepBackMovesOneStoredByteAndOverwritingExtendsTheFile) {
    FILE* stream = open("s.txt", "w+");
    ASSERT_NE(stream, nullptr);
    fputs("ab\n", stream);                // stored: a b CR LF
    EXPECT_EQ(fseek(stream, -1, SEEK_CUR), 0); // between CR and LF
    EXPECT_EQ(ftell(stream), 3);
    fputs("XYZ", stream);
    fclose(stream);
    EXPECT_EQ(stored("s.txt"), "ab\rXYZ");
}

TEST_F(TextStream, PositionsCountStoredBytesAlsoWhileOutputIsBuffered) {
    FILE* stream = open("p.txt", "w");
    ASSERT_NE(stream, nullptr);
    fputs("a\nb\n", stream);
    EXPECT_EQ(ftell(stream), 6);
    fputs("c", stream);
    EXPECT_EQ(ftell(stream), 7);
    fflush(stream);
    EXPECT_EQ(ftell(stream), 7);
    fclose(stream);
}

TEST_F(TextStream, AppendModeAddsAtTheEndInTextForm) {
    write_bytes(folder.path("log.txt"), "old\r\n");
    FILE* stream = open("log.txt", "a");
    ASSERT_NE(stream, nullptr);
    fputs("new\n", stream);
    fclose(stream);
    EXPECT_EQ(stored("log.txt"), "old\r\nnew\r\n");
}

TEST_F(TextStream, PositionsTakenWhileReadingLeadBackToTheSameLines) {
    // Long enough to cross the stream's buffer several times, with CR LF everywhere.
    std::string content;
    std::vector<std::string> lines;
    for (int i = 0; i < 3000; ++i) {
        lines.push_back("line " + std::to_string(i) + std::string(static_cast<size_t>(i % 17), '.'));
        content += lines.back() + "\r\n";
    }
    write_bytes(folder.path("lines.txt"), content);
    FILE* stream = open("lines.txt", "r");
    ASSERT_NE(stream, nullptr);
    std::vector<long> starts;
    char buffer[64];
    for (;;) {
        const long at = ftell(stream);
        if (!fgets(buffer, sizeof buffer, stream)) break;
        starts.push_back(at);
    }
    ASSERT_EQ(starts.size(), lines.size());
    EXPECT_EQ(starts[1], static_cast<long>(lines[0].size() + 2));
    // Back and forth through the file, to each line by its position.
    for (size_t k = 0; k < lines.size(); k += 97) {
        for (size_t i : {lines.size() - 1 - k, k}) {
            ASSERT_EQ(fseek(stream, starts[i], SEEK_SET), 0);
            ASSERT_NE(fgets(buffer, sizeof buffer, stream), nullptr);
            EXPECT_EQ(std::string(buffer), lines[i] + "\n") << "line " << i;
            EXPECT_EQ(ftell(stream), i + 1 < starts.size() ? starts[i + 1] : static_cast<long>(content.size()));
        }
    }
    fclose(stream);
}

TEST_F(TextStream, AbsoluteSeeksLandOnStoredBytesAtBufferBoundaries) {
    // CR LF pairs right on the block boundaries that stream buffers use.
    std::string content;
    for (int i = 0; i < 20000; ++i) content += static_cast<char>('a' + i % 26);
    for (size_t boundary : {4096u, 8192u, 12288u, 16384u}) content.replace(boundary, 2, "\r\n");
    write_bytes(folder.path("blocks.txt"), content);
    FILE* stream = open("blocks.txt", "r");
    ASSERT_NE(stream, nullptr);
    for (long boundary : {4096L, 8192L, 12288L, 16384L}) {
        for (long at = boundary - 1; at <= boundary + 3; ++at) {
            // Reading from the middle of a CR LF pair gives the LF by itself.
            const bool pair = content[static_cast<size_t>(at)] == '\r' && content[static_cast<size_t>(at) + 1] == '\n';
            const int expected = pair ? '\n' : content[static_cast<size_t>(at)];
            getc(stream); // something in the buffer, as in real use
            ASSERT_EQ(fseek(stream, at, SEEK_SET), 0);
            EXPECT_EQ(getc(stream), expected) << "at " << at;
            EXPECT_EQ(ftell(stream), at + (pair ? 2 : 1)) << "at " << at;
        }
    }
    fclose(stream);
}

TEST_F(TextStream, ReopenedTextStreamKeepsTranslating) {
    FILE* stream = open("one.txt", "w");
    ASSERT_NE(stream, nullptr);
    fputs("1\n", stream);
    FILE* reopened = nullptr;
    ASSERT_EQ(_wfreopen_s(&reopened, W(folder.wide("two.txt")), W(u"w"), stream), 0);
    EXPECT_EQ(reopened, stream);
    fputs("2\n", reopened);
    fclose(reopened);
    EXPECT_EQ(stored("one.txt"), "1\r\n");
    EXPECT_EQ(stored("two.txt"), "2\r\n");
}

TEST_F(TextStream, ReadingAndWritingMixWithSeeksInBetween) {
    FILE* stream = open("rw.txt", "w+");
    ASSERT_NE(stream, nullptr);
    fputs("first\nsecond\n", stream);
    ASSERT_EQ(fseek(stream, 0, SEEK_SET), 0);
    char buffer[32] = {};
    ASSERT_NE(fgets(buffer, sizeof buffer, stream), nullptr);
    EXPECT_EQ(std::string(buffer), "first\n");
    EXPECT_EQ(ftell(stream), 7);
    ASSERT_EQ(fseek(stream, 0, SEEK_CUR), 0);
    fputs("SECOND\n", stream);
    ASSERT_EQ(fseek(stream, 0, SEEK_END), 0);
    EXPECT_EQ(ftell(stream), 15);
    fclose(stream);
    EXPECT_EQ(stored("rw.txt"), "first\r\nSECOND\r\n");
}

TEST_F(TextStream, WritingModeReplacesAnExistingFileEntirely) {
    write_bytes(folder.path("old.txt"), std::string(1000, 'o'));
    FILE* stream = open("old.txt", "wt+");
    ASSERT_NE(stream, nullptr);
    fputs("x\n", stream);
    fclose(stream);
    EXPECT_EQ(stored("old.txt"), "x\r\n");
}

TEST(TextStreamExit, ContentIsWrittenOutAtProcessExitWithoutClose) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // The child process may be a new run of this program, so the file has a fixed name.
    const auto path = std::filesystem::temp_directory_path() / "pellux-kernel-exit-flush.txt";
    std::filesystem::remove(path);
    const std::string name = path.string();
    EXPECT_EXIT(
        {
            FILE* stream = nullptr;
            if (fopen_s(&stream, name.c_str(), "w") != 0) std::exit(2);
            fputs("kept\n", stream);
            std::exit(0);
        },
        testing::ExitedWithCode(0), "");
    EXPECT_EQ(read_bytes(path), "kept\r\n");
    std::filesystem::remove(path);
}

TEST_F(TextStream, WideOpenUsesWidePathAndMode) {
    FILE* stream = nullptr;
    ASSERT_EQ(_wfopen_s(&stream, W(folder.wide("wide.txt")), W(u"wt")), 0);
    ASSERT_NE(stream, nullptr);
    fputs("w\n", stream);
    fclose(stream);
    EXPECT_EQ(stored("wide.txt"), "w\r\n");
}

TEST_F(TextStream, ReopenKeepsTheStreamObject) {
    FILE* stream = open("first.txt", "wb");
    ASSERT_NE(stream, nullptr);
    FILE* reopened = nullptr;
    ASSERT_EQ(_wfreopen_s(&reopened, W(folder.wide("second.txt")), W(u"wb"), stream), 0);
    EXPECT_EQ(reopened, stream);
    fputs("to second", reopened);
    fclose(reopened);
    EXPECT_EQ(stored("second.txt"), "to second");
    EXPECT_EQ(stored("first.txt"), "");
}

TEST_F(TextStream, ReopenOntoTheNullDeviceSwallowsOutput) {
    FILE* stream = open("before.txt", "w");
    ASSERT_NE(stream, nullptr);
    FILE* reopened = nullptr;
    ASSERT_EQ(_wfreopen_s(&reopened, W(u"NUL"), W(u"w"), stream), 0);
    EXPECT_EQ(reopened, stream);
    EXPECT_GE(fputs("gone", reopened), 0);
    EXPECT_EQ(fclose(reopened), 0);
}

struct OpenFailure {
    const char* name;
    const char* file;
    const char* mode;
    int error;
};

class OpenFailures : public TextStream, public testing::WithParamInterface<OpenFailure> {};

TEST_P(OpenFailures, ReportTheRuntimeLibrarysErrorNumber) {
    const OpenFailure& c = GetParam();
    std::filesystem::create_directories(folder.path("folder"));
    FILE* stream = reinterpret_cast<FILE*>(&stream); // must be cleared
    const std::string path = folder.narrow(c.file);
    EXPECT_EQ(fopen_s(&stream, path.c_str(), c.mode), c.error);
    EXPECT_EQ(stream, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Cases, OpenFailures,
                         testing::Values(OpenFailure{"missing_file", "missing.txt", "r", ENOENT},
                                         OpenFailure{"missing_folder", "nowhere/file.txt", "w", ENOENT},
                                         OpenFailure{"folder_for_writing", "folder", "w", EACCES},
                                         OpenFailure{"folder_for_reading", "folder", "r", EACCES},
                                         OpenFailure{"empty_mode", "x.txt", "", EINVAL},
                                         OpenFailure{"unknown_mode", "x.txt", "q", EINVAL}),
                         [](const testing::TestParamInfo<OpenFailure>& info) { return std::string(info.param.name); });

TEST_F(TextStream, ReadOnlyFileRefusesWriting) {
    if (!read_only_is_enforced(folder)) GTEST_SKIP() << "read-only files are writable here";
    write_bytes(folder.path("ro.txt"), "keep");
    make_read_only(folder.path("ro.txt"));
    FILE* stream = nullptr;
    EXPECT_EQ(fopen_s(&stream, folder.narrow("ro.txt").c_str(), "w"), EACCES);
    EXPECT_EQ(stream, nullptr);
    EXPECT_EQ(stored("ro.txt"), "keep");
    ASSERT_EQ(fopen_s(&stream, folder.narrow("ro.txt").c_str(), "r"), 0);
    fclose(stream);
}

TEST(OpenArguments, MissingArgumentsAreInvalid) {
    FILE* stream = nullptr;
    EXPECT_EQ(fopen_s(nullptr, "x", "r"), EINVAL);
    EXPECT_EQ(fopen_s(&stream, nullptr, "r"), EINVAL);
    EXPECT_EQ(fopen_s(&stream, "x", nullptr), EINVAL);
    EXPECT_EQ(stream, nullptr);
}

} // namespace
