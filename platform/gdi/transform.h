// World transforms: composition, inversion and the rounding from logical to device coordinates.
#pragma once

#include "win32.h"

namespace layer::gdi {

constexpr XFORM identity_xform{1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f};

bool is_identity(const XFORM& x);
// The transform that applies `first` and then `then`.
XFORM combine(const XFORM& first, const XFORM& then);
// False for a transform that cannot be inverted (the platform refuses those).
bool invert(const XFORM& x, XFORM& inverse);
bool invertible(const XFORM& x);

struct PointF {
    double x;
    double y;
};
PointF apply(const XFORM& x, double px, double py);
// Rounds half up, as the platform rounds transformed coordinates, clamped to the int range.
int round_coordinate(double v);
POINT to_device(const XFORM& x, int px, int py);

} // namespace layer::gdi
