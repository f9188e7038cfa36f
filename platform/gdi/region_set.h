// A set of pixels made of rectangles, on pixman's 32-bit regions: the storage of region objects
// and of device-context clipping.
#pragma once

#include "win32.h"

#include <pixman.h>

#include <vector>

namespace layer::gdi {

class RegionSet {
public:
    RegionSet();
    explicit RegionSet(const RECT& rect);
    RegionSet(const RegionSet& other);
    RegionSet& operator=(const RegionSet& other);
    ~RegionSet();

    void set_rect(const RECT& rect);
    void clear();
    bool empty() const;
    // NULLREGION, SIMPLEREGION or COMPLEXREGION.
    int complexity() const;
    // The bounding box; all zero when empty.
    RECT box() const;
    std::vector<RECT> rects() const;
    bool contains(int x, int y) const;
    bool intersects(const RECT& rect) const;
    bool equals(const RegionSet& other) const;

    void offset(int dx, int dy);
    void intersect(const RegionSet& other);
    void unite(const RegionSet& other);
    void subtract(const RegionSet& other);
    void exclusive_or(const RegionSet& other);

    const pixman_region32_t* raw() const { return &region_; }

private:
    pixman_region32_t region_;
};

} // namespace layer::gdi
