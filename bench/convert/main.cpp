// Converter benchmark.
//
// Natively: converts a generated 4000 by 3000 JPEG with the converter program and, in the same
// run, a baseline that decodes the same file with libjpeg directly and writes the same text from
// the decoded pixels. Prints both times and their ratio.
// Everywhere: the cost per pixel of get_pixel through the window device, against reading the
// surface's buffer and against GetPixel on the surface's own device context.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "graph_state.h"
#include "graphics.h"
#include "source_writer.h"

#ifndef _WIN32
#include "jpeg_files.h"
#include "process_runner.h"
#endif

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

double seconds_since(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

template <typename Work>
double best_of(int runs, Work work) {
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        work();
        best = std::min(best, seconds_since(start));
    }
    return best;
}

void pixel_read_costs() {
    const int w = 1000, h = 1000;
    open_window(w, h, 0);
    volatile COLORREF sink = 0;
    const double device = best_of(3, [&] {
        for (int x = 0; x < w; ++x)
            for (int y = 0; y < h; ++y) sink = get_pixel(x, y);
    });
    const double platform = best_of(3, [&] {
        LibraryLock lock;
        for (int x = 0; x < w; ++x)
            for (int y = 0; y < h; ++y) sink = GetPixel(graph_state.window->dc, x, y);
    });
    const DWORD* buffer = get_pixel_buffer(nullptr);
    const double direct = best_of(3, [&] {
        for (int x = 0; x < w; ++x)
            for (int y = 0; y < h; ++y) sink = swap_red_blue(buffer[y * w + x]);
    });
    close_window();
    const double n = static_cast<double>(w) * h;
    std::printf("get_pixel through the window device: %.1f ns/pixel\n", device / n * 1e9);
    std::printf("GetPixel on the surface's DC:         %.1f ns/pixel\n", platform / n * 1e9);
    std::printf("reading the pixel buffer:             %.2f ns/pixel\n", direct / n * 1e9);
    std::printf("ratio device/GetPixel: %.2f\n", device / platform);
}

#ifndef _WIN32
std::string read_bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

int convert_benchmark() {
    const fs::path folder = fs::temp_directory_path() / "pellux_bench_convert";
    fs::remove_all(folder);
    fs::create_directories(folder);
    const int w = 4000, h = 3000;
    if (!write_test_jpeg((folder / "img.jpg").string(), w, h)) {
        std::fprintf(stderr, "cannot write the test picture\n");
        return 1;
    }

    int status = 0;
    const double converter = best_of(2, [&] { status = run_process(CONVERTER_PATH, folder.string(), 600000).exit_status; });
    if (status != 0) {
        std::fprintf(stderr, "the converter failed with status %d\n", status);
        return 1;
    }
    const double baseline = best_of(2, [&] {
        int dw = 0, dh = 0;
        std::vector<std::uint32_t> pixels;
        decode_jpeg((folder / "img.jpg").string(), dw, dh, pixels);
        write_source_file((folder / "baseline.cpp").string().c_str(), dw, dh,
                          [&](int x, int y) { return static_cast<COLORREF>(swap_red_blue(pixels[static_cast<size_t>(y) * dw + x])); });
    });
    const bool same = read_bytes(folder / "out.cpp") == read_bytes(folder / "baseline.cpp");
    std::printf("picture: %d x %d JPEG\n", w, h);
    std::printf("converter:                   %.3f s\n", converter);
    std::printf("baseline (decode and write): %.3f s\n", baseline);
    std::printf("ratio converter/baseline: %.2f (goal: at most 2)\n", converter / baseline);
    std::printf("outputs identical: %s\n", same ? "yes" : "no");
    fs::remove_all(folder);
    return 0;
}
#endif

} // namespace

int main() {
    int status = 0;
#ifndef _WIN32
    status = convert_benchmark();
#endif
    pixel_read_costs();
    return status;
}
