// Loading a picture file into an IMAGE through the imaging library.
#pragma once

#include "platform_api.h"

class IMAGE;
namespace Pellux {
class GlobalMemory;
}

// Pictures larger than this, by side or in total, are refused before the target is resized;
// the target is then left unchanged. The same figures bound the layer's own decoders.
constexpr unsigned MAX_PICTURE_SIDE = 1u << 15;
constexpr unsigned long long MAX_PICTURE_PIXELS = 1ull << 28;

// Reads the file at path whole and draws its picture into target (not null). width and height
// are the size the target is to have; 0 takes the picture's own size for that side. resize asks
// that a target with a surface be resized when its size differs. A file that cannot be read or
// decoded, or a picture past the limits above, leaves the target unchanged.
void load_image_into(IMAGE* target, const WCHAR* path, int width, int height, bool resize);

// The second half of load_image_into: decodes the picture held by block and draws it.
// On return the block no longer holds what the stream took over.
void load_image_from_block(Pellux::GlobalMemory& block, IMAGE* target, int width, int height, bool resize);
