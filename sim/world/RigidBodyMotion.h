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

// Whether a thruster of the vessel fires: a level above 0, thrust, and propellant when it burns
// some.
bool AnyThrusterFiring(const SimVessel& vessel);

// Advances velocity, position, angular velocity and orientation by one step of `dt` seconds.
void IntegrateMotion(SimVessel& vessel, double dt);

}  // namespace sim
