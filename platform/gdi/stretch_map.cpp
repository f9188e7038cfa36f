#include "stretch_map.h"

#include <algorithm>
#include <cstdlib>

namespace layer::gdi {

namespace {

long long ceil_div(long long a, long long b) { return a >= 0 ? (a + b - 1) / b : -((-a) / b); }

} // namespace

void axis_range(int origin, int extent, long long& low, long long& high) {
    if (extent >= 0) {
        low = origin;
        high = static_cast<long long>(origin) + extent;
    } else {
        low = static_cast<long long>(origin) + extent + 1;
        high = static_cast<long long>(origin) + 1;
    }
}

AxisMap map_axis(const AxisTransfer& t) {
    long long low, high;
    axis_range(t.dest_origin, t.dest_extent, low, high);
    low = std::max<long long>(low, t.window_low);
    high = std::min<long long>(high, t.window_high);
    AxisMap map;
    map.first = static_cast<int>(low);
    if (high <= low) return map;
    map.spans.resize(static_cast<std::size_t>(high - low));

    const long long dl = std::llabs(t.dest_extent), sl = std::llabs(t.source_extent);
    const bool dest_back = t.dest_extent < 0, source_back = t.source_extent < 0;
    auto source_device = [&](long long i) { return source_back ? t.source_origin - i : t.source_origin + i; };

    if (dl >= sl) {
        for (long long d = low; d < high; ++d) {
            const long long j = dest_back ? t.dest_origin - d : d - t.dest_origin;
            const long long s = source_device(ceil_div((2 * j + 1) * sl, 2 * dl) - 1);
            if (s < 0 || s >= t.source_size) continue;
            AxisSpan& span = map.spans[static_cast<std::size_t>(d - low)];
            span = {true, static_cast<int>(s), static_cast<int>(s), static_cast<int>(s)};
        }
        return map;
    }

    // Source indices whose pixels lie on the surface; a single destination pixel never takes
    // the last source pixel, as the platform does.
    const long long count = dl == 1 ? sl - 1 : sl;
    long long i_low, i_high; // inclusive
    if (source_back) {
        i_low = t.source_origin - (static_cast<long long>(t.source_size) - 1);
        i_high = t.source_origin;
    } else {
        i_low = -static_cast<long long>(t.source_origin);
        i_high = static_cast<long long>(t.source_size) - 1 - t.source_origin;
    }
    i_low = std::max<long long>(i_low, 0);
    i_high = std::min<long long>(i_high, count - 1);
    for (long long i = i_low; i <= i_high; ++i) {
        const long long j = ceil_div((2 * i + 1) * dl, 2 * sl) - 1;
        const long long d = dest_back ? t.dest_origin - j : t.dest_origin + j;
        if (d < low || d >= high) continue;
        const int s = static_cast<int>(source_device(i));
        AxisSpan& span = map.spans[static_cast<std::size_t>(d - low)];
        if (!span.available) {
            span = {true, s, s, s};
        } else {
            span.low = std::min(span.low, s);
            span.high = std::max(span.high, s);
            span.last = s;
        }
    }
    return map;
}

} // namespace layer::gdi
