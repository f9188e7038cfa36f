// Records what the platform's imaging library draws for the scaling recordings of draw_test:
// built for Windows only and run by hand under the reference, e.g.
//   record_scaling.exe fixtures/scale_source_rgb.png 60 5 scale_rgb_60x5.i686.bin
#include <cstdio>
#include <cstdlib>

#include "flat_imaging.h"

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s SOURCE WIDTH HEIGHT OUTPUT\n", argv[0]);
        return 2;
    }
    const int width = std::atoi(argv[2]);
    const int height = std::atoi(argv[3]);
    flat::PictureGuard picture(flat::decode(flat::read_file(argv[1])));
    if (!picture.get() || width <= 0 || height <= 0) return 1;
    flat::Surface surface(width, height);
    if (surface.draw(picture.get(), 0, 0, width, height) != flat::Ok) return 1;
    FILE* out = std::fopen(argv[4], "wb");
    if (!out) return 1;
    for (std::uint32_t p : surface.pixels()) {
        const unsigned char bytes[4] = {static_cast<unsigned char>(p), static_cast<unsigned char>(p >> 8),
                                        static_cast<unsigned char>(p >> 16), static_cast<unsigned char>(p >> 24)};
        std::fwrite(bytes, 1, 4, out);
    }
    return std::fclose(out) == 0 ? 0 : 1;
}
