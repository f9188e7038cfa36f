// Writing and decoding JPEG files directly with libjpeg, for the benchmark's baseline.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes a width by height JPEG of a smooth, busy test picture.
bool write_test_jpeg(const std::string& path, int width, int height);

// Decodes path into 0x00RRGGBB pixels, rows from the top.
bool decode_jpeg(const std::string& path, int& width, int& height, std::vector<std::uint32_t>& pixels);
