// Saving an IMAGE, or the window surface, to a picture file.
#pragma once

#include "platform_api.h"

class IMAGE;

// Writes image (null means the window object's surface) to path, the format chosen from the
// extension, case-insensitively: .png, .bmp or .dib, .jpg/.jpeg/.jpe/.jfif, .tif/.tiff.
// Returns false, leaving no file behind, for an unknown extension, an image without a surface,
// an imaging library that is not available, or a path that cannot be written.
bool save_image(const IMAGE* image, const WCHAR* path);
