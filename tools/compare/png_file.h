// Reading and writing RGBA pictures through libpng, for the comparison tool.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace compare {

// A picture as 8-bit R, G, B, A bytes per pixel, rows from the top.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;

    const std::uint8_t* at(int x, int y) const { return &rgba[(static_cast<std::size_t>(y) * width + x) * 4]; }
    std::uint8_t* at(int x, int y) { return &rgba[(static_cast<std::size_t>(y) * width + x) * 4]; }
};

// Reads any PNG as RGBA; false (with a reason in error) when it cannot.
bool read_png(const std::string& path, Picture& picture, std::string& error);

// Writes an RGBA PNG; false when it cannot.
bool write_png(const std::string& path, const Picture& picture);

} // namespace compare
