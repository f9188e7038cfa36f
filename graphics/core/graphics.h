// The library's free functions: the way programs use the graphics library.
#pragma once

#include "graph_wnd.h"
#include "image.h"
#include "platform_api.h"

// Opens the graphics window with a client area of width by height and makes it the target.
HWND open_window(int width, int height, int flags);
// Closes the window; the current target and device stay as they are.
void close_window();
// Chooses the drawing target: an image, or the window when image is null.
void set_target_image(IMAGE* image);
// The colour of a pixel of the current target; CLR_INVALID when no target has been chosen.
COLORREF get_pixel(int x, int y);
// Copies the whole window surface to the screen; does nothing unless the window is the target.
void flush_batch();
// The first pixel of an image (of the window when image is null); null without a surface.
DWORD* get_pixel_buffer(IMAGE* image);
// Loads a picture file into an image (into the window when image is null).
void load_image(IMAGE* image, const WCHAR* path, int width = 0, int height = 0, bool resize = false);
// Copies image onto the current target at (x, y) with a ternary raster operation.
void put_image(int x, int y, const IMAGE* image, DWORD rop = SRCCOPY);
