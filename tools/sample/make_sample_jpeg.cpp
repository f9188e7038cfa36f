// Writes the sample picture that ./run.sh converts by default: a small colourful JPEG.
// Usage: make_sample_jpeg OUTPUT.jpg
#include <cmath>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

namespace {

constexpr int width = 64;
constexpr int height = 48;

// A gradient sky, a sun, and striped ground: enough colour and edges to see the conversion work.
void pixel(int x, int y, unsigned char* rgb) {
    const double sun = std::hypot(x - 46.0, y - 13.0);
    if (y >= 34) {
        const bool stripe = ((x + y) / 4) % 2 == 0;
        rgb[0] = stripe ? 40 : 90;
        rgb[1] = stripe ? 140 : 190;
        rgb[2] = 50;
    } else if (sun < 8.0) {
        rgb[0] = 255;
        rgb[1] = static_cast<unsigned char>(200 + sun * 5);
        rgb[2] = 40;
    } else {
        rgb[0] = static_cast<unsigned char>(30 + x);
        rgb[1] = static_cast<unsigned char>(90 + y * 2);
        rgb[2] = static_cast<unsigned char>(230 - y);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sample_jpeg OUTPUT.jpg\n");
        return 2;
    }
    std::FILE* file = std::fopen(argv[1], "wb");
    if (!file) {
        std::perror(argv[1]);
        return 1;
    }
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = width;
    info.image_height = height;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(width * 3);
    while (info.next_scanline < info.image_height) {
        for (int x = 0; x < width; ++x) pixel(x, static_cast<int>(info.next_scanline), &row[x * 3]);
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return std::fclose(file) == 0 ? 0 : 1;
}
