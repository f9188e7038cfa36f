// Caller-side DIB buffers (GetDIBits, SetDIBits, packed DIBs): their layout from a header.
#pragma once

#include "pixel_view.h"
#include "win32.h"

#include <cstdint>
#include <vector>

namespace layer::gdi {

struct DibFormat {
    int width = 0;
    int height = 0; // rows, always positive
    bool top_down = false;
    int bits = 0;
    PixelLayout layout = PixelLayout::xrgb32;
    std::ptrdiff_t row_bytes = 0;
    std::size_t image_bytes() const { return static_cast<std::size_t>(row_bytes) * static_cast<std::size_t>(height); }
};

// False for headers the layer does not read: compressed, bad sizes or bit counts.
bool dib_format(const BITMAPINFOHEADER& header, DibFormat& format);

// Entries in the colour table that follows a header of `bits` per pixel.
int color_table_entries(const BITMAPINFOHEADER& header);

// A view over caller memory in that format with the given colour table.
PixelView dib_view(void* bits, const DibFormat& format, const std::vector<std::uint32_t>& table);

// The colour table of a header (RGBQUAD entries, or DIB_PAL_COLORS indices into a palette).
std::vector<std::uint32_t> read_color_table(const BITMAPINFO& info, UINT usage,
                                            const std::vector<PALETTEENTRY>& palette);

// Copies pixels between two views of the same size, converting through RGB when the layouts differ.
void copy_pixels(const PixelView& from, const PixelView& to, int width, int height);

} // namespace layer::gdi
