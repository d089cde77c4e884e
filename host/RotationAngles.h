// The simulator's Euler angles (AROT, VESSELSTATUS arot; radians) against rotation matrices
// (vessel frame to the global frame, or to the planet's frame for a landed vessel), by the
// simulator's own convention, so that what one side writes the other reads back unchanged:
// R = Rx(x) * Ry(y) * Rz(z) with Rx rows (1,0,0) (0,cx,sx) (0,-sx,cx),
// Ry rows (cy,0,-sy) (0,1,0) (sy,0,cy), Rz rows (cz,sz,0) (-sz,cz,0) (0,0,1), which is
//   m11 = cy cz              m12 = cy sz              m13 = -sy
//   m21 = sx sy cz - cx sz   m22 = sx sy sz + cx cz   m23 = sx cy
//   m31 = cx sy cz + sx sz   m32 = cx sy sz - sx cz   m33 = cx cy
#pragma once

#include <cmath>

#include "host/HostTypes.h"

namespace rotation_angles {

// Beyond this |sin y| the angles x and z are no longer told apart.
inline constexpr double kGimbalLockSine = 1.0 - 1e-12;

inline MATRIX3 ToMatrix(const VECTOR3& angles) {
    const double sx = std::sin(angles.x), cx = std::cos(angles.x);
    const double sy = std::sin(angles.y), cy = std::cos(angles.y);
    const double sz = std::sin(angles.z), cz = std::cos(angles.z);
    const MATRIX3 aboutX{1, 0, 0, 0, cx, sx, 0, -sx, cx};
    const MATRIX3 aboutY{cy, 0, -sy, 0, 1, 0, sy, 0, cy};
    const MATRIX3 aboutZ{cz, sz, 0, -sz, cz, 0, 0, 0, 1};
    return mul(mul(aboutX, aboutY), aboutZ);
}

// The angles back as the simulator reads them: y = -asin(m13), x = atan2(m23, m33),
// z = atan2(m12, m11). At gimbal lock (cos y = 0) only x - z (y = 90 degrees) or x + z
// (y = -90 degrees) is defined: z is taken as 0 and x carries the turn.
inline VECTOR3 FromMatrix(const MATRIX3& r) {
    const double sinY = std::fmax(-1.0, std::fmin(1.0, -r.m13));
    const double y = std::asin(sinY);
    if (std::fabs(sinY) < kGimbalLockSine) {
        return VECTOR3{std::atan2(r.m23, r.m33), y, std::atan2(r.m12, r.m11)};
    }
    // With z = 0: m21 = sin x sin y, m22 = cos x.
    return VECTOR3{std::atan2(r.m21 * sinY, r.m22), y, 0.0};
}

}  // namespace rotation_angles
