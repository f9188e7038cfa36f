// Pictures loaded from files: every lossless format at its own size, and loads scaled down,
// up, across only and down only, and into a surface that keeps its size. Each panel is one
// image after its load, pasted into the canvas. The picture files are the imaging tests'.
#include <string>

#include "scene.h"
#include "scene_support.h"

namespace scenes {
namespace {

std::u16string picture_path(const char* name) {
    const std::string path = std::string(PICTURE_FIXTURES) + "/" + name;
    return std::u16string(path.begin(), path.end());
}

// Loads a picture into a new image as asked, and pastes the image at (x, y).
void load_panel(IMAGE& canvas, const char* name, int x, int y, int width = 0, int height = 0) {
    IMAGE image;
    load_image(&image, Pellux::wide(picture_path(name).c_str()), width, height);
    paste(canvas, image, x, y);
}

// Sixteen by twelve pictures in a grid of 18 by 14 cells.
void lossless(IMAGE& canvas) {
    const char* const files[] = {
        "png_rgb8.png",     "png_interlaced.png", "png_rgba8.png",   "png_pal4.png",      "png_pal8_trns.png",
        "png_grey8.png",    "png_grey_alpha.png", "png_grey1.png",   "png_rgb16.png",     "png_rgba16.png",
        "bmp_rgb24.bmp",    "bmp_rgb24_topdown.bmp", "bmp_rgb32.bmp", "bmp_pal8.bmp",     "bmp_pal4.bmp",
        "bmp_pal1.bmp",     "bmp_rgb555.bmp",     "bmp_rgb565.bmp",  "bmp_rle8.bmp",      "gif_basic.gif",
        "gif_interlaced.gif", "gif_transparent.gif", "gif_offset.gif", "gif_two_frames.gif", "tiff_rgb.tif",
        "tiff_rgb_lzw.tif", "tiff_pal8.tif",      "tiff_grey.tif",   "ico_argb32.ico",    "ico_pal8_mask.ico",
        "ico_png.ico",      "ico_two.ico",        "png_named.jpg",
    };
    int i = 0;
    for (const char* file : files) {
        load_panel(canvas, file, (i % 10) * 18, (i / 10) * 14);
        ++i;
    }
}

void scaled_down(IMAGE& canvas) {
    load_panel(canvas, "png_rgb8.png", 0, 0, 7, 5);
    load_panel(canvas, "png_rgb8.png", 9, 0, 11, 9);
    load_panel(canvas, "png_rgba8.png", 22, 0, 9, 6);
    load_panel(canvas, "gif_basic.gif", 33, 0, 5, 11);
    load_panel(canvas, "bmp_rgb24.bmp", 40, 0, 3, 2);
}

void scaled_up(IMAGE& canvas) {
    load_panel(canvas, "png_rgb8.png", 0, 0, 37, 29);
    load_panel(canvas, "png_rgba8.png", 39, 0, 40, 24);
    load_panel(canvas, "tiff_pal8.tif", 81, 0, 33, 25);
    load_panel(canvas, "bmp_pal1.bmp", 116, 0, 50, 37);
}

void width_only(IMAGE& canvas) {
    load_panel(canvas, "png_rgb8.png", 0, 0, 100, 0);
    load_panel(canvas, "png_rgba8.png", 0, 14, 9, 0);
    load_panel(canvas, "gif_transparent.gif", 0, 28, 41, 0);
}

void height_only(IMAGE& canvas) {
    load_panel(canvas, "png_rgb8.png", 0, 0, 0, 50);
    load_panel(canvas, "png_rgba8.png", 18, 0, 0, 7);
    load_panel(canvas, "bmp_rle8.bmp", 36, 0, 0, 31);
}

// A surface that keeps its size: the picture is drawn scaled at (0, 0), the rest stays.
void keep_size(IMAGE& canvas) {
    IMAGE larger(30, 20);
    fill_pattern(larger, 40);
    load_image(&larger, Pellux::wide(picture_path("png_rgba8.png").c_str()), 21, 13, false);
    paste(canvas, larger, 0, 0);

    IMAGE smaller(9, 7);
    fill_pattern(smaller, 41);
    load_image(&smaller, Pellux::wide(picture_path("png_rgb8.png").c_str()), 0, 0, false);
    paste(canvas, smaller, 32, 0);
}

const Scene scenes[] = {
    {"picture_lossless", 180, 56, lossless},     {"picture_scaled_down", 44, 12, scaled_down},
    {"picture_scaled_up", 166, 37, scaled_up},   {"picture_width_only", 100, 40, width_only},
    {"picture_height_only", 52, 50, height_only}, {"picture_keep_size", 42, 20, keep_size},
};

} // namespace

std::span<const Scene> picture_scenes() { return scenes; }

} // namespace scenes
