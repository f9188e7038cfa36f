#include <algorithm>
#include <cstring>
#include <new>

#include "decoders.h"

namespace layer::gdiplus {

namespace {

bool starts_with(Bytes bytes, const char* prefix, std::size_t length) {
    return bytes.size() >= length && std::memcmp(bytes.data(), prefix, length) == 0;
}

} // namespace

PictureFormat sniff_format(Bytes bytes) {
    if (starts_with(bytes, "\x89PNG\r\n\x1a\n", 8)) return PictureFormat::png;
    if (starts_with(bytes, "\xFF\xD8\xFF", 3)) return PictureFormat::jpeg;
    if (starts_with(bytes, "GIF87a", 6) || starts_with(bytes, "GIF89a", 6)) return PictureFormat::gif;
    if (starts_with(bytes, "II*\0", 4) || starts_with(bytes, "MM\0*", 4)) return PictureFormat::tiff;
    if (starts_with(bytes, "BM", 2) && bytes.size() >= 18) return PictureFormat::bmp;
    if (starts_with(bytes, "RIFF", 4) && bytes.size() >= 12 && std::memcmp(bytes.data() + 8, "WEBP", 4) == 0)
        return PictureFormat::webp;
    // An icon directory: reserved 0, type 1, at least one entry.
    if (bytes.size() >= 6 && bytes[0] == 0 && bytes[1] == 0 && bytes[2] == 1 && bytes[3] == 0 &&
        (bytes[4] | bytes[5]) != 0)
        return PictureFormat::ico;
    return PictureFormat::unknown;
}

DecodeResult decode_picture(Bytes bytes, Raster& raster) {
    try {
        switch (sniff_format(bytes)) {
        case PictureFormat::bmp: return decode_bmp(bytes, raster);
        case PictureFormat::png: return decode_png(bytes, raster);
        case PictureFormat::jpeg: return decode_jpeg(bytes, raster);
        case PictureFormat::gif: return decode_gif(bytes, raster);
        case PictureFormat::tiff: return decode_tiff(bytes, raster);
        case PictureFormat::ico: return decode_ico(bytes, raster);
        case PictureFormat::webp: return decode_webp(bytes, raster);
        case PictureFormat::unknown: break;
        }
    } catch (const std::bad_alloc&) {
        // A picture within the limits that still does not fit in memory: a status, not a crash
        // of the caller, as the imaging library reports it.
        return DecodeResult::out_of_memory;
    }
    return DecodeResult::unknown_format;
}

} // namespace layer::gdiplus
