// Orientations as the simulator reads and writes them: the Euler angles of AROT and
// VESSELSTATUS arot against rotation matrices (vessel frame to the global frame, or to the
// planet's frame for a landed vessel).
#pragma once

#include "host/HostTypes.h"

namespace crew {

// R = Rx(x) * Ry(y) * Rz(z) with Rx rows (1,0,0) (0,cx,sx) (0,-sx,cx),
// Ry rows (cy,0,-sy) (0,1,0) (sy,0,cy), Rz rows (cz,sz,0) (-sz,cz,0) (0,0,1): so m13 = -sin y.
MATRIX3 RotationFromAngles(const VECTOR3& angles);
// The angles of R: y = -asin(m13), x = atan2(m23, m33), z = atan2(m12, m11); at gimbal lock
// (cos y = 0) z is taken as 0 and x carries the turn about the axis that x and z then share.
VECTOR3 AnglesFromRotation(const MATRIX3& rotation);

}  // namespace crew
