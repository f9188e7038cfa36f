// Icons and cursors: a small table of images. System cursors and icons are shared (never
// destroyed); icons taken from an executable are the caller's to destroy.
#pragma once

#include "win32.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace layer::user {

struct IconImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb; // 0xAARRGGBB, rows top-down
};

// The image of an icon or cursor handle; null for an unknown or destroyed handle.
std::shared_ptr<const IconImage> icon_image(HICON icon);

} // namespace layer::user
