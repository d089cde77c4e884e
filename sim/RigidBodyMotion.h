// The motion of a vessel: thrust gives force and torque in the vessel frame, integrated over a
// step. No gravity and no atmosphere. The host's frames are left-handed (x right, y up,
// z forward); torque is F x r with F first, and a positive angular velocity about an axis turns
// the vessel so that a point r moves with r x w (pitch up about +x, yaw left about +y, bank
// right about +z).
#pragma once

#include "host/HostTypes.h"

namespace sim {

struct SimVessel;
struct ThrusterGroup;

// Orientation (vessel frame to global frame) from the simulator's Euler angles (AROT,
// VESSELSTATUS arot; radians), as the simulator builds it: R = Rx(x) * Ry(y) * Rz(z) with
// Rx rows (1,0,0) (0,cx,sx) (0,-sx,cx), Ry rows (cy,0,-sy) (0,1,0) (sy,0,cy),
// Rz rows (cz,sz,0) (-sz,cz,0) (0,0,1), which is
//   m11 = cy cz              m12 = cy sz              m13 = -sy
//   m21 = sx sy cz - cx sz   m22 = sx sy sz + cx cz   m23 = sx cy
//   m31 = cx sy cz + sx sz   m32 = cx sy sz - sx cz   m33 = cx cy
MATRIX3 RotationFromEuler(const VECTOR3& angles);
// The angles back as the simulator reads them: y = -asin(m13), x = atan2(m23, m33),
// z = atan2(m12, m11). At gimbal lock (cos y = 0) only x - z (y = 90 degrees) or x + z
// (y = -90 degrees) is defined: z is taken as 0.
VECTOR3 EulerFromRotation(const MATRIX3& rotation);

// The maximum angular moment of a rotation group (types pitch up to bank right) about its axis, in
// the sense it turns the vessel: the sum of its thrusters' torques at their maximum thrust; 0 for
// any other group.
double MaxAngularMoment(const ThrusterGroup& group, int type);

// Force and torque of the thrusters at their current levels, vessel frame; draws propellant.
struct ThrustResult {
    VECTOR3 force;
    VECTOR3 torque;
};
ThrustResult ApplyThrusters(SimVessel& vessel, double dt);

// Advances velocity, position, angular velocity and orientation by one step of `dt` seconds.
void IntegrateMotion(SimVessel& vessel, double dt);

}  // namespace sim
