// Picture encoders, one per format that the module saves; each writes a whole file into memory.
#pragma once

#include <cstdint>
#include <vector>

#include "raster.h"

namespace layer::gdiplus {

using EncodedFile = std::vector<std::uint8_t>;

// Each returns false when the picture cannot be written in that format.
bool encode_bmp(const Raster& picture, EncodedFile& out);
bool encode_png(const Raster& picture, EncodedFile& out);
bool encode_jpeg(const Raster& picture, EncodedFile& out);
bool encode_gif(const Raster& picture, EncodedFile& out);
bool encode_tiff(const Raster& picture, EncodedFile& out);

} // namespace layer::gdiplus
