#include "pattern_source.h"

#include "dib_format.h"

namespace layer::gdi {

std::shared_ptr<const BrushPattern> pattern_from_bitmap(const Bitmap& bitmap) {
    const PixelView v = bitmap.view();
    if (!v.valid()) return nullptr;
    auto p = std::make_shared<BrushPattern>();
    p->width = v.width;
    p->height = v.height;
    p->monochrome = v.monochrome;
    p->pixels.resize(static_cast<std::size_t>(v.width) * static_cast<std::size_t>(v.height));
    for (int y = 0; y < v.height; ++y) {
        std::uint32_t* row = p->pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(v.width);
        v.read(0, y, v.width, row);
        if (!v.monochrome)
            for (int x = 0; x < v.width; ++x) row[x] = v.to_rgb(row[x]);
    }
    return p;
}

std::shared_ptr<const BrushPattern> pattern_from_packed_dib(const void* packed, UINT usage,
                                                            const std::vector<PALETTEENTRY>& palette) {
    if (!packed || (usage != DIB_RGB_COLORS && usage != DIB_PAL_COLORS)) return nullptr;
    const auto& info = *static_cast<const BITMAPINFO*>(packed);
    DibFormat f;
    if (!dib_format(info.bmiHeader, f)) return nullptr;
    const std::vector<std::uint32_t> table = read_color_table(info, usage, palette);
    const int entry_bytes = usage == DIB_PAL_COLORS ? 2 : 4;
    const auto* pixels = static_cast<const std::uint8_t*>(packed) + info.bmiHeader.biSize +
                         static_cast<std::size_t>(color_table_entries(info.bmiHeader) * entry_bytes);
    const PixelView v = dib_view(const_cast<std::uint8_t*>(pixels), f, table);
    auto p = std::make_shared<BrushPattern>();
    p->width = v.width;
    p->height = v.height;
    p->pixels.resize(static_cast<std::size_t>(v.width) * static_cast<std::size_t>(v.height));
    for (int y = 0; y < v.height; ++y) {
        std::uint32_t* row = p->pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(v.width);
        v.read(0, y, v.width, row);
        for (int x = 0; x < v.width; ++x) row[x] = v.to_rgb(row[x]);
    }
    return p;
}

} // namespace layer::gdi
