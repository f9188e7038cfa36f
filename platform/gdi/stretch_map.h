// One axis of a block transfer: which source pixels each destination pixel takes. Equal extents
// copy pixel for pixel; a larger destination repeats source pixels, sampling each destination
// pixel's centre; a smaller one gathers runs of source pixels, each source pixel's centre
// deciding its destination pixel. Negative extents run from the origin backwards, so a
// destination and source of opposite signs mirror the copy.
#pragma once

#include <vector>

namespace layer::gdi {

struct AxisSpan {
    bool available = false; // some source pixel of the span lies on the source surface
    int low = 0;            // source pixels taken (device coordinates, inclusive, on the surface)
    int high = 0;
    int last = 0;           // the one taken last: what a stretch that deletes pixels keeps
};

struct AxisMap {
    int first = 0;               // device coordinate of spans[0]
    std::vector<AxisSpan> spans; // one per destination coordinate from `first` on
    const AxisSpan* at(int device) const {
        const long long i = static_cast<long long>(device) - first;
        return i >= 0 && i < static_cast<long long>(spans.size()) ? &spans[static_cast<std::size_t>(i)] : nullptr;
    }
};

struct AxisTransfer {
    int dest_origin;
    int dest_extent; // signed, not zero
    int source_origin;
    int source_extent; // signed, not zero
    int source_size;   // the source surface covers [0, source_size)
    int window_low;    // destination coordinates of interest: [window_low, window_high)
    int window_high;
};

AxisMap map_axis(const AxisTransfer& t);

// The destination pixels [low, high) of an origin and signed extent.
void axis_range(int origin, int extent, long long& low, long long& high);

} // namespace layer::gdi
