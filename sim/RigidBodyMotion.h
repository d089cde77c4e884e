// The motion of a vessel: thrust gives force and torque in the vessel frame, integrated over a
// step. No gravity and no atmosphere. The host's frames are left-handed (x right, y up,
// z forward); torque is F x r with F first, and a positive angular velocity about an axis turns
// the vessel so that a point r moves with r x w (pitch up about +x, yaw left about +y, bank
// right about +z).
#pragma once

#include "host/HostTypes.h"

namespace sim {

struct SimVessel;

// Orientation from the scenario's Euler angles (radians): Rx(a) * Ry(b) * Rz(c), with
// Rx rows (1,0,0) (0,cx,sx) (0,-sx,cx), Ry rows (cy,0,sy) (0,1,0) (-sy,0,cy),
// Rz rows (cz,sz,0) (-sz,cz,0) (0,0,1).
MATRIX3 RotationFromEuler(const VECTOR3& angles);
// The angles that RotationFromEuler turns back into the same orientation.
VECTOR3 EulerFromRotation(const MATRIX3& rotation);

// Force and torque of the thrusters at their current levels, vessel frame; draws propellant.
struct ThrustResult {
    VECTOR3 force;
    VECTOR3 torque;
};
ThrustResult ApplyThrusters(SimVessel& vessel, double dt);

// Advances velocity, position, angular velocity and orientation by one step of `dt` seconds.
void IntegrateMotion(SimVessel& vessel, double dt);

}  // namespace sim
