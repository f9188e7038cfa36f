// Copies of bitmap pixels that pattern brushes and pens keep from their creation on.
#pragma once

#include "objects.h"

#include <memory>

namespace layer::gdi {

// From a bitmap: monochrome device bitmaps keep their bits (painted in the DC's colours),
// others their colours. Null for an empty bitmap.
std::shared_ptr<const BrushPattern> pattern_from_bitmap(const Bitmap& bitmap);

// From a packed DIB (header, colour table, pixels); null when the header is not readable.
std::shared_ptr<const BrushPattern> pattern_from_packed_dib(const void* packed, UINT usage,
                                                            const std::vector<PALETTEENTRY>& palette);

} // namespace layer::gdi
