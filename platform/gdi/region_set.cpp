#include "region_set.h"

#include <algorithm>
#include <climits>

namespace layer::gdi {

namespace {

// pixman keeps int32 boxes; rectangles are normalised as the platform does.
pixman_box32_t to_box(const RECT& r) {
    return {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
            std::max(r.top, r.bottom)};
}

} // namespace

RegionSet::RegionSet() { pixman_region32_init(&region_); }

RegionSet::RegionSet(const RECT& rect) : RegionSet() { set_rect(rect); }

RegionSet::RegionSet(const RegionSet& other) : RegionSet() { pixman_region32_copy(&region_, &other.region_); }

RegionSet& RegionSet::operator=(const RegionSet& other) {
    if (this != &other) pixman_region32_copy(&region_, &other.region_);
    return *this;
}

RegionSet::~RegionSet() { pixman_region32_fini(&region_); }

void RegionSet::set_rect(const RECT& rect) {
    const pixman_box32_t b = to_box(rect);
    pixman_region32_fini(&region_);
    if (b.x1 == b.x2 || b.y1 == b.y2)
        pixman_region32_init(&region_);
    else
        pixman_region32_init_rect(&region_, b.x1, b.y1, static_cast<unsigned>(b.x2 - b.x1),
                                  static_cast<unsigned>(b.y2 - b.y1));
}

void RegionSet::clear() {
    pixman_region32_fini(&region_);
    pixman_region32_init(&region_);
}

bool RegionSet::empty() const { return !pixman_region32_not_empty(&region_); }

int RegionSet::complexity() const {
    const int n = pixman_region32_n_rects(&region_);
    if (n == 0) return NULLREGION;
    return n == 1 ? SIMPLEREGION : COMPLEXREGION;
}

RECT RegionSet::box() const {
    if (empty()) return {0, 0, 0, 0};
    const pixman_box32_t* b = pixman_region32_extents(&region_);
    return {b->x1, b->y1, b->x2, b->y2};
}

std::vector<RECT> RegionSet::rects() const {
    int n = 0;
    const pixman_box32_t* boxes = pixman_region32_rectangles(&region_, &n);
    std::vector<RECT> out;
    out.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) out.push_back({boxes[i].x1, boxes[i].y1, boxes[i].x2, boxes[i].y2});
    return out;
}

bool RegionSet::contains(int x, int y) const { return pixman_region32_contains_point(&region_, x, y, nullptr); }

bool RegionSet::intersects(const RECT& rect) const {
    pixman_box32_t b = to_box(rect);
    if (b.x1 == b.x2 || b.y1 == b.y2) return false;
    return pixman_region32_contains_rectangle(&region_, &b) != PIXMAN_REGION_OUT;
}

bool RegionSet::equals(const RegionSet& other) const {
    return pixman_region32_equal(&region_, &other.region_);
}

void RegionSet::offset(int dx, int dy) {
    // An empty region stays at the origin, as the platform reports it.
    if (!empty()) pixman_region32_translate(&region_, dx, dy);
}

void RegionSet::intersect(const RegionSet& other) {
    pixman_region32_intersect(&region_, &region_, &other.region_);
}

void RegionSet::unite(const RegionSet& other) { pixman_region32_union(&region_, &region_, &other.region_); }

void RegionSet::subtract(const RegionSet& other) {
    pixman_region32_subtract(&region_, &region_, &other.region_);
}

void RegionSet::exclusive_or(const RegionSet& other) {
    RegionSet a_minus_b(*this);
    a_minus_b.subtract(other);
    RegionSet b_minus_a(other);
    b_minus_a.subtract(*this);
    a_minus_b.unite(b_minus_a);
    *this = a_minus_b;
}

} // namespace layer::gdi
