// JPEG files through libjpeg at quality 75, the platform's default. libjpeg reports errors by
// longjmp: the encoding frame holds no object with a destructor that a jump could skip.
#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

#include "encoders.h"

namespace layer::gdiplus {

namespace {

struct ErrorTrap {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

void on_error(j_common_ptr info) { std::longjmp(reinterpret_cast<ErrorTrap*>(info->err)->jump, 1); }
void quiet(j_common_ptr) {}

struct Encoder {
    jpeg_compress_struct info{};
    ErrorTrap trap{};
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    ~Encoder() {
        jpeg_destroy_compress(&info);
        std::free(buffer); // allocated by libjpeg's memory destination
    }
};

bool run_jpeg(Encoder& e, const Raster& picture) {
    if (setjmp(e.trap.jump)) return false;
    jpeg_mem_dest(&e.info, &e.buffer, &e.size);
    e.info.image_width = static_cast<JDIMENSION>(picture.width);
    e.info.image_height = static_cast<JDIMENSION>(picture.height);
    e.info.input_components = 4;
    e.info.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&e.info);
    jpeg_set_quality(&e.info, 75, TRUE);
    jpeg_start_compress(&e.info, TRUE);
    while (e.info.next_scanline < e.info.image_height) {
        // libjpeg only reads the rows it is given.
        auto* row = reinterpret_cast<JSAMPROW>(const_cast<std::uint32_t*>(picture.row(static_cast<int>(e.info.next_scanline))));
        jpeg_write_scanlines(&e.info, &row, 1);
    }
    jpeg_finish_compress(&e.info);
    return true;
}

} // namespace

bool encode_jpeg(const Raster& picture, EncodedFile& out) {
    Encoder e;
    e.info.err = jpeg_std_error(&e.trap.manager);
    e.trap.manager.error_exit = on_error;
    e.trap.manager.output_message = quiet;
    jpeg_create_compress(&e.info);
    if (!run_jpeg(e, picture)) return false;
    out.assign(e.buffer, e.buffer + e.size);
    return true;
}

} // namespace layer::gdiplus
