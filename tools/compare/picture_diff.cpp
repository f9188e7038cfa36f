#include "picture_diff.h"

#include <algorithm>
#include <cstring>

namespace compare {
namespace {

bool inside(const Picture& p, int x, int y) { return x < p.width && y < p.height; }

void paint(std::uint8_t* out, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    out[0] = r;
    out[1] = g;
    out[2] = b;
    out[3] = 255;
}

} // namespace

PictureDiff diff_pictures(const Picture& reference, const Picture& other) {
    PictureDiff result;
    result.size_differs = reference.width != other.width || reference.height != other.height;
    Picture& out = result.picture;
    out.width = std::max(reference.width, other.width);
    out.height = std::max(reference.height, other.height);
    out.rgba.assign(static_cast<std::size_t>(out.width) * out.height * 4, 0);

    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) {
            std::uint8_t* pixel = out.at(x, y);
            const bool in_ref = inside(reference, x, y), in_other = inside(other, x, y);
            if (!in_ref || !in_other || result.size_differs) {
                // A picture of another size cannot match anywhere.
                ++result.differing;
                paint(pixel, 255, 0, 255);
                continue;
            }
            const std::uint8_t* a = reference.at(x, y);
            const std::uint8_t* b = other.at(x, y);
            if (std::memcmp(a, b, 4) == 0) {
                const auto grey = static_cast<std::uint8_t>(32 + (a[0] + a[1] + a[2]) / 12);
                paint(pixel, grey, grey, grey);
            } else if (std::memcmp(a, b, 3) == 0) {
                ++result.differing;
                ++result.spare_only;
                paint(pixel, 255, 255, 0);
            } else {
                ++result.differing;
                paint(pixel, 255, 0, 0);
            }
        }
    return result;
}

} // namespace compare
