// A small self-contained PNG encoder (stored deflate blocks), so that the scene tool writes the
// same lossless files on every target without an image library.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace scenes {

// CRC-32 as PNG chunks use it; pass the previous result to continue over more bytes.
std::uint32_t crc32(const std::uint8_t* bytes, std::size_t size, std::uint32_t previous = 0);
// Adler-32 as the zlib stream inside a PNG uses it.
std::uint32_t adler32(const std::uint8_t* bytes, std::size_t size);

// Encodes width by height 32-bit pixel values (0x00RRGGBB, rows from the top, no gap) as an RGBA
// PNG. The spare top byte is kept in the alpha channel, inverted (alpha = 255 - spare), so that
// ordinary surfaces, whose spare byte is 0, look opaque and nothing of the surface is lost.
std::vector<std::uint8_t> encode_png(const std::uint32_t* pixels, int width, int height);

// Writes encode_png's result to path; false for an empty picture or when the file cannot be
// written completely.
bool write_png(const std::string& path, const std::uint32_t* pixels, int width, int height);

} // namespace scenes
