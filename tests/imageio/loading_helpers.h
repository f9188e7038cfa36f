// Helpers shared by the picture-loading tests: wide paths, fixture paths, and looking at an
// image's pixels.
#pragma once

#include <string>
#include <vector>

#include "graphics.h"
#include "patterns.h"

namespace imageio_test {

inline std::u16string widen(const std::string& text) { return std::u16string(text.begin(), text.end()); }

// The fixture files are copied beside the test program's working folder.
inline std::u16string fixture_path(const std::string& name) { return widen("fixtures/" + name); }

inline const WCHAR* w(const std::u16string& text) { return Pellux::wide(text.c_str()); }

inline std::vector<DWORD> pixels_of(const IMAGE& image) {
    if (!image.buffer) return {};
    return std::vector<DWORD>(image.buffer, image.buffer + image.width * image.height);
}

// Fills an image with a value no picture in the fixtures holds, to see what a load changes.
constexpr DWORD marker = 0x00C0FFEE;
inline void fill_marker(IMAGE& image) {
    for (int i = 0; i < image.width * image.height; ++i) image.buffer[i] = marker;
}

// The colour of pixel (x, y) of an image, without the fourth byte.
inline DWORD rgb_at(const IMAGE& image, int x, int y) { return image.buffer[y * image.width + x] & 0xFFFFFF; }

} // namespace imageio_test
