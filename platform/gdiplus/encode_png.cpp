// PNG files through libpng: 8-bit RGB for an opaque picture, RGBA when it has transparency.
// libpng reports errors by longjmp: the encoding frame holds no object with a destructor that
// a jump could skip.
#include <csetjmp>
#include <vector>

#include <png.h>

#include "encoders.h"

namespace layer::gdiplus {

namespace {

void write_to_memory(png_structp png, png_bytep data, png_size_t count) {
    auto* out = static_cast<EncodedFile*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + count);
}

void flush_nothing(png_structp) {}
void on_error(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void on_warning(png_structp, png_const_charp) {}

bool run_png(png_structp png, png_infop info, const Raster& picture, std::vector<png_bytep>& rows,
             std::vector<png_byte>& scratch) {
    if (setjmp(png_jmpbuf(png))) return false;
    const bool alpha = picture.has_alpha;
    png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width), static_cast<png_uint_32>(picture.height), 8,
                 alpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const int channels = alpha ? 4 : 3;
    for (int y = 0; y < picture.height; ++y) {
        const std::uint32_t* src = picture.row(y);
        for (int x = 0; x < picture.width; ++x) {
            png_byte* p = scratch.data() + static_cast<std::size_t>(x) * channels;
            p[0] = static_cast<png_byte>(src[x] >> 16);
            p[1] = static_cast<png_byte>(src[x] >> 8);
            p[2] = static_cast<png_byte>(src[x]);
            if (alpha) p[3] = static_cast<png_byte>(src[x] >> 24);
        }
        rows[0] = scratch.data();
        png_write_rows(png, rows.data(), 1);
    }
    png_write_end(png, info);
    return true;
}

struct PngWriter {
    png_structp png = nullptr;
    png_infop info = nullptr;
    PngWriter() {
        png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, on_error, on_warning);
        if (png) info = png_create_info_struct(png);
    }
    ~PngWriter() { png_destroy_write_struct(&png, info ? &info : nullptr); }
    PngWriter(const PngWriter&) = delete;
    PngWriter& operator=(const PngWriter&) = delete;
};

} // namespace

bool encode_png(const Raster& picture, EncodedFile& out) {
    PngWriter writer;
    if (!writer.png || !writer.info) return false;
    out.clear();
    png_set_write_fn(writer.png, &out, write_to_memory, flush_nothing);
    std::vector<png_bytep> rows(1);
    std::vector<png_byte> scratch(static_cast<std::size_t>(picture.width) * 4);
    return run_png(writer.png, writer.info, picture, rows, scratch);
}

} // namespace layer::gdiplus
