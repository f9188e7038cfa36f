// Colour values: COLORREF arguments (0x00BBGGRR, palette forms) and pixel values (0x00RRGGBB).
#pragma once

#include "win32.h"

#include <cstdint>
#include <vector>

namespace layer::gdi {

// Exchanges red and blue: COLORREF to pixel value and back; the top byte is dropped.
constexpr std::uint32_t swap_red_blue(std::uint32_t v) {
    return ((v & 0xFFu) << 16) | (v & 0xFF00u) | ((v >> 16) & 0xFFu);
}

// The 20 entries of the default logical palette.
const std::vector<PALETTEENTRY>& default_palette_entries();

// A COLORREF argument as plain RGB (0x00BBGGRR): RGB and PALETTERGB values keep their colour,
// PALETTEINDEX values take the entry of the given palette (entry 0 past its end), and any other
// top byte gives black, as the platform does.
COLORREF resolve_color(COLORREF color, const std::vector<PALETTEENTRY>& palette);

// The colour table the platform reports for a bitmap of 1, 4 or 8 bits per pixel that has none
// of its own: black and white, the 16 standard colours, or the 256-colour default table.
// Entries are pixel values (0x00RRGGBB).
std::vector<std::uint32_t> default_color_table(int bits_per_pixel);

// The index of the entry closest to a pixel value (squared distance; the first on ties).
int nearest_color_index(const std::uint32_t* table, int count, std::uint32_t pixel);

} // namespace layer::gdi
