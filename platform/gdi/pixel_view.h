// Direct access to the pixels of a surface in any of the bitmap layouts the layer stores.
// "Device values" are what a surface holds per pixel: the raw 32 bits of an xrgb32 pixel, a
// colour table index for indexed layouts, the raw 15 bits of rgb555, 0x00RRGGBB for rgb24.
#pragma once

#include <cstddef>
#include <cstdint>

namespace layer::gdi {

enum class PixelLayout { indexed1, indexed4, indexed8, rgb555, rgb24, xrgb32 };

int bits_per_pixel(PixelLayout layout);
// The layout for a bit count of a BI_RGB bitmap, false when there is none.
bool layout_for_bits(int bits, PixelLayout& layout);

struct PixelView {
    std::uint8_t* top = nullptr;  // first byte of the top row
    std::ptrdiff_t stride = 0;    // bytes from a row to the one below it (negative when stored bottom-up)
    int width = 0;
    int height = 0;
    PixelLayout layout = PixelLayout::xrgb32;
    const std::uint32_t* palette = nullptr; // indexed layouts: 0x00RRGGBB per entry
    int palette_size = 0;
    // A 1-bpp device-dependent bitmap: colours cross into and out of it by the DC colours.
    bool monochrome = false;

    bool valid() const { return top != nullptr && width > 0 && height > 0; }
    std::uint8_t* row(int y) const { return top + stride * y; }
    std::uint32_t* row32(int y) const { return reinterpret_cast<std::uint32_t*>(row(y)); }

    void read(int x, int y, int count, std::uint32_t* out) const;
    void write(int x, int y, int count, const std::uint32_t* in) const;
    std::uint32_t get(int x, int y) const;
    void set(int x, int y, std::uint32_t value) const;

    // Device value to 0x00RRGGBB and the closest device value for a 0x00RRGGBB colour.
    std::uint32_t to_rgb(std::uint32_t value) const;
    std::uint32_t from_rgb(std::uint32_t rgb) const;

    bool same_pixels(const PixelView& other) const { return top == other.top; }
};

} // namespace layer::gdi
