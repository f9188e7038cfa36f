// TIFF files through libtiff: 8-bit RGB, or RGBA with unassociated alpha, LZW compressed, one
// strip per row group; written through client procedures into memory.
#include <cstring>
#include <vector>

#include <tiffio.h>

#include "encoders.h"

namespace layer::gdiplus {

namespace {

struct MemoryFile {
    EncodedFile* bytes;
    toff_t position;
};

tsize_t read_proc(thandle_t handle, tdata_t out, tsize_t count) {
    auto* file = static_cast<MemoryFile*>(handle);
    const EncodedFile& b = *file->bytes;
    if (count <= 0 || file->position >= b.size()) return 0;
    const toff_t n = std::min<toff_t>(static_cast<toff_t>(count), b.size() - file->position);
    std::memcpy(out, b.data() + file->position, n);
    file->position += n;
    return static_cast<tsize_t>(n);
}

tsize_t write_proc(thandle_t handle, tdata_t data, tsize_t count) {
    auto* file = static_cast<MemoryFile*>(handle);
    EncodedFile& b = *file->bytes;
    if (count <= 0) return 0;
    const toff_t end = file->position + static_cast<toff_t>(count);
    if (end > b.size()) b.resize(end);
    std::memcpy(b.data() + file->position, data, static_cast<std::size_t>(count));
    file->position = end;
    return count;
}

toff_t seek_proc(thandle_t handle, toff_t offset, int whence) {
    auto* file = static_cast<MemoryFile*>(handle);
    toff_t base = 0;
    if (whence == SEEK_CUR) base = file->position;
    else if (whence == SEEK_END) base = file->bytes->size();
    file->position = base + offset;
    return file->position;
}

int close_proc(thandle_t) { return 0; }
toff_t size_proc(thandle_t handle) { return static_cast<MemoryFile*>(handle)->bytes->size(); }
int map_proc(thandle_t, tdata_t*, toff_t*) { return 0; }
void unmap_proc(thandle_t, tdata_t, toff_t) {}
int quiet(TIFF*, void*, const char*, const char*, va_list) { return 1; }

} // namespace

bool encode_tiff(const Raster& picture, EncodedFile& out) {
    out.clear();
    MemoryFile file{&out, 0};
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    if (!options) return false;
    TIFFOpenOptionsSetErrorHandlerExtR(options, quiet, nullptr);
    TIFFOpenOptionsSetWarningHandlerExtR(options, quiet, nullptr);
    TIFF* tiff = TIFFClientOpenExt("picture", "w", &file, read_proc, write_proc, seek_proc, close_proc, size_proc,
                                   map_proc, unmap_proc, options);
    TIFFOpenOptionsFree(options);
    if (!tiff) return false;

    const bool alpha = picture.has_alpha;
    const int channels = alpha ? 4 : 3;
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, static_cast<std::uint32_t>(picture.width));
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, static_cast<std::uint32_t>(picture.height));
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, channels);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tiff, 0));
    if (alpha) {
        const std::uint16_t kind = EXTRASAMPLE_UNASSALPHA;
        TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, &kind);
    }
    std::vector<std::uint8_t> row(static_cast<std::size_t>(picture.width) * channels);
    bool ok = true;
    for (int y = 0; y < picture.height && ok; ++y) {
        const std::uint32_t* src = picture.row(y);
        for (int x = 0; x < picture.width; ++x) {
            std::uint8_t* p = row.data() + static_cast<std::size_t>(x) * channels;
            p[0] = static_cast<std::uint8_t>(src[x] >> 16);
            p[1] = static_cast<std::uint8_t>(src[x] >> 8);
            p[2] = static_cast<std::uint8_t>(src[x]);
            if (alpha) p[3] = static_cast<std::uint8_t>(src[x] >> 24);
        }
        ok = TIFFWriteScanline(tiff, row.data(), static_cast<std::uint32_t>(y), 0) == 1;
    }
    TIFFClose(tiff);
    return ok;
}

} // namespace layer::gdiplus
