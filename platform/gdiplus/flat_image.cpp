// Pictures: decoding from a stream, making one from a device-independent bitmap, their size,
// and disposal.
#include <cstring>
#include <new>
#include <vector>

#include "decoders.h"
#include "flat_api.h"
#include "picture.h"
#include "stream_bytes.h"

namespace layer::gdiplus {

namespace {

Status status_of(DecodeResult result) {
    switch (result) {
    case DecodeResult::ok: return Ok;
    case DecodeResult::out_of_memory:
    case DecodeResult::too_large: return OutOfMemory;
    case DecodeResult::unknown_format:
    case DecodeResult::corrupt: break;
    }
    // The reference answers every undecodable stream with the generic error.
    return GenericError;
}

Picture* publish(Raster&& raster, IStream* source) {
    auto* picture = new (std::nothrow) Picture{std::move(raster), source};
    if (!picture) return nullptr;
    if (source) source->AddRef();
    live_pictures().add(picture);
    return picture;
}

// The header and colour table of a BITMAPINFO, read only as far as its own fields reach.
Bytes dib_header_of(const BITMAPINFO* info) {
    const auto* start = reinterpret_cast<const std::uint8_t*>(info);
    DWORD header_size = 0;
    std::memcpy(&header_size, start, sizeof header_size);
    if (header_size < 12 || header_size > 124) return {};
    std::size_t known = header_size;
    if (header_size == 40 && info->bmiHeader.biCompression == BI_BITFIELDS) known += 12;
    const std::size_t whole = dib_header_bytes(Bytes(start, known));
    if (whole == 0) return {};
    return Bytes(start, whole);
}

} // namespace

Status WINAPI GdipLoadImageFromStream(IStream* stream, GpImage** image) {
    if (!stream || !image) return InvalidParameter;
    try {
        std::vector<std::uint8_t> bytes;
        const Status read = read_stream(stream, bytes);
        if (read != Ok) return read;
        Raster raster;
        const DecodeResult result = decode_picture(bytes, raster);
        if (result != DecodeResult::ok) return status_of(result);
        Picture* picture = publish(std::move(raster), stream);
        if (!picture) return OutOfMemory;
        *image = picture;
        return Ok;
    } catch (const std::bad_alloc&) {
        return OutOfMemory;
    }
}

Status WINAPI GdipGetImageWidth(GpImage* image, UINT* width) {
    if (!image || !width || !live_pictures().contains(image)) return InvalidParameter;
    *width = static_cast<UINT>(image->raster.width);
    return Ok;
}

Status WINAPI GdipGetImageHeight(GpImage* image, UINT* height) {
    if (!image || !height || !live_pictures().contains(image)) return InvalidParameter;
    *height = static_cast<UINT>(image->raster.height);
    return Ok;
}

Status WINAPI GdipDisposeImage(GpImage* image) {
    if (!image || !live_pictures().remove(image)) return InvalidParameter;
    if (image->source) image->source->Release();
    delete image;
    return Ok;
}

Status WINAPI GdipCreateBitmapFromGdiDib(const BITMAPINFO* info, void* bits, GpBitmap** bitmap) {
    if (!info || !bits || !bitmap) return InvalidParameter;
    const Bytes header = dib_header_of(info);
    if (header.empty()) return InvalidParameter;
    const std::size_t pixel_bytes = dib_pixel_bytes(header);
    if (pixel_bytes == 0) return InvalidParameter;
    try {
        Raster raster;
        // The caller's bits are copied: the picture does not depend on them afterwards.
        const DecodeResult result =
            decode_dib_parts(header, Bytes(static_cast<const std::uint8_t*>(bits), pixel_bytes), raster);
        if (result != DecodeResult::ok) return result == DecodeResult::too_large ? OutOfMemory : InvalidParameter;
        Picture* picture = publish(std::move(raster), nullptr);
        if (!picture) return OutOfMemory;
        *bitmap = picture;
        return Ok;
    } catch (const std::bad_alloc&) {
        return OutOfMemory;
    }
}

} // namespace layer::gdiplus
