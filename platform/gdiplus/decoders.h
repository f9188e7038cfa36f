// Picture decoders, one per format, and the choice among them by the bytes themselves.
#pragma once

#include <optional>

#include "raster.h"

namespace layer::gdiplus {

enum class DecodeResult {
    ok,
    unknown_format, // no decoder recognises the bytes
    too_large,      // the header declares a picture past the size limits
    corrupt,        // recognised, but truncated or damaged
    out_of_memory,
};

enum class PictureFormat { unknown, bmp, png, jpeg, gif, tiff, ico, webp };

// The format that the leading bytes announce, whatever the file is called.
PictureFormat sniff_format(Bytes bytes);

// Decodes any supported format into raster; raster is untouched unless the result is ok.
DecodeResult decode_picture(Bytes bytes, Raster& raster);

DecodeResult decode_bmp(Bytes bytes, Raster& raster);
// A device-independent bitmap without its file header (the body of a BMP file, or an icon
// image, where icon says that the height is doubled and an AND mask follows the pixels).
DecodeResult decode_dib(Bytes bytes, Raster& raster, bool icon);
// A bitmap whose pixels are stored apart from its header and colour table, as a BITMAPINFO
// and its bits; dib_header_bytes and dib_pixel_bytes say how long each part is (0: unusable).
DecodeResult decode_dib_parts(Bytes header, Bytes pixels, Raster& raster);
std::size_t dib_header_bytes(Bytes header);
std::size_t dib_pixel_bytes(Bytes header);
DecodeResult decode_png(Bytes bytes, Raster& raster);
DecodeResult decode_jpeg(Bytes bytes, Raster& raster);
DecodeResult decode_gif(Bytes bytes, Raster& raster);
DecodeResult decode_tiff(Bytes bytes, Raster& raster);
DecodeResult decode_ico(Bytes bytes, Raster& raster);
DecodeResult decode_webp(Bytes bytes, Raster& raster);

} // namespace layer::gdiplus
