#include "crew/Orientation.h"

#include <cmath>

namespace crew {

namespace {

// Beyond this |sin y| the angles x and z are no longer told apart.
constexpr double kGimbalLockSine = 1.0 - 1e-12;

}  // namespace

MATRIX3 RotationFromAngles(const VECTOR3& angles) {
    const double sx = std::sin(angles.x), cx = std::cos(angles.x);
    const double sy = std::sin(angles.y), cy = std::cos(angles.y);
    const double sz = std::sin(angles.z), cz = std::cos(angles.z);
    const MATRIX3 aboutX{1, 0, 0, 0, cx, sx, 0, -sx, cx};
    const MATRIX3 aboutY{cy, 0, -sy, 0, 1, 0, sy, 0, cy};
    const MATRIX3 aboutZ{cz, sz, 0, -sz, cz, 0, 0, 0, 1};
    return mul(mul(aboutX, aboutY), aboutZ);
}

VECTOR3 AnglesFromRotation(const MATRIX3& r) {
    const double sinY = std::fmax(-1.0, std::fmin(1.0, -r.m13));
    const double y = std::asin(sinY);
    if (std::fabs(sinY) < kGimbalLockSine) {
        return VECTOR3{std::atan2(r.m23, r.m33), y, std::atan2(r.m12, r.m11)};
    }
    // With z = 0: m21 = sin x sin y, m22 = cos x.
    return VECTOR3{std::atan2(r.m21 * sinY, r.m22), y, 0.0};
}

}  // namespace crew
