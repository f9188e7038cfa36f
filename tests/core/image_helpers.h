// Small helpers shared by the image tests.
#pragma once

#include <vector>

#include "image.h"

// Distinct, recognisable pixel values.
inline void fill_pattern(IMAGE& image, DWORD seed = 0x010203) {
    for (int i = 0; i < image.width * image.height; ++i) image.buffer[i] = (seed * (i + 1) + 0x3F1E7u * i) & 0xFFFFFF;
}

inline std::vector<DWORD> pixels_of(const IMAGE& image) {
    if (!image.buffer) return {};
    return std::vector<DWORD>(image.buffer, image.buffer + image.width * image.height);
}
