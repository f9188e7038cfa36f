// Making bitmaps: device-dependent bitmaps and DIB sections, with their pixel storage.
#pragma once

#include "objects.h"

#include <memory>

namespace layer::gdi {

// A device-dependent bitmap of 1, 4, 8, 16, 24 or 32 bits per pixel, rows padded to 16 bits,
// zero-filled; null when the size cannot be stored.
std::unique_ptr<Bitmap> make_device_bitmap(int width, int height, int bits);

// A DIB section for a BI_RGB header (or BI_BITFIELDS with the standard masks); null when the
// header is refused. DIB_PAL_COLORS tables index the given palette.
std::unique_ptr<Bitmap> make_dib_section(const BITMAPINFO& info, UINT usage,
                                         const std::vector<PALETTEENTRY>& palette);

// Bytes in a row of `width` pixels at `bits` per pixel, padded to `align` bytes; -1 on overflow.
std::ptrdiff_t padded_row_bytes(long long width, int bits, int align);

} // namespace layer::gdi
