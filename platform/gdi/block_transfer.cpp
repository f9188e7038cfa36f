#include "block_transfer.h"

#include "brush_pattern.h"
#include "color.h"
#include "handle_table.h"
#include "rop.h"
#include "stretch_map.h"
#include "transform.h"

#include <algorithm>
#include <climits>
#include <optional>
#include <vector>

namespace layer::gdi {

namespace {

const std::vector<PALETTEENTRY>& palette_of(const DeviceContext& dc) {
    if (const Palette* p = find<Palette>(dc.palette)) return p->entries;
    return default_palette_entries();
}

std::uint32_t device_color(const DeviceContext& dc, const PixelView& view, COLORREF color) {
    return view.from_rgb(swap_red_blue(resolve_color(color, palette_of(dc))));
}

// Turns device values of the source surface into device values of the destination surface,
// with the platform's rules for monochrome bitmaps on either side.
class SourceConverter {
public:
    SourceConverter(const DeviceContext& source_dc, const PixelView& source, const DeviceContext& dest_dc,
                    const PixelView& dest)
        : source_(source), dest_(dest) {
        if (source.monochrome && !dest.monochrome) {
            mode_ = Mode::from_monochrome;
            fore_ = device_color(dest_dc, dest, dest_dc.text_color);
            back_ = device_color(dest_dc, dest, dest_dc.bk_color);
        } else if (dest.monochrome && !source.monochrome) {
            mode_ = Mode::to_monochrome;
            back_ = swap_red_blue(resolve_color(source_dc.bk_color, palette_of(source_dc)));
        } else if (source.layout == dest.layout &&
                   (source.palette_size == 0 ||
                    (source.palette_size == dest.palette_size &&
                     std::equal(source.palette, source.palette + source.palette_size, dest.palette)))) {
            mode_ = Mode::same;
        }
    }

    bool identity() const { return mode_ == Mode::same; }

    void convert(std::uint32_t* values, int count) const {
        switch (mode_) {
        case Mode::same:
            return;
        case Mode::from_monochrome:
            for (int i = 0; i < count; ++i) values[i] = values[i] ? back_ : fore_;
            return;
        case Mode::to_monochrome:
            // The source's background colour turns white, everything else black; a 32-bit pixel
            // is compared whole.
            for (int i = 0; i < count; ++i) {
                const std::uint32_t v = source_.layout == PixelLayout::xrgb32 ? values[i] : source_.to_rgb(values[i]);
                values[i] = v == back_ ? 1u : 0u;
            }
            return;
        case Mode::through_rgb:
            for (int i = 0; i < count; ++i) values[i] = dest_.from_rgb(source_.to_rgb(values[i]));
            return;
        }
    }

private:
    enum class Mode { same, from_monochrome, to_monochrome, through_rgb };
    Mode mode_ = Mode::through_rgb;
    const PixelView& source_;
    const PixelView& dest_;
    std::uint32_t fore_ = 0, back_ = 0;
};

// Source pixels copied aside when a DC copies onto its own surface.
struct SourceSnapshot {
    RECT box{};
    std::vector<std::uint32_t> pixels;
    void take(const PixelView& view, const RECT& r) {
        box = r;
        const int w = r.right - r.left;
        pixels.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(r.bottom - r.top));
        for (int y = r.top; y < r.bottom; ++y)
            view.read(r.left, y, w, pixels.data() + static_cast<std::size_t>(y - r.top) * static_cast<std::size_t>(w));
    }
};

class SourceReader {
public:
    SourceReader(const PixelView& view, const SourceSnapshot* snapshot) : view_(view), snapshot_(snapshot) {}
    void read(int x, int y, int count, std::uint32_t* out) const {
        if (!snapshot_) return view_.read(x, y, count, out);
        const int w = snapshot_->box.right - snapshot_->box.left;
        const std::uint32_t* row = snapshot_->pixels.data() +
                                   static_cast<std::size_t>(y - snapshot_->box.top) * static_cast<std::size_t>(w) +
                                   (x - snapshot_->box.left);
        std::copy(row, row + count, out);
    }

private:
    const PixelView& view_;
    const SourceSnapshot* snapshot_;
};

// Transparent hatches: pixels under the hatch background keep their old value.
void keep_hatch_background(const BrushPaint* paint, bool transparent, int x, int y, const std::vector<std::uint32_t>& old,
                           std::vector<std::uint32_t>& d, int count) {
    if (!paint || !transparent || !paint->hatched()) return;
    for (int i = 0; i < count; ++i)
        if (!paint->foreground(x + i, y)) d[static_cast<std::size_t>(i)] = old[static_cast<std::size_t>(i)];
}

RECT intersect(const RECT& a, const RECT& b) {
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    if (r.right <= r.left || r.bottom <= r.top) return {0, 0, 0, 0};
    return r;
}

int clamp_int(long long v) { return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX)); }

// Pixel-for-pixel transfer: equal extents in the same direction.
void transfer_plain(const DeviceContext& dest_dc, SurfaceLock& dest, RegionSet area, const DeviceContext& source_dc,
                    const SurfaceLock& source, int dx, int dy, const BrushPaint* paint, std::uint8_t code) {
    // Only destination pixels whose source pixel exists are touched.
    RECT reach = source.bounds();
    reach = {clamp_int(static_cast<long long>(reach.left) - dx), clamp_int(static_cast<long long>(reach.top) - dy),
             clamp_int(static_cast<long long>(reach.right) - dx), clamp_int(static_cast<long long>(reach.bottom) - dy)};
    area.intersect(RegionSet(reach));
    if (area.empty()) return;

    const PixelView& dv = dest.view();
    const PixelView& sv = source.view();
    SourceSnapshot snapshot;
    const bool self = dest.same_pixels(source);
    if (self) {
        const RECT b = area.box();
        snapshot.take(sv, {b.left + dx, b.top + dy, b.right + dx, b.bottom + dy});
    }
    const SourceReader reader(sv, self ? &snapshot : nullptr);
    const SourceConverter converter(source_dc, sv, dest_dc, dv);
    if (code == 0xCC && !self && converter.identity() && dv.layout == PixelLayout::xrgb32) {
        // A straight copy between 32-bit surfaces, the window's refresh among them: row by row.
        for (const RECT& r : area.rects())
            for (int y = r.top; y < r.bottom; ++y)
                dv.write(r.left, y, r.right - r.left, sv.row32(y + dy) + (r.left + dx));
        dest.mark_modified();
        return;
    }
    const bool transparent = dest_dc.bk_mode == TRANSPARENT && paint && paint->hatched();
    const bool use_d = rop_uses_destination(code) || transparent;
    std::vector<std::uint32_t> s, p, d, old;
    for (const RECT& r : area.rects()) {
        const int n = r.right - r.left;
        s.resize(static_cast<std::size_t>(n));
        p.resize(static_cast<std::size_t>(n));
        d.resize(static_cast<std::size_t>(n));
        for (int y = r.top; y < r.bottom; ++y) {
            reader.read(r.left + dx, y + dy, n, s.data());
            converter.convert(s.data(), n);
            if (paint) paint->row(r.left, y, n, p.data());
            if (use_d) dv.read(r.left, y, n, d.data());
            if (transparent) old = d;
            rop3_row(code, p.data(), s.data(), d.data(), n);
            keep_hatch_background(paint, transparent, r.left, y, old, d, n);
            dv.write(r.left, y, n, d.data());
        }
    }
    dest.mark_modified();
}

// Transfer with stretching, shrinking or mirroring.
void transfer_stretched(const DeviceContext& dest_dc, SurfaceLock& dest, const RegionSet& area,
                        const DeviceContext& source_dc, const SurfaceLock& source, const DeviceBox& to,
                        const DeviceBox& from, const BrushPaint* paint, std::uint8_t code) {
    const PixelView& dv = dest.view();
    const PixelView& sv = source.view();
    const RECT box = area.box();
    const AxisMap xs = map_axis({to.x, to.width, from.x, from.width, sv.width, box.left, box.right});
    const AxisMap ys = map_axis({to.y, to.height, from.y, from.height, sv.height, box.top, box.bottom});

    SourceSnapshot snapshot;
    const bool self = dest.same_pixels(source);
    if (self) snapshot.take(sv, source.bounds());
    const SourceReader reader(sv, self ? &snapshot : nullptr);
    const SourceConverter converter(source_dc, sv, dest_dc, dv);
    const int mode = dest_dc.stretch_mode;
    const bool transparent = dest_dc.bk_mode == TRANSPARENT && paint && paint->hatched();
    const bool use_d = rop_uses_destination(code) || transparent;

    std::vector<std::uint32_t> line, scratch, s, p, d, old;
    for (const RECT& r : area.rects()) {
        // Source columns this rectangle can reach.
        int col_low = INT_MAX, col_high = INT_MIN;
        for (int x = r.left; x < r.right; ++x) {
            const AxisSpan* span = xs.at(x);
            if (span && span->available) {
                col_low = std::min(col_low, span->low);
                col_high = std::max(col_high, span->high);
            }
        }
        if (col_low > col_high) continue;
        const int cols = col_high - col_low + 1;
        line.resize(static_cast<std::size_t>(cols));
        scratch.resize(static_cast<std::size_t>(cols));
        const int n = r.right - r.left;
        s.resize(static_cast<std::size_t>(n));
        p.resize(static_cast<std::size_t>(n));
        d.resize(static_cast<std::size_t>(n));

        for (int y = r.top; y < r.bottom; ++y) {
            const AxisSpan* row_span = ys.at(y);
            if (!row_span || !row_span->available) continue;
            // Gather the source rows of this destination row: AND keeps black (BLACKONWHITE),
            // OR keeps white (WHITEONBLACK), otherwise the last row taken.
            if (mode == BLACKONWHITE || mode == WHITEONBLACK) {
                reader.read(col_low, row_span->low, cols, line.data());
                for (int sy = row_span->low + 1; sy <= row_span->high; ++sy) {
                    reader.read(col_low, sy, cols, scratch.data());
                    for (int i = 0; i < cols; ++i)
                        line[static_cast<std::size_t>(i)] = mode == BLACKONWHITE ? (line[static_cast<std::size_t>(i)] & scratch[static_cast<std::size_t>(i)])
                                                                                  : (line[static_cast<std::size_t>(i)] | scratch[static_cast<std::size_t>(i)]);
                }
            } else {
                reader.read(col_low, row_span->last, cols, line.data());
            }
            for (int i = 0; i < n; ++i) {
                const AxisSpan* span = xs.at(r.left + i);
                if (!span || !span->available) continue;
                std::uint32_t v;
                if (mode == BLACKONWHITE || mode == WHITEONBLACK) {
                    v = line[static_cast<std::size_t>(span->low - col_low)];
                    for (int sx = span->low + 1; sx <= span->high; ++sx) {
                        const std::uint32_t w = line[static_cast<std::size_t>(sx - col_low)];
                        v = mode == BLACKONWHITE ? (v & w) : (v | w);
                    }
                } else {
                    v = line[static_cast<std::size_t>(span->last - col_low)];
                }
                s[static_cast<std::size_t>(i)] = v;
            }
            converter.convert(s.data(), n);
            if (paint) paint->row(r.left, y, n, p.data());
            if (use_d) dv.read(r.left, y, n, d.data());
            if (transparent) old = d;
            rop3_row(code, p.data(), s.data(), d.data(), n);
            keep_hatch_background(paint, transparent, r.left, y, old, d, n);
            // Write back only the pixels that had a source, in runs.
            int i = 0;
            while (i < n) {
                const AxisSpan* span = xs.at(r.left + i);
                if (!span || !span->available) {
                    ++i;
                    continue;
                }
                int j = i + 1;
                while (j < n) {
                    const AxisSpan* next = xs.at(r.left + j);
                    if (!next || !next->available) break;
                    ++j;
                }
                dv.write(r.left + i, y, j - i, d.data() + i);
                i = j;
            }
        }
    }
    dest.mark_modified();
}

} // namespace

DeviceBox to_device_box(const DeviceContext& dc, int x, int y, int width, int height) {
    const PointF a = apply(dc.xform, x, y);
    const PointF b = apply(dc.xform, static_cast<double>(x) + width, static_cast<double>(y) + height);
    const int ax = round_coordinate(a.x), ay = round_coordinate(a.y);
    return {ax, ay, clamp_int(static_cast<long long>(round_coordinate(b.x)) - ax),
            clamp_int(static_cast<long long>(round_coordinate(b.y)) - ay)};
}

RECT normalised(const DeviceBox& box) {
    long long l, r, t, b;
    axis_range(box.x, box.width, l, r);
    axis_range(box.y, box.height, t, b);
    return {clamp_int(l), clamp_int(t), clamp_int(r), clamp_int(b)};
}

RegionSet drawable_area(const DeviceContext& dc, const SurfaceLock& surface, const RECT& rect) {
    RegionSet area(intersect(rect, surface.bounds()));
    if (dc.clip) area.intersect(*dc.clip);
    return area;
}

void fill_area(const DeviceContext& dc, SurfaceLock& surface, const RegionSet& area, const Brush* brush,
               std::uint8_t code, bool hatch_background) {
    if (area.empty()) return;
    const PixelView& view = surface.view();
    std::optional<BrushPaint> paint;
    if (rop_uses_pattern(code)) {
        if (!brush) return;
        paint.emplace(*brush, dc, view);
        if (!paint->paints()) return;
    }
    const bool lines_only = paint && paint->hatched() && !hatch_background;
    const bool use_d = rop_uses_destination(code) || lines_only;
    std::vector<std::uint32_t> p, d, old;
    for (const RECT& r : area.rects()) {
        const int n = r.right - r.left;
        p.resize(static_cast<std::size_t>(n));
        d.resize(static_cast<std::size_t>(n));
        for (int y = r.top; y < r.bottom; ++y) {
            if (paint) paint->row(r.left, y, n, p.data());
            if (use_d) view.read(r.left, y, n, d.data());
            if (lines_only) old = d;
            rop3_row(code, p.data(), nullptr, d.data(), n);
            if (lines_only)
                for (int i = 0; i < n; ++i)
                    if (!paint->foreground(r.left + i, y)) d[static_cast<std::size_t>(i)] = old[static_cast<std::size_t>(i)];
            view.write(r.left, y, n, d.data());
        }
    }
    surface.mark_modified();
}

bool block_transfer(DeviceContext& dest, const DeviceBox& to, const DeviceContext* source, const DeviceBox& from,
                    std::uint8_t code) {
    const bool use_s = rop_uses_source(code);
    if (use_s && source == nullptr) return false;
    if (to.width == 0 || to.height == 0) return true;
    SurfaceLock dest_surface(dest);
    if (!dest_surface.valid()) return true;
    const RegionSet area = drawable_area(dest, dest_surface, normalised(to));
    if (area.empty()) return true;

    const Brush* brush = rop_uses_pattern(code) ? find<Brush>(dest.brush) : nullptr;
    if (rop_uses_pattern(code) && brush == nullptr) return false;
    if (!use_s) {
        fill_area(dest, dest_surface, area, brush, code, dest.bk_mode != TRANSPARENT);
        return true;
    }
    if (from.width == 0 || from.height == 0) return true;

    const SurfaceLock source_surface(*source, dest_surface);
    if (!source_surface.valid()) return true;
    std::optional<BrushPaint> paint;
    if (brush) {
        paint.emplace(*brush, dest, dest_surface.view());
        if (!paint->paints()) return true;
    }
    const bool plain = to.width == from.width && to.height == from.height;
    if (plain)
        transfer_plain(dest, dest_surface, area, *source, source_surface, from.x - to.x, from.y - to.y,
                       paint ? &*paint : nullptr, code);
    else
        transfer_stretched(dest, dest_surface, area, *source, source_surface, to, from, paint ? &*paint : nullptr, code);
    return true;
}

} // namespace layer::gdi
