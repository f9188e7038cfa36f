// Loading a picture file into an IMAGE through the imaging library.
#pragma once

#include "image.h"
#include "platform_api.h"

namespace Pellux {
class GlobalMemory;
}

// Pictures larger than an image surface can be (MAX_SURFACE_SIDE per side, MAX_SURFACE_PIXELS in
// all) are refused before the target is resized, and the target is left unchanged. The layer's
// own decoders refuse them before they allocate anything.
constexpr unsigned MAX_PICTURE_SIDE = MAX_SURFACE_SIDE;
constexpr unsigned long long MAX_PICTURE_PIXELS = MAX_SURFACE_PIXELS;

// Reads the file at path whole and draws its picture into target (not null). width and height
// are the size the target is to have; 0 takes the picture's own size for that side. resize asks
// that a target with a surface be resized when its size differs. A file that cannot be read or
// decoded, or a picture past the limits above, leaves the target unchanged.
void load_image_into(IMAGE* target, const WCHAR* path, int width, int height, bool resize);

// The second half of load_image_into: decodes the picture held by block and draws it.
// On return the block no longer holds what the stream took over.
void load_image_from_block(Pellux::GlobalMemory& block, IMAGE* target, int width, int height, bool resize);
