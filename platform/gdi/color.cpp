#include "color.h"

namespace layer::gdi {

const std::vector<PALETTEENTRY>& default_palette_entries() {
    static const auto* entries = new std::vector<PALETTEENTRY>{
        {0x00, 0x00, 0x00, 0}, {0x80, 0x00, 0x00, 0}, {0x00, 0x80, 0x00, 0}, {0x80, 0x80, 0x00, 0},
        {0x00, 0x00, 0x80, 0}, {0x80, 0x00, 0x80, 0}, {0x00, 0x80, 0x80, 0}, {0xC0, 0xC0, 0xC0, 0},
        {0xC0, 0xDC, 0xC0, 0}, {0xA6, 0xCA, 0xF0, 0}, {0xFF, 0xFB, 0xF0, 0}, {0xA0, 0xA0, 0xA4, 0},
        {0x80, 0x80, 0x80, 0}, {0xFF, 0x00, 0x00, 0}, {0x00, 0xFF, 0x00, 0}, {0xFF, 0xFF, 0x00, 0},
        {0x00, 0x00, 0xFF, 0}, {0xFF, 0x00, 0xFF, 0}, {0x00, 0xFF, 0xFF, 0}, {0xFF, 0xFF, 0xFF, 0},
    };
    return *entries;
}

COLORREF resolve_color(COLORREF color, const std::vector<PALETTEENTRY>& palette) {
    switch (color >> 24) {
    case 0x00:
    case 0x02: // PALETTERGB: on a true-colour surface the colour itself.
    case 0x10: // DIBINDEX: only meaningful on paletted surfaces; taken as a colour.
        return color & 0xFFFFFFu;
    case 0x01: {
        if (palette.empty()) return 0;
        std::size_t index = color & 0xFFFFu;
        if (index >= palette.size()) index = 0;
        const PALETTEENTRY& e = palette[index];
        return RGB(e.peRed, e.peGreen, e.peBlue);
    }
    default:
        return 0;
    }
}

std::vector<std::uint32_t> default_color_table(int bits_per_pixel) {
    auto pixel = [](const PALETTEENTRY& e) {
        return (std::uint32_t{e.peRed} << 16) | (std::uint32_t{e.peGreen} << 8) | e.peBlue;
    };
    const auto& pal = default_palette_entries();
    switch (bits_per_pixel) {
    case 1:
        return {0x000000u, 0xFFFFFFu};
    case 4: {
        // The first seven entries, then grey and silver swapped in, then the bright colours.
        std::vector<std::uint32_t> t;
        for (int i = 0; i < 7; ++i) t.push_back(pixel(pal[static_cast<std::size_t>(i)]));
        t.push_back(0x808080u);
        t.push_back(0xC0C0C0u);
        for (int i = 13; i < 20; ++i) t.push_back(pixel(pal[static_cast<std::size_t>(i)]));
        return t;
    }
    case 8: {
        std::vector<std::uint32_t> t(256);
        for (std::uint32_t i = 0; i < 256; ++i)
            t[i] = ((i & 7u) << 21) | (((i >> 3) & 7u) << 13) | (((i >> 6) & 3u) << 6);
        for (std::size_t i = 0; i < 10; ++i) {
            t[i] = pixel(pal[i]);
            t[246 + i] = pixel(pal[10 + i]);
        }
        return t;
    }
    default:
        return {};
    }
}

int nearest_color_index(const std::uint32_t* table, int count, std::uint32_t pixel) {
    int best = 0;
    long best_distance = -1;
    const long r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
    for (int i = 0; i < count; ++i) {
        const long dr = r - static_cast<long>((table[i] >> 16) & 0xFF);
        const long dg = g - static_cast<long>((table[i] >> 8) & 0xFF);
        const long db = b - static_cast<long>(table[i] & 0xFF);
        const long d = dr * dr + dg * dg + db * db;
        if (best_distance < 0 || d < best_distance) {
            best = i;
            best_distance = d;
            if (d == 0) break;
        }
    }
    return best;
}

} // namespace layer::gdi
