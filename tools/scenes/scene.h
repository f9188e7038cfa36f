// A scene: a named picture drawn through the graphics library, written out by the scene tool so
// that the pictures of two targets can be compared pixel for pixel.
#pragma once

#include <span>
#include <vector>

#include "image.h"

namespace scenes {

struct Scene {
    const char* name;
    int width;
    int height;
    // Draws on canvas, which is width by height, black, and the current target.
    void (*draw)(IMAGE& canvas);
};

std::span<const Scene> rop_scenes();
std::span<const Scene> pixel_scenes();
std::span<const Scene> image_scenes();
std::span<const Scene> picture_scenes();

// Every scene, in a stable order.
std::vector<Scene> all_scenes();

} // namespace scenes
