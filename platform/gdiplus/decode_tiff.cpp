// TIFF through libtiff's RGBA interface, which reads every photometric kind and sample layout
// it knows; the first directory is the picture. libtiff hands back premultiplied colours for
// pictures with an alpha channel, which are turned back into straight ones here.
#include <cstring>

#include <tiffio.h>

#include "decoders.h"
#include "picture_limits.h"

namespace layer::gdiplus {

namespace {

struct MemoryFile {
    Bytes bytes;
    toff_t position;
};

tsize_t read_proc(thandle_t handle, tdata_t out, tsize_t count) {
    auto* file = static_cast<MemoryFile*>(handle);
    if (count <= 0 || file->position >= file->bytes.size()) return 0;
    const toff_t left = file->bytes.size() - file->position;
    const toff_t n = static_cast<toff_t>(count) < left ? static_cast<toff_t>(count) : left;
    std::memcpy(out, file->bytes.data() + file->position, n);
    file->position += n;
    return static_cast<tsize_t>(n);
}

tsize_t write_proc(thandle_t, tdata_t, tsize_t) { return 0; }

toff_t seek_proc(thandle_t handle, toff_t offset, int whence) {
    auto* file = static_cast<MemoryFile*>(handle);
    toff_t base = 0;
    if (whence == SEEK_CUR) base = file->position;
    else if (whence == SEEK_END) base = file->bytes.size();
    file->position = base + offset;
    return file->position;
}

int close_proc(thandle_t) { return 0; }
toff_t size_proc(thandle_t handle) { return static_cast<MemoryFile*>(handle)->bytes.size(); }
int map_proc(thandle_t, tdata_t*, toff_t*) { return 0; }
void unmap_proc(thandle_t, tdata_t, toff_t) {}

int quiet(TIFF*, void*, const char*, const char*, va_list) { return 1; }

struct TiffFile {
    TIFF* tiff;
    ~TiffFile() {
        if (tiff) TIFFClose(tiff);
    }
};

std::uint32_t unpremultiply(std::uint32_t abgr) {
    const std::uint32_t a = TIFFGetA(abgr);
    std::uint32_t r = TIFFGetR(abgr), g = TIFFGetG(abgr), b = TIFFGetB(abgr);
    if (a != 0 && a != 255) {
        r = (r * 255 + a / 2) / a;
        g = (g * 255 + a / 2) / a;
        b = (b * 255 + a / 2) / a;
        r = r > 255 ? 255 : r;
        g = g > 255 ? 255 : g;
        b = b > 255 ? 255 : b;
    }
    return argb(a, r, g, b);
}

} // namespace

DecodeResult decode_tiff(Bytes bytes, Raster& raster) {
    MemoryFile file{bytes, 0};
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    if (!options) return DecodeResult::out_of_memory;
    TIFFOpenOptionsSetErrorHandlerExtR(options, quiet, nullptr);
    TIFFOpenOptionsSetWarningHandlerExtR(options, quiet, nullptr);
    TiffFile tiff{TIFFClientOpenExt("picture", "rm", &file, read_proc, write_proc, seek_proc, close_proc, size_proc,
                                    map_proc, unmap_proc, options)};
    TIFFOpenOptionsFree(options);
    if (!tiff.tiff) return DecodeResult::corrupt;

    std::uint32_t width = 0;
    std::uint32_t height = 0;
    if (!TIFFGetField(tiff.tiff, TIFFTAG_IMAGEWIDTH, &width) || !TIFFGetField(tiff.tiff, TIFFTAG_IMAGELENGTH, &height))
        return DecodeResult::corrupt;
    if (!acceptable_size(width, height)) return width > 0 && height > 0 ? DecodeResult::too_large : DecodeResult::corrupt;
    char message[1024];
    if (!TIFFRGBAImageOK(tiff.tiff, message)) return DecodeResult::corrupt;

    std::uint16_t extra_count = 0;
    std::uint16_t* extra_kinds = nullptr;
    TIFFGetFieldDefaulted(tiff.tiff, TIFFTAG_EXTRASAMPLES, &extra_count, &extra_kinds);
    const bool alpha = extra_count > 0 && extra_kinds &&
                       (extra_kinds[0] == EXTRASAMPLE_ASSOCALPHA || extra_kinds[0] == EXTRASAMPLE_UNASSALPHA);

    Raster out;
    out.width = static_cast<int>(width);
    out.height = static_cast<int>(height);
    out.has_alpha = alpha;
    out.pixels.allocate(static_cast<std::size_t>(width) * height);
    if (!TIFFReadRGBAImageOriented(tiff.tiff, width, height, out.pixels.data(), ORIENTATION_TOPLEFT, 0))
        return DecodeResult::corrupt;
    for (std::uint32_t& p : out.pixels) p = alpha ? unpremultiply(p) : (0xFF000000u | (argb(0, TIFFGetR(p), TIFFGetG(p), TIFFGetB(p))));
    raster = std::move(out);
    return DecodeResult::ok;
}

} // namespace layer::gdiplus
