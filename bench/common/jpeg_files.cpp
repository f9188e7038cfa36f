#include "jpeg_files.h"

#include <cstdio>
#include <jpeglib.h>

bool write_test_jpeg(const std::string& path, int width, int height) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(static_cast<size_t>(width) * 3);
    while (info.next_scanline < info.image_height) {
        const int y = static_cast<int>(info.next_scanline);
        for (int x = 0; x < width; ++x) {
            row[x * 3 + 0] = static_cast<JSAMPLE>((x * 255) / width);
            row[x * 3 + 1] = static_cast<JSAMPLE>((y * 255) / height);
            row[x * 3 + 2] = static_cast<JSAMPLE>(((x ^ y) * 7) & 0xFF);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return std::fclose(file) == 0;
}

bool decode_jpeg(const std::string& path, int& width, int& height, std::vector<std::uint32_t>& pixels) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_EXT_BGRX;  // lands as 0x00RRGGBB words on little-endian machines
    jpeg_start_decompress(&info);
    width = static_cast<int>(info.output_width);
    height = static_cast<int>(info.output_height);
    pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    while (info.output_scanline < info.output_height) {
        JSAMPROW rows[1] = {reinterpret_cast<JSAMPROW>(&pixels[static_cast<size_t>(info.output_scanline) * width])};
        jpeg_read_scanlines(&info, rows, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(file);
    for (auto& p : pixels) p &= 0xFFFFFF;
    return true;
}
