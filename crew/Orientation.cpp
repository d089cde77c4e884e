#include "crew/Orientation.h"

#include <cmath>

namespace orientation {
namespace {

// Beyond this |sin y| the angles x and z are no longer told apart.
constexpr double kGimbalLockSine = 1.0 - 1e-12;

}  // namespace

MATRIX3 FromAngles(const VECTOR3& angles) {
    const double sx = std::sin(angles.x), cx = std::cos(angles.x);
    const double sy = std::sin(angles.y), cy = std::cos(angles.y);
    const double sz = std::sin(angles.z), cz = std::cos(angles.z);
    const MATRIX3 aboutX{1, 0, 0, 0, cx, sx, 0, -sx, cx};
    const MATRIX3 aboutY{cy, 0, -sy, 0, 1, 0, sy, 0, cy};
    const MATRIX3 aboutZ{cz, sz, 0, -sz, cz, 0, 0, 0, 1};
    return Multiply(Multiply(aboutX, aboutY), aboutZ);
}

VECTOR3 ToAngles(const MATRIX3& r) {
    const double sinY = std::fmax(-1.0, std::fmin(1.0, -r.m13));
    const double y = std::asin(sinY);
    if (std::fabs(sinY) < kGimbalLockSine) {
        return VECTOR3{std::atan2(r.m23, r.m33), y, std::atan2(r.m12, r.m11)};
    }
    // With z = 0: m21 = sin x sin y, m22 = cos x.
    return VECTOR3{std::atan2(r.m21 * sinY, r.m22), y, 0.0};
}

MATRIX3 Multiply(const MATRIX3& p, const MATRIX3& q) {
    return MATRIX3{
        p.m11 * q.m11 + p.m12 * q.m21 + p.m13 * q.m31,
        p.m11 * q.m12 + p.m12 * q.m22 + p.m13 * q.m32,
        p.m11 * q.m13 + p.m12 * q.m23 + p.m13 * q.m33,
        p.m21 * q.m11 + p.m22 * q.m21 + p.m23 * q.m31,
        p.m21 * q.m12 + p.m22 * q.m22 + p.m23 * q.m32,
        p.m21 * q.m13 + p.m22 * q.m23 + p.m23 * q.m33,
        p.m31 * q.m11 + p.m32 * q.m21 + p.m33 * q.m31,
        p.m31 * q.m12 + p.m32 * q.m22 + p.m33 * q.m32,
        p.m31 * q.m13 + p.m32 * q.m23 + p.m33 * q.m33,
    };
}

}  // namespace orientation
