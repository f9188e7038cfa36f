#include "brush_pattern.h"

#include "color.h"
#include "handle_table.h"

namespace layer::gdi {

namespace {

constexpr std::uint8_t hatch_table[6][8] = {
    {0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00}, // HS_HORIZONTAL
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08}, // HS_VERTICAL
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01}, // HS_FDIAGONAL
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80}, // HS_BDIAGONAL
    {0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08, 0x08}, // HS_CROSS
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81}, // HS_DIAGCROSS
};

int wrap(int v, int n) {
    const int m = v % n;
    return m < 0 ? m + n : m;
}

const std::vector<PALETTEENTRY>& dc_palette(const DeviceContext& dc) {
    if (const Palette* p = find<Palette>(dc.palette)) return p->entries;
    return default_palette_entries();
}

} // namespace

const std::uint8_t* hatch_rows(ULONG_PTR hatch) { return hatch < 6 ? hatch_table[hatch] : nullptr; }

BrushPaint::BrushPaint(const Brush& brush, const DeviceContext& dc, const PixelView& target) {
    const auto& palette = dc_palette(dc);
    auto device = [&](COLORREF c) { return target.from_rgb(swap_red_blue(resolve_color(c, palette))); };
    origin_ = dc.brush_origin;
    switch (brush.style) {
    case BS_SOLID:
        kind_ = Kind::solid;
        solid_ = device(brush.color);
        break;
    case BS_HATCHED:
        hatch_ = hatch_rows(brush.hatch);
        if (!hatch_) break;
        kind_ = Kind::hatch;
        solid_ = device(brush.color);
        background_ = device(dc.bk_color);
        break;
    case BS_PATTERN:
    case BS_DIBPATTERN:
    case BS_DIBPATTERNPT:
        if (!brush.pattern || brush.pattern->width <= 0 || brush.pattern->height <= 0) break;
        kind_ = Kind::tiles;
        tile_width_ = brush.pattern->width;
        tile_height_ = brush.pattern->height;
        tile_.reserve(brush.pattern->pixels.size());
        if (brush.pattern->monochrome) {
            // Clear bits take the text colour, set bits the background colour.
            const std::uint32_t fore = device(dc.text_color), back = device(dc.bk_color);
            for (std::uint32_t bit : brush.pattern->pixels) tile_.push_back(bit ? back : fore);
        } else {
            for (std::uint32_t rgb : brush.pattern->pixels) tile_.push_back(target.from_rgb(rgb));
        }
        break;
    default:
        break;
    }
}

bool BrushPaint::foreground(int x, int y) const {
    if (kind_ != Kind::hatch) return true;
    const std::uint8_t bits = hatch_[wrap(y - origin_.y, 8)];
    return (bits >> (7 - wrap(x - origin_.x, 8))) & 1u;
}

void BrushPaint::row(int x, int y, int count, std::uint32_t* out) const {
    switch (kind_) {
    case Kind::none:
    case Kind::solid:
        for (int i = 0; i < count; ++i) out[i] = solid_;
        return;
    case Kind::hatch: {
        const std::uint8_t bits = hatch_[wrap(y - origin_.y, 8)];
        int column = wrap(x - origin_.x, 8);
        for (int i = 0; i < count; ++i) {
            out[i] = ((bits >> (7 - column)) & 1u) ? solid_ : background_;
            column = (column + 1) & 7;
        }
        return;
    }
    case Kind::tiles: {
        const std::uint32_t* tile_row =
            tile_.data() + static_cast<std::size_t>(wrap(y - origin_.y, tile_height_)) * static_cast<std::size_t>(tile_width_);
        int column = wrap(x - origin_.x, tile_width_);
        for (int i = 0; i < count; ++i) {
            out[i] = tile_row[column];
            if (++column == tile_width_) column = 0;
        }
        return;
    }
    }
}

} // namespace layer::gdi
