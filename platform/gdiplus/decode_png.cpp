// PNG through libpng. Every layout (palette, grey, 16-bit, with or without alpha or a
// transparent colour, interlaced) comes out as 8-bit BGRA, 16-bit samples keeping their high
// byte. libpng reports errors by longjmp: the decoding frame holds no object with a destructor
// that a jump could skip.
#include <csetjmp>
#include <cstring>
#include <vector>

#include <png.h>

#include "decoders.h"
#include "picture_limits.h"

namespace layer::gdiplus {

namespace {

struct MemoryInput {
    Bytes bytes;
    std::size_t position;
};

void read_from_memory(png_structp png, png_bytep out, png_size_t count) {
    auto* input = static_cast<MemoryInput*>(png_get_io_ptr(png));
    if (count > input->bytes.size() - input->position) png_error(png, "truncated");
    std::memcpy(out, input->bytes.data() + input->position, count);
    input->position += count;
}

void on_error(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void on_warning(png_structp, png_const_charp) {}

// Reads the header and returns the size, or decodes the rows into pixels when they are given.
// Returns false on any error that libpng reports.
bool run_png(png_structp png, png_infop info, png_uint_32& width, png_uint_32& height, bool& alpha,
             std::vector<png_bytep>* rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    if (!rows) {
        png_read_info(png, info);
        width = png_get_image_width(png, info);
        height = png_get_image_height(png, info);
        const int type = png_get_color_type(png, info);
        alpha = (type & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid(png, info, PNG_INFO_tRNS) != 0;
        png_set_expand(png);
        png_set_strip_16(png);
        png_set_gray_to_rgb(png);
        png_set_bgr(png);
        png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
        png_set_interlace_handling(png);
        png_read_update_info(png, info);
        return true;
    }
    png_read_image(png, rows->data());
    png_read_end(png, nullptr);
    return true;
}

struct PngReader {
    png_structp png = nullptr;
    png_infop info = nullptr;
    PngReader() {
        png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, on_error, on_warning);
        if (png) info = png_create_info_struct(png);
    }
    ~PngReader() { png_destroy_read_struct(&png, info ? &info : nullptr, nullptr); }
    PngReader(const PngReader&) = delete;
    PngReader& operator=(const PngReader&) = delete;
};

} // namespace

DecodeResult decode_png(Bytes bytes, Raster& raster) {
    PngReader reader;
    if (!reader.png || !reader.info) return DecodeResult::out_of_memory;
    MemoryInput input{bytes, 0};
    png_set_read_fn(reader.png, &input, read_from_memory);
    // Limits of libpng's own for the header, set above ours so that ours decide.
    png_set_user_limits(reader.png, 0x7FFFFFFF, 0x7FFFFFFF);

    png_uint_32 width = 0;
    png_uint_32 height = 0;
    bool alpha = false;
    if (!run_png(reader.png, reader.info, width, height, alpha, nullptr)) return DecodeResult::corrupt;
    if (!acceptable_size(width, height)) return DecodeResult::too_large;

    Raster out;
    out.width = static_cast<int>(width);
    out.height = static_cast<int>(height);
    out.has_alpha = alpha;
    out.pixels.allocate(static_cast<std::size_t>(width) * height);
    std::vector<png_bytep> rows(height);
    for (png_uint_32 y = 0; y < height; ++y) rows[y] = reinterpret_cast<png_bytep>(out.row(static_cast<int>(y)));
    if (!run_png(reader.png, reader.info, width, height, alpha, &rows)) return DecodeResult::corrupt;
    raster = std::move(out);
    return DecodeResult::ok;
}

} // namespace layer::gdiplus
