#include "source_writer.h"

#include <filesystem>
#include <string>
#include <system_error>

namespace {

// Every formatted piece fits: the longest is the loop text with two 10-digit numbers (120 bytes).
constexpr size_t LINE_SIZE = 128;

class SourceText {
public:
    explicit SourceText(FILE* stream) : stream_(stream) {}

    void put(const char* text) {
        if (fputs(text, stream_) < 0) ok_ = false;
    }
    template <typename... Args>
    void format(const char* pattern, Args... args) {
        if (sprintf_s(line_, LINE_SIZE, pattern, args...) < 0) ok_ = false;
        put(line_);
    }
    // Moves the write position back over the last stored byte.
    void step_back() {
        if (fseek(stream_, -1, SEEK_CUR) != 0) ok_ = false;
    }
    bool ok() const { return ok_ && !ferror(stream_); }

private:
    FILE* stream_;
    char line_[LINE_SIZE] = {};
    bool ok_ = true;
};

} // namespace

bool write_source(FILE* stream, int width, int height, const PixelReader& pixel) {
    SourceText text(stream);
    text.format("int nImgInfo[%d][%d] = {\n", width, height);
    for (int x = 0; x < width; x++) {
        text.put("{");
        for (int y = 0; y < height; y++) text.format(" %d,", static_cast<int>(pixel(x, y)));
        text.step_back();
        text.put("},\n");
    }
    text.step_back();
    text.put("};\n");
    text.put("\n");
    text.format("for (int x = 0; x < %d; x++)\n{\n\tfor (int y = 0; y < %d; y++)\n\t{\n\t\tputpixel(x, y, nImgInfo[x][y]);\n\t}\n}\n",
                width, height);
    return text.ok();
}

namespace {

// The rename below would replace a file that the user has made read-only (and, for a privileged
// user, one that cannot be opened for writing): refuse what could not be written in place.
bool may_replace(const char* path) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error || status.type() == std::filesystem::file_type::not_found) return true;
    if (status.type() != std::filesystem::file_type::regular) return false;
    if ((status.permissions() & std::filesystem::perms::owner_write) == std::filesystem::perms::none) return false;
    FILE* existing = nullptr;
    if (fopen_s(&existing, path, "r+b") != 0 || !existing) return false;
    fclose(existing);
    return true;
}

} // namespace

bool write_source_file(const char* path, int width, int height, const PixelReader& pixel) {
    if (!may_replace(path)) return false;
    const std::string temporary = std::string(path) + ".part";
    FILE* stream = nullptr;
    if (fopen_s(&stream, temporary.c_str(), "wt+") != 0 || !stream) return false;
    bool written = write_source(stream, width, height, pixel);
    // Closing writes out what the stream still buffers; a full disk shows here.
    if (fclose(stream) != 0) written = false;
    std::error_code error;
    if (written) {
        std::filesystem::rename(temporary, path, error);
        if (!error) return true;
    }
    std::filesystem::remove(temporary, error);
    return false;
}
