// The motion of a vessel: thrust gives force and torque in the vessel frame, integrated over a
// step. No gravity and no atmosphere. The host's frames are left-handed (x right, y up,
// z forward); torque is F x r with F first, and a positive angular velocity about an axis turns
// the vessel so that a point r moves with r x w (pitch up about +x, yaw left about +y, bank
// right about +z).
#pragma once

#include "host/HostTypes.h"
#include "host/VectorMath.h"
#include "sim/world/VesselMotion.h"

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

// The step's burn: velocity and spin change by the thrusters' force and torque, against the mass
// before the burn.
void Thrust(SimVessel& vessel, double dt);
// The step's turn at the vessel's angular velocity.
void Turn(SimVessel& vessel, double dt);

// Advances velocity, position, angular velocity and orientation by one step of `dt` seconds.
// `motion` is the vessel's own (SimVessel::motion). Most vessels of a crowded scene coast: no
// thruster may fire, and many do not turn. Their step is the position's alone, and reads nothing
// of the vessel but its motion.
inline void IntegrateMotion(VesselMotion& motion, SimVessel& vessel, double dt) {
    if (motion.mayThrust) Thrust(vessel, dt);
    motion.pos = vector_math::Add(motion.pos, vector_math::Scale(motion.vel, dt));
    if (!vector_math::IsZero(motion.angularVelocity)) Turn(vessel, dt);
}

}  // namespace sim
