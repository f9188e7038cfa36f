// Picture loading benchmark: a 4000 by 3000 JPEG loaded into an IMAGE through the library
// (file read, decode through the imaging module, surface made, picture drawn), against the same
// file decoded by libjpeg-turbo directly into a buffer, in the same run. Prints both times and
// their ratio; the best of several runs counts for each.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

// The library's header first: libjpeg's header defines TRUE and FALSE only where they are not
// names already.
#include "graphics.h"

#include <jpeglib.h>

#include "jpeg_files.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int width = 4000;
constexpr int height = 3000;

template <typename Work>
double timed(Work work) {
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The baseline: the whole file read into memory, decoded straight into 32-bit pixels.
bool decode_directly(const std::string& path, std::vector<unsigned char>& pixels) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    std::vector<unsigned char> bytes(static_cast<std::size_t>(fs::file_size(path)));
    const bool read = std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
    std::fclose(file);
    if (!read) return false;
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_EXT_BGRA;
    jpeg_start_decompress(&info);
    pixels.resize(static_cast<std::size_t>(info.output_width) * info.output_height * 4);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = pixels.data() + static_cast<std::size_t>(info.output_scanline) * info.output_width * 4;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

} // namespace

int main() {
    const fs::path path = fs::temp_directory_path() / "pellux_bench_load.jpg";
    if (!write_test_jpeg(path.string(), width, height)) {
        std::fprintf(stderr, "cannot write the test picture\n");
        return 1;
    }
    const std::u16string wide_path = path.u16string();
    constexpr int runs = 7;

    // The two alternate, so that a busy machine slows both alike; the best run of each counts.
    bool loaded = true;
    bool decoded = true;
    double library = 1e300;
    double direct = 1e300;
    for (int i = 0; i < runs; ++i) {
        library = std::min(library, timed([&] {
            IMAGE image;
            load_image(&image, Pellux::wide(wide_path.c_str()));
            loaded = loaded && image.width == width && image.height == height;
        }));
        direct = std::min(direct, timed([&] {
            std::vector<unsigned char> pixels;
            decoded = decoded && decode_directly(path.string(), pixels);
        }));
    }
    fs::remove(path);
    if (!loaded || !decoded) {
        std::fprintf(stderr, "the picture did not load\n");
        return 1;
    }
    std::printf("picture: %d x %d JPEG, best of %d runs\n", width, height, runs);
    std::printf("load_image into an IMAGE:        %.3f s\n", library);
    std::printf("libjpeg-turbo decode into memory: %.3f s\n", direct);
    std::printf("ratio load/decode: %.2f (goal: at most 1.3)\n", library / direct);
    return 0;
}
