#include "dib_format.h"

#include "bitmap_store.h"

#include <algorithm>
#include <climits>

namespace layer::gdi {

bool dib_format(const BITMAPINFOHEADER& h, DibFormat& f) {
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == INT_MIN) return false;
    if (h.biCompression != BI_RGB && !(h.biCompression == BI_BITFIELDS && (h.biBitCount == 16 || h.biBitCount == 32)))
        return false;
    if (!layout_for_bits(h.biBitCount, f.layout)) return false;
    f.width = h.biWidth;
    f.height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    f.top_down = h.biHeight < 0;
    f.bits = h.biBitCount;
    f.row_bytes = padded_row_bytes(h.biWidth, h.biBitCount, 4);
    return f.row_bytes > 0;
}

int color_table_entries(const BITMAPINFOHEADER& h) {
    if (h.biBitCount > 8) return h.biCompression == BI_BITFIELDS ? 3 : 0;
    const int max_entries = 1 << h.biBitCount;
    return h.biClrUsed != 0 && static_cast<int>(h.biClrUsed) < max_entries ? static_cast<int>(h.biClrUsed) : max_entries;
}

PixelView dib_view(void* bits, const DibFormat& f, const std::vector<std::uint32_t>& table) {
    PixelView v;
    auto* base = static_cast<std::uint8_t*>(bits);
    v.layout = f.layout;
    v.width = f.width;
    v.height = f.height;
    if (f.top_down) {
        v.top = base;
        v.stride = f.row_bytes;
    } else {
        v.top = base + f.row_bytes * (f.height - 1);
        v.stride = -f.row_bytes;
    }
    v.palette = table.data();
    v.palette_size = static_cast<int>(table.size());
    return v;
}

std::vector<std::uint32_t> read_color_table(const BITMAPINFO& info, UINT usage,
                                            const std::vector<PALETTEENTRY>& palette) {
    const BITMAPINFOHEADER& h = info.bmiHeader;
    std::vector<std::uint32_t> table;
    if (h.biBitCount > 8) return table;
    const int entries = color_table_entries(h);
    const auto* colors = reinterpret_cast<const std::uint8_t*>(&info) + h.biSize;
    for (int i = 0; i < entries; ++i) {
        if (usage == DIB_PAL_COLORS) {
            const WORD index = reinterpret_cast<const WORD*>(colors)[i];
            const PALETTEENTRY e = index < palette.size() ? palette[index] : PALETTEENTRY{0, 0, 0, 0};
            table.push_back((std::uint32_t{e.peRed} << 16) | (std::uint32_t{e.peGreen} << 8) | e.peBlue);
        } else {
            const std::uint8_t* q = colors + 4 * i; // blue, green, red, reserved
            table.push_back((std::uint32_t{q[2]} << 16) | (std::uint32_t{q[1]} << 8) | q[0]);
        }
    }
    table.resize(static_cast<std::size_t>(1) << h.biBitCount, 0);
    return table;
}

void copy_pixels(const PixelView& from, const PixelView& to, int width, int height) {
    const bool same = from.layout == to.layout &&
                      (from.palette_size == 0 ||
                       (from.palette_size == to.palette_size &&
                        std::equal(from.palette, from.palette + from.palette_size, to.palette)));
    std::vector<std::uint32_t> row(static_cast<std::size_t>(width));
    for (int y = 0; y < height; ++y) {
        from.read(0, y, width, row.data());
        if (!same)
            for (auto& v : row) v = to.from_rgb(from.to_rgb(v));
        to.write(0, y, width, row.data());
    }
}

} // namespace layer::gdi
