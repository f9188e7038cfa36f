// Pixel-by-pixel comparison of two pictures.
#pragma once

#include "png_file.h"

namespace compare {

struct PictureDiff {
    long long differing = 0;    // pixels whose colour or spare byte differ
    long long spare_only = 0;   // of those, pixels whose colour is equal and only the spare byte differs
    bool size_differs = false;  // the pictures differ in size: every pixel of either counts as differing
    Picture picture;            // the reference dimmed to grey, with differing pixels marked
};

// Compares other against reference. The difference picture covers both sizes; it shows equal
// pixels as a dim grey of the reference, colour differences in red and spare-byte differences
// in yellow, so that the faults stand out at a glance.
PictureDiff diff_pictures(const Picture& reference, const Picture& other);

} // namespace compare
