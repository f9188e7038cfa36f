// Helpers shared by the GDI tests: owners for DCs and objects, and 32-bit surfaces whose pixels
// the tests read and write directly.
#pragma once

#include "platform_api.h"

#include <cstdint>
#include <string>
#include <vector>

namespace gdi_test {

// Deletes a GDI object when it goes out of scope.
template <class Handle>
class Owned {
public:
    explicit Owned(Handle h = nullptr) : h_(h) {}
    ~Owned() { reset(); }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Handle get() const { return h_; }
    operator Handle() const { return h_; }
    void reset(Handle h = nullptr) {
        if (h_) DeleteObject(h_);
        h_ = h;
    }
    Handle release() {
        Handle h = h_;
        h_ = nullptr;
        return h;
    }

private:
    Handle h_;
};

class MemoryDc {
public:
    MemoryDc() : dc_(CreateCompatibleDC(nullptr)) {}
    ~MemoryDc() {
        if (dc_) DeleteDC(dc_);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    HDC get() const { return dc_; }
    operator HDC() const { return dc_; }

private:
    HDC dc_;
};

// A 32-bit top-down DIB section selected into its own memory DC.
class Surface {
public:
    Surface(int width, int height, std::uint32_t fill = 0) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        pixels_ = static_cast<std::uint32_t*>(bits);
        dc_ = CreateCompatibleDC(nullptr);
        old_ = SelectObject(dc_, bitmap_);
        fill_all(fill);
    }
    ~Surface() {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
        DeleteObject(bitmap_);
    }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    HDC dc() const { return dc_; }
    HBITMAP bitmap() const { return bitmap_; }
    int width() const { return width_; }
    int height() const { return height_; }
    std::uint32_t* pixels() const { return pixels_; }
    std::uint32_t& at(int x, int y) const { return pixels_[y * width_ + x]; }
    void fill_all(std::uint32_t v) const {
        for (int i = 0; i < width_ * height_; ++i) pixels_[i] = v;
    }
    // Every pixel as one character: `blank` where the pixel is `background`, the hex digit of
    // values below 16, '?' for anything else; rows separated by '|'.
    std::string picture(std::uint32_t background, int rows = -1, int cols = -1) const {
        std::string s;
        if (rows < 0) rows = height_;
        if (cols < 0) cols = width_;
        for (int y = 0; y < rows; ++y) {
            if (y) s += '|';
            for (int x = 0; x < cols; ++x) {
                const std::uint32_t v = at(x, y);
                s += v == background ? '.' : v < 16 ? "0123456789abcdef"[v] : '?';
            }
        }
        return s;
    }

private:
    int width_;
    int height_;
    HBITMAP bitmap_ = nullptr;
    std::uint32_t* pixels_ = nullptr;
    HDC dc_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

inline void set_xform(HDC dc, float m11, float m22, float dx, float dy) {
    SetGraphicsMode(dc, GM_ADVANCED);
    const XFORM x{m11, 0.0f, 0.0f, m22, dx, dy};
    SetWorldTransform(dc, &x);
}

} // namespace gdi_test
