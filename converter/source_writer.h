// The text of out.cpp: the colour array of a picture and the loops that redraw it.
#pragma once

#include <cstdio>
#include <functional>

#include "platform_api.h"

// Gives the colour (COLORREF) of pixel (x, y).
using PixelReader = std::function<COLORREF(int x, int y)>;

// Writes the array and the loops for a width by height picture into a stream opened in text
// mode ("wt+"), whose line ends are stored as CR LF. Returns false when a write or a seek failed.
bool write_source(FILE* stream, int width, int height, const PixelReader& pixel);

// Writes the whole text to a temporary file beside path and renames it over path once it is
// complete, so that an earlier file is never left truncated. Returns false on any failure, in
// which case path is untouched and the temporary file removed.
bool write_source_file(const char* path, int width, int height, const PixelReader& pixel);
