#include "draw_scaled.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace layer::gdiplus {

namespace {

std::uint32_t div255(std::uint32_t v) {
    v += 128;
    return (v + (v >> 8)) >> 8;
}

// A fraction in [0, 1) as the 0..255 weight the interpolation uses. The 32-bit reference works
// this out in extended precision, which for a single-precision fraction is exact, as here; its
// 64-bit build rounds to single precision on the way and differs at a few ties.
int weight_of(float fraction) { return static_cast<int>(static_cast<double>(fraction) * 255.0 + 0.5); }

struct Mapping {
    // Device pixel to picture coordinates: through the inverse world transform to logical
    // coordinates, then the rectangle's scale, kept in single precision as the reference does.
    bool identity_world;
    double m11, m12, m21, m22, dx, dy; // inverse world transform
    float inverse_x, inverse_y;        // picture pixels per logical unit
    float offset_x, offset_y;

    void to_picture(int device_x, int device_y, float& sx, float& sy) const {
        float lx, ly;
        if (identity_world) {
            lx = static_cast<float>(device_x);
            ly = static_cast<float>(device_y);
        } else {
            lx = static_cast<float>(device_x * m11 + device_y * m21 + dx);
            ly = static_cast<float>(device_x * m12 + device_y * m22 + dy);
        }
        // One rounding to single precision, as the reference stores the mapped point.
        sx = static_cast<float>(static_cast<double>(lx) * inverse_x + offset_x);
        sy = static_cast<float>(static_cast<double>(ly) * inverse_y + offset_y);
    }
};

bool make_mapping(const XFORM& w, int x, int y, int width, int height, int picture_width, int picture_height,
                  Mapping& m) {
    m.identity_world = w.eM11 == 1.0f && w.eM12 == 0.0f && w.eM21 == 0.0f && w.eM22 == 1.0f && w.eDx == 0.0f &&
                       w.eDy == 0.0f;
    const double det = static_cast<double>(w.eM11) * w.eM22 - static_cast<double>(w.eM12) * w.eM21;
    if (det == 0.0) return false;
    m.m11 = w.eM22 / det;
    m.m12 = -w.eM12 / det;
    m.m21 = -w.eM21 / det;
    m.m22 = w.eM11 / det;
    m.dx = -(w.eDx * m.m11 + w.eDy * m.m21);
    m.dy = -(w.eDx * m.m12 + w.eDy * m.m22);
    const float scale_x = static_cast<float>(width) / static_cast<float>(picture_width);
    const float scale_y = static_cast<float>(height) / static_cast<float>(picture_height);
    m.inverse_x = 1.0f / scale_x;
    m.inverse_y = 1.0f / scale_y;
    m.offset_x = -static_cast<float>(x) * m.inverse_x;
    m.offset_y = -static_cast<float>(y) * m.inverse_y;
    return true;
}

// The device pixels that the rectangle can touch, within the surface.
RECT device_bounds(const XFORM& w, int x, int y, int width, int height, int surface_width, int surface_height) {
    double min_x = 1e300, min_y = 1e300, max_x = -1e300, max_y = -1e300;
    const double xs[] = {static_cast<double>(x), static_cast<double>(x) + width};
    const double ys[] = {static_cast<double>(y), static_cast<double>(y) + height};
    for (double px : xs)
        for (double py : ys) {
            const double dx = px * w.eM11 + py * w.eM21 + w.eDx;
            const double dy = px * w.eM12 + py * w.eM22 + w.eDy;
            min_x = std::min(min_x, dx);
            max_x = std::max(max_x, dx);
            min_y = std::min(min_y, dy);
            max_y = std::max(max_y, dy);
        }
    auto clamp = [](double v, int limit) { return static_cast<LONG>(std::clamp(v, 0.0, static_cast<double>(limit))); };
    return {clamp(std::floor(min_x), surface_width), clamp(std::floor(min_y), surface_height),
            clamp(std::ceil(max_x) + 1, surface_width), clamp(std::ceil(max_y) + 1, surface_height)};
}

class Sampler {
public:
    explicit Sampler(const Raster& picture)
        : picture_(picture), opaque_mask_(picture.has_alpha ? 0u : 0xFF000000u) {}

    std::uint32_t at(int x, int y) const {
        if (x < 0 || y < 0 || x >= picture_.width || y >= picture_.height) return 0;
        return picture_.row(y)[x] | opaque_mask_;
    }

    std::uint32_t bilinear(float sx, float sy) const {
        const float floor_x = std::floor(sx);
        const float floor_y = std::floor(sy);
        const int x0 = static_cast<int>(floor_x);
        const int y0 = static_cast<int>(floor_y);
        const int wx = weight_of(sx - floor_x);
        const int wy = weight_of(sy - floor_y);
        const std::uint32_t top = interpolate(at(x0, y0), at(x0 + 1, y0), wx);
        const std::uint32_t bottom = interpolate(at(x0, y0 + 1), at(x0 + 1, y0 + 1), wx);
        return interpolate(top, bottom, wy);
    }

private:
    const Raster& picture_;
    std::uint32_t opaque_mask_;
};

// The spans of the surface that may be drawn: the clip region's rectangles within bounds.
std::vector<RECT> drawable_spans(const RECT& bounds, const gdi::RegionSet* clip) {
    std::vector<RECT> out;
    if (!clip) {
        if (bounds.left < bounds.right && bounds.top < bounds.bottom) out.push_back(bounds);
        return out;
    }
    for (const RECT& r : clip->rects()) {
        const RECT c{std::max(r.left, bounds.left), std::max(r.top, bounds.top), std::min(r.right, bounds.right),
                     std::min(r.bottom, bounds.bottom)};
        if (c.left < c.right && c.top < c.bottom) out.push_back(c);
    }
    return out;
}

void store(const gdi::PixelView& view, int x, int y, std::uint32_t source) {
    if (view.layout == gdi::PixelLayout::xrgb32) {
        std::uint32_t& target = view.row32(y)[x];
        target = composite_over(source, target);
    } else {
        const std::uint32_t below = view.to_rgb(view.get(x, y));
        view.set(x, y, view.from_rgb(composite_over(source, below) & 0xFFFFFF));
    }
}

// The picture at its own size, at whole device pixels: every sample falls on a pixel centre.
bool draw_unscaled(const Raster& picture, int x, int y, int width, int height, const gdi::ImagingSurface& surface,
                   const std::vector<RECT>& spans) {
    const XFORM& w = surface.world;
    const bool translation_only = w.eM11 == 1.0f && w.eM12 == 0.0f && w.eM21 == 0.0f && w.eM22 == 1.0f &&
                                  w.eDx == std::floor(w.eDx) && w.eDy == std::floor(w.eDy);
    if (!translation_only || width != picture.width || height != picture.height) return false;
    const int left = x + static_cast<int>(w.eDx);
    const int top = y + static_cast<int>(w.eDy);
    const std::uint32_t opaque_mask = picture.has_alpha ? 0u : 0xFF000000u;
    const bool direct = surface.pixels.layout == gdi::PixelLayout::xrgb32;
    for (const RECT& span : spans) {
        const int x_from = std::max<int>(span.left, left);
        const int x_to = std::min<int>(span.right, left + width);
        for (int py = std::max<int>(span.top, top); py < std::min<int>(span.bottom, top + height); ++py) {
            const std::uint32_t* src = picture.row(py - top) + (x_from - left);
            if (direct) {
                std::uint32_t* dst = surface.pixels.row32(py) + x_from;
                if (!picture.has_alpha) {
                    for (int i = 0; i < x_to - x_from; ++i) dst[i] = src[i] | opaque_mask;
                } else {
                    for (int i = 0; i < x_to - x_from; ++i) dst[i] = composite_over(src[i], dst[i]);
                }
            } else {
                for (int px = x_from; px < x_to; ++px) store(surface.pixels, px, py, src[px - x_from] | opaque_mask);
            }
        }
    }
    return true;
}

} // namespace

std::uint32_t interpolate(std::uint32_t start, std::uint32_t end, int position) {
    const std::uint32_t start_weight = (start >> 24) * static_cast<std::uint32_t>(255 - position);
    const std::uint32_t end_weight = (end >> 24) * static_cast<std::uint32_t>(position);
    const std::uint32_t total = start_weight + end_weight;
    if (total < 255) return 0;
    auto channel = [&](int shift) {
        return (((start >> shift) & 0xFF) * start_weight + ((end >> shift) & 0xFF) * end_weight) / total;
    };
    return ((total / 255) << 24) | (channel(16) << 16) | (channel(8) << 8) | channel(0);
}

std::uint32_t composite_over(std::uint32_t source, std::uint32_t destination) {
    const std::uint32_t alpha = source >> 24;
    if (alpha == 255) return source;
    if (alpha == 0) return destination;
    const std::uint32_t keep = 255 - alpha;
    std::uint32_t out = (alpha + div255((destination >> 24) * keep)) << 24;
    for (int shift = 0; shift <= 16; shift += 8) {
        const std::uint32_t s = div255(((source >> shift) & 0xFF) * alpha);
        const std::uint32_t d = div255(((destination >> shift) & 0xFF) * keep);
        out |= ((s + d) & 0xFF) << shift;
    }
    return out;
}

void draw_scaled(const Raster& picture, int x, int y, int width, int height, const gdi::ImagingSurface& surface) {
    if (width == 0 || height == 0 || picture.width <= 0 || picture.height <= 0) return;
    const gdi::PixelView& view = surface.pixels;
    const RECT bounds = device_bounds(surface.world, x, y, width, height, view.width, view.height);
    const std::vector<RECT> spans = drawable_spans(bounds, surface.clip);
    if (spans.empty()) return;
    if (draw_unscaled(picture, x, y, width, height, surface, spans)) return;

    Mapping mapping;
    if (!make_mapping(surface.world, x, y, width, height, picture.width, picture.height, mapping)) return;
    const Sampler sampler(picture);
    const float limit_x = static_cast<float>(picture.width);
    const float limit_y = static_cast<float>(picture.height);
    for (const RECT& span : spans) {
        for (int py = span.top; py < span.bottom; ++py) {
            for (int px = span.left; px < span.right; ++px) {
                float sx, sy;
                mapping.to_picture(px, py, sx, sy);
                // Inside the rectangle: its far edges belong to the next pixels over.
                if (!(sx >= 0.0f && sx < limit_x && sy >= 0.0f && sy < limit_y)) continue;
                store(view, px, py, sampler.bilinear(sx, sy));
            }
        }
    }
}

} // namespace layer::gdiplus
