#include "transform.h"

#include <cmath>
#include <limits>

namespace layer::gdi {

bool is_identity(const XFORM& x) {
    return x.eM11 == 1.0f && x.eM12 == 0.0f && x.eM21 == 0.0f && x.eM22 == 1.0f && x.eDx == 0.0f && x.eDy == 0.0f;
}

XFORM combine(const XFORM& a, const XFORM& b) {
    XFORM r;
    r.eM11 = a.eM11 * b.eM11 + a.eM12 * b.eM21;
    r.eM12 = a.eM11 * b.eM12 + a.eM12 * b.eM22;
    r.eM21 = a.eM21 * b.eM11 + a.eM22 * b.eM21;
    r.eM22 = a.eM21 * b.eM12 + a.eM22 * b.eM22;
    r.eDx = a.eDx * b.eM11 + a.eDy * b.eM21 + b.eDx;
    r.eDy = a.eDx * b.eM12 + a.eDy * b.eM22 + b.eDy;
    return r;
}

bool invertible(const XFORM& x) {
    const double det = static_cast<double>(x.eM11) * x.eM22 - static_cast<double>(x.eM12) * x.eM21;
    return det != 0.0 && std::isfinite(det);
}

bool invert(const XFORM& x, XFORM& inverse) {
    const double det = static_cast<double>(x.eM11) * x.eM22 - static_cast<double>(x.eM12) * x.eM21;
    if (det == 0.0 || !std::isfinite(det)) return false;
    inverse.eM11 = static_cast<FLOAT>(x.eM22 / det);
    inverse.eM12 = static_cast<FLOAT>(-x.eM12 / det);
    inverse.eM21 = static_cast<FLOAT>(-x.eM21 / det);
    inverse.eM22 = static_cast<FLOAT>(x.eM11 / det);
    inverse.eDx = static_cast<FLOAT>((static_cast<double>(x.eM21) * x.eDy - static_cast<double>(x.eM22) * x.eDx) / det);
    inverse.eDy = static_cast<FLOAT>((static_cast<double>(x.eM12) * x.eDx - static_cast<double>(x.eM11) * x.eDy) / det);
    return true;
}

PointF apply(const XFORM& x, double px, double py) {
    return {px * x.eM11 + py * x.eM21 + x.eDx, px * x.eM12 + py * x.eM22 + x.eDy};
}

int round_coordinate(double v) {
    const double r = std::floor(v + 0.5);
    if (!(r >= std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    if (r > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    return static_cast<int>(r);
}

POINT to_device(const XFORM& x, int px, int py) {
    const PointF p = apply(x, px, py);
    return {round_coordinate(p.x), round_coordinate(p.y)};
}

} // namespace layer::gdi
