// The imaging library's flat entry points bound by name, as the graphics library binds them,
// and small helpers to feed them pictures and to draw on 32-bit surfaces. The same tests run
// against the layer's module natively and against the platform's library on Windows.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "imaging_api.h"

namespace flat {

using namespace Pellux::Imaging;

struct Entries {
    GdiplusStartupProc GdiplusStartup = nullptr;
    GdiplusShutdownProc GdiplusShutdown = nullptr;
    LoadImageFromStreamProc GdipLoadImageFromStream = nullptr;
    GetImageWidthProc GdipGetImageWidth = nullptr;
    GetImageHeightProc GdipGetImageHeight = nullptr;
    CreateFromHDCProc GdipCreateFromHDC = nullptr;
    DrawImageRectIProc GdipDrawImageRectI = nullptr;
    DisposeImageProc GdipDisposeImage = nullptr;
    DeleteGraphicsProc GdipDeleteGraphics = nullptr;
    GetImageEncodersSizeProc GdipGetImageEncodersSize = nullptr;
    GetImageEncodersProc GdipGetImageEncoders = nullptr;
    CreateBitmapFromGdiDibProc GdipCreateBitmapFromGdiDib = nullptr;
    SaveImageToFileProc GdipSaveImageToFile = nullptr;
};

// Loaded and started once per test program.
const Entries& entries();

// A stream over a new global memory block holding bytes; the block goes with the stream.
IStream* stream_over(const std::vector<std::uint8_t>& bytes);

std::vector<std::uint8_t> read_file(const std::string& path);
std::vector<std::uint8_t> fixture(const std::string& name);

// Decodes bytes; null when the imaging library refuses them (status in *status).
GpImage* decode(const std::vector<std::uint8_t>& bytes, Status* status = nullptr);

// An RGBA PNG of 0xAARRGGBB pixels.
std::vector<std::uint8_t> png_of(const std::vector<std::uint32_t>& argb, int width, int height);

// A 32-bit top-down DIB section in a memory DC, every pixel set to fill.
class Surface {
public:
    Surface(int width, int height, std::uint32_t fill = 0);
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    HDC dc() const { return dc_; }
    int width() const { return width_; }
    int height() const { return height_; }
    std::uint32_t at(int x, int y) const { return pixels_[y * width_ + x]; }
    std::vector<std::uint32_t> pixels() const { return std::vector<std::uint32_t>(pixels_, pixels_ + width_ * height_); }
    std::vector<std::uint32_t> row(int y) const {
        return std::vector<std::uint32_t>(pixels_ + y * width_, pixels_ + (y + 1) * width_);
    }

    // Draws picture into (x, y, w, h) through a drawing context over this surface.
    Status draw(GpImage* picture, int x, int y, int w, int h);

private:
    int width_;
    int height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ replaced_;
    std::uint32_t* pixels_ = nullptr;
};

// Disposes a picture at the end of a scope.
class PictureGuard {
public:
    explicit PictureGuard(GpImage* picture) : picture_(picture) {}
    ~PictureGuard() {
        if (picture_) entries().GdipDisposeImage(picture_);
    }
    PictureGuard(const PictureGuard&) = delete;
    PictureGuard& operator=(const PictureGuard&) = delete;
    GpImage* get() const { return picture_; }

private:
    GpImage* picture_;
};

std::string hex(const std::vector<std::uint32_t>& pixels);

} // namespace flat
