// IMAGE resize, assignment, and put_image of an image onto itself. Each picture is a row of
// panels, each panel one image after the operation.
#include "scene.h"
#include "scene_support.h"

namespace scenes {
namespace {

void resize_grow(IMAGE& canvas) {
    IMAGE both(5, 4);
    fill_pattern(both, 30);
    both.bk_color = 0x3366CC;
    both.resize(11, 7);
    paste(canvas, both, 0, 0);

    // Each growth fills the new pixels with the background colour of the moment.
    IMAGE twice(6, 5);
    fill_pattern(twice, 31);
    twice.bk_color = 0x00FF00;
    twice.resize(6, 9);
    twice.bk_color = 0x0000FF;
    twice.resize(10, 9);
    paste(canvas, twice, 14, 0);

    // The old pixels are copied in device units whatever transform the image carries.
    IMAGE moved(6, 6);
    fill_pattern(moved, 32);
    set_transform(moved, XFORM{1.0f, 0.0f, 0.0f, 1.0f, 2.0f, 1.0f});
    moved.bk_color = 0xC0C0C0;
    moved.resize(9, 9);
    paste(canvas, moved, 27, 0);

    // An image without a surface gets one of the background colour.
    IMAGE empty(0, 0);
    empty.bk_color = 0x123456;
    empty.resize(4, 6);
    paste(canvas, empty, 39, 0);
}

void resize_shrink(IMAGE& canvas) {
    IMAGE both(12, 9);
    fill_pattern(both, 33);
    both.resize(5, 4);
    paste(canvas, both, 0, 0);

    IMAGE narrower_taller(12, 9);
    fill_pattern(narrower_taller, 34);
    narrower_taller.bk_color = 0x808080;
    narrower_taller.resize(4, 14);
    paste(canvas, narrower_taller, 7, 0);

    // A zero side, or a negative one, changes nothing.
    IMAGE unchanged(8, 6);
    fill_pattern(unchanged, 35);
    unchanged.resize(0, 5);
    unchanged.resize(5, 0);
    unchanged.resize(-3, 4);
    paste(canvas, unchanged, 13, 0);
}

void assignment(IMAGE& canvas) {
    IMAGE smaller(5, 3);
    fill_pattern(smaller, 40);
    IMAGE shrinks(9, 9);
    fill_pattern(shrinks, 41);
    shrinks = smaller;
    paste(canvas, shrinks, 0, 0);

    IMAGE larger(12, 10);
    fill_pattern(larger, 42);
    IMAGE grows(3, 3);
    fill_pattern(grows, 43);
    grows.bk_color = 0xFF00FF;
    grows = larger;
    paste(canvas, grows, 7, 0);

    // From an image without a surface: the destination keeps its size and pixels.
    IMAGE empty(0, 0);
    IMAGE keeps(6, 6);
    fill_pattern(keeps, 44);
    keeps = empty;
    paste(canvas, keeps, 21, 0);

    // Transforms on either side do not move the copy.
    IMAGE source(7, 7);
    fill_pattern(source, 45);
    set_transform(source, XFORM{1.0f, 0.0f, 0.0f, 1.0f, 3.0f, 2.0f});
    IMAGE target(7, 7);
    fill_pattern(target, 46);
    set_transform(target, XFORM{2.0f, 0.0f, 0.0f, 2.0f, -1.0f, 1.0f});
    target = source;
    paste(canvas, target, 29, 0);

    IMAGE itself(6, 6);
    fill_pattern(itself, 47);
    IMAGE& alias = itself;
    itself = alias;
    paste(canvas, itself, 38, 0);
}

// put_image of an image onto itself: overlapping copies in every direction, and operations that
// read the destination and the source at once.
void put_self(IMAGE& canvas) {
    struct Case {
        int x, y;
        DWORD rop;
    };
    static constexpr Case cases[] = {
        {5, 3, SRCCOPY},  {-4, -6, SRCCOPY}, {6, -2, SRCCOPY},   {-3, 4, SRCCOPY},
        {3, 2, SRCINVERT}, {0, 0, SRCINVERT}, {2, 1, MERGEPAINT}, {-1, -1, NOTSRCCOPY},
    };
    constexpr int w = 40, h = 30;
    int index = 0;
    for (const Case& c : cases) {
        IMAGE image(w, h);
        fill_pattern(image, 50 + static_cast<std::uint32_t>(index));
        {
            TargetScope scope(image, canvas);
            put_image(c.x, c.y, &image, c.rop);
        }
        paste(canvas, image, (index % 4) * w, (index / 4) * h);
        ++index;
    }
}

constexpr Scene table[] = {
    {"image_resize_grow", 44, 9, resize_grow},
    {"image_resize_shrink", 21, 14, resize_shrink},
    {"image_assign", 44, 10, assignment},
    {"image_put_self", 160, 60, put_self},
};

} // namespace

std::span<const Scene> image_scenes() { return table; }

} // namespace scenes
