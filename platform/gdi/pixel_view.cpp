#include "pixel_view.h"

#include "color.h"

#include <cstring>

namespace layer::gdi {

int bits_per_pixel(PixelLayout layout) {
    switch (layout) {
    case PixelLayout::indexed1: return 1;
    case PixelLayout::indexed4: return 4;
    case PixelLayout::indexed8: return 8;
    case PixelLayout::rgb555: return 16;
    case PixelLayout::rgb24: return 24;
    case PixelLayout::xrgb32: return 32;
    }
    return 0;
}

bool layout_for_bits(int bits, PixelLayout& layout) {
    switch (bits) {
    case 1: layout = PixelLayout::indexed1; return true;
    case 4: layout = PixelLayout::indexed4; return true;
    case 8: layout = PixelLayout::indexed8; return true;
    case 16: layout = PixelLayout::rgb555; return true;
    case 24: layout = PixelLayout::rgb24; return true;
    case 32: layout = PixelLayout::xrgb32; return true;
    default: return false;
    }
}

void PixelView::read(int x, int y, int count, std::uint32_t* out) const {
    const std::uint8_t* r = row(y);
    switch (layout) {
    case PixelLayout::xrgb32:
        std::memcpy(out, r + 4 * static_cast<std::ptrdiff_t>(x), 4 * static_cast<std::size_t>(count));
        return;
    case PixelLayout::rgb24:
        for (int i = 0; i < count; ++i) {
            const std::uint8_t* p = r + 3 * static_cast<std::ptrdiff_t>(x + i);
            out[i] = p[0] | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16);
        }
        return;
    case PixelLayout::rgb555:
        for (int i = 0; i < count; ++i) {
            const std::uint8_t* p = r + 2 * static_cast<std::ptrdiff_t>(x + i);
            out[i] = (p[0] | (std::uint32_t{p[1]} << 8)) & 0x7FFFu;
        }
        return;
    case PixelLayout::indexed8:
        for (int i = 0; i < count; ++i) out[i] = r[x + i];
        return;
    case PixelLayout::indexed4:
        for (int i = 0; i < count; ++i) {
            const int px = x + i;
            out[i] = (r[px / 2] >> ((px & 1) ? 0 : 4)) & 0xFu;
        }
        return;
    case PixelLayout::indexed1:
        for (int i = 0; i < count; ++i) {
            const int px = x + i;
            out[i] = (r[px / 8] >> (7 - (px & 7))) & 1u;
        }
        return;
    }
}

void PixelView::write(int x, int y, int count, const std::uint32_t* in) const {
    std::uint8_t* r = row(y);
    switch (layout) {
    case PixelLayout::xrgb32:
        std::memmove(r + 4 * static_cast<std::ptrdiff_t>(x), in, 4 * static_cast<std::size_t>(count));
        return;
    case PixelLayout::rgb24:
        for (int i = 0; i < count; ++i) {
            std::uint8_t* p = r + 3 * static_cast<std::ptrdiff_t>(x + i);
            p[0] = static_cast<std::uint8_t>(in[i]);
            p[1] = static_cast<std::uint8_t>(in[i] >> 8);
            p[2] = static_cast<std::uint8_t>(in[i] >> 16);
        }
        return;
    case PixelLayout::rgb555:
        for (int i = 0; i < count; ++i) {
            std::uint8_t* p = r + 2 * static_cast<std::ptrdiff_t>(x + i);
            p[0] = static_cast<std::uint8_t>(in[i]);
            p[1] = static_cast<std::uint8_t>((in[i] >> 8) & 0x7F);
        }
        return;
    case PixelLayout::indexed8:
        for (int i = 0; i < count; ++i) r[x + i] = static_cast<std::uint8_t>(in[i]);
        return;
    case PixelLayout::indexed4:
        for (int i = 0; i < count; ++i) {
            const int px = x + i;
            const int shift = (px & 1) ? 0 : 4;
            std::uint8_t& b = r[px / 2];
            b = static_cast<std::uint8_t>((b & ~(0xF << shift)) | ((in[i] & 0xFu) << shift));
        }
        return;
    case PixelLayout::indexed1:
        for (int i = 0; i < count; ++i) {
            const int px = x + i;
            const int bit = 7 - (px & 7);
            std::uint8_t& b = r[px / 8];
            b = static_cast<std::uint8_t>((b & ~(1 << bit)) | ((in[i] & 1u) << bit));
        }
        return;
    }
}

std::uint32_t PixelView::get(int x, int y) const {
    std::uint32_t v = 0;
    read(x, y, 1, &v);
    return v;
}

void PixelView::set(int x, int y, std::uint32_t value) const { write(x, y, 1, &value); }

std::uint32_t PixelView::to_rgb(std::uint32_t value) const {
    switch (layout) {
    case PixelLayout::xrgb32:
    case PixelLayout::rgb24:
        return value & 0xFFFFFFu;
    case PixelLayout::rgb555: {
        auto expand = [](std::uint32_t c) { return (c << 3) | (c >> 2); };
        return (expand((value >> 10) & 0x1F) << 16) | (expand((value >> 5) & 0x1F) << 8) | expand(value & 0x1F);
    }
    default:
        return static_cast<int>(value) < palette_size ? palette[value] : 0;
    }
}

std::uint32_t PixelView::from_rgb(std::uint32_t rgb) const {
    switch (layout) {
    case PixelLayout::xrgb32:
    case PixelLayout::rgb24:
        return rgb & 0xFFFFFFu;
    case PixelLayout::rgb555:
        return (((rgb >> 19) & 0x1F) << 10) | (((rgb >> 11) & 0x1F) << 5) | ((rgb >> 3) & 0x1F);
    default:
        return static_cast<std::uint32_t>(nearest_color_index(palette, palette_size, rgb));
    }
}

} // namespace layer::gdi
