// JPEG through libjpeg (libjpeg-turbo): baseline and progressive, grey, YCbCr and CMYK (also as
// the inverted CMYK that some writers store). A stream that ends early is damaged, not a
// picture: the decoder's "premature end" warning counts as an error. libjpeg reports errors by
// longjmp: the decoding frame holds no object with a destructor that a jump could skip.
#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

#include "decoders.h"
#include "picture_limits.h"

namespace layer::gdiplus {

namespace {

struct ErrorTrap {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

void on_error(j_common_ptr info) { std::longjmp(reinterpret_cast<ErrorTrap*>(info->err)->jump, 1); }

void on_message(j_common_ptr info, int level) {
    // Level -1 is a warning about damaged data (a stream that ends early among them).
    if (level < 0) std::longjmp(reinterpret_cast<ErrorTrap*>(info->err)->jump, 1);
}

void quiet(j_common_ptr) {}

// How much of each colour the paper shows through the inks; inverted writers store that directly.
std::uint32_t from_cmyk(const JSAMPLE* p, bool inverted) {
    auto paper = [&](int i) { return inverted ? static_cast<std::uint32_t>(p[i]) : 255u - p[i]; };
    const std::uint32_t k = paper(3);
    auto channel = [&](int i) { return (paper(i) * k + 127) / 255; };
    return argb(255, channel(0), channel(1), channel(2));
}

struct Decoder {
    jpeg_decompress_struct info{};
    ErrorTrap trap{};
};

// Reads the header (rows null) or the pixels (rows given); false on any error.
bool run_jpeg(Decoder& d, Bytes bytes, int& width, int& height, Raster* out, std::vector<JSAMPLE>* scratch) {
    if (setjmp(d.trap.jump)) return false;
    if (!out) {
        jpeg_mem_src(&d.info, bytes.data(), static_cast<unsigned long>(bytes.size()));
        jpeg_read_header(&d.info, TRUE);
        width = static_cast<int>(d.info.image_width);
        height = static_cast<int>(d.info.image_height);
        return true;
    }
    const bool cmyk = d.info.jpeg_color_space == JCS_CMYK || d.info.jpeg_color_space == JCS_YCCK;
    d.info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
    jpeg_start_decompress(&d.info);
    while (d.info.output_scanline < d.info.output_height) {
        const int y = static_cast<int>(d.info.output_scanline);
        if (cmyk) {
            JSAMPROW row = scratch->data();
            jpeg_read_scanlines(&d.info, &row, 1);
            std::uint32_t* target = out->row(y);
            const bool inverted = d.info.saw_Adobe_marker != 0;
            for (int x = 0; x < out->width; ++x) target[x] = from_cmyk(scratch->data() + 4 * x, inverted);
        } else {
            JSAMPROW row = reinterpret_cast<JSAMPROW>(out->row(y));
            jpeg_read_scanlines(&d.info, &row, 1);
        }
    }
    jpeg_finish_decompress(&d.info);
    return true;
}

struct DecompressGuard {
    Decoder& d;
    ~DecompressGuard() { jpeg_destroy_decompress(&d.info); }
};

} // namespace

DecodeResult decode_jpeg(Bytes bytes, Raster& raster) {
    Decoder d;
    d.info.err = jpeg_std_error(&d.trap.manager);
    d.trap.manager.error_exit = on_error;
    d.trap.manager.emit_message = on_message;
    d.trap.manager.output_message = quiet;
    jpeg_create_decompress(&d.info);
    DecompressGuard guard{d};

    int width = 0;
    int height = 0;
    if (!run_jpeg(d, bytes, width, height, nullptr, nullptr)) return DecodeResult::corrupt;
    if (!acceptable_size(width, height)) return DecodeResult::too_large;

    Raster out;
    out.width = width;
    out.height = height;
    out.pixels.allocate(static_cast<std::size_t>(width) * height);
    std::vector<JSAMPLE> scratch(static_cast<std::size_t>(width) * 4);
    if (!run_jpeg(d, bytes, width, height, &out, &scratch)) return DecodeResult::corrupt;
    raster = std::move(out);
    return DecodeResult::ok;
}

} // namespace layer::gdiplus
