#include "sim/world/RigidBodyMotion.h"

#include <cmath>

#include "host/VectorMath.h"
#include "sim/world/SimVessel.h"

namespace sim {

using namespace vector_math;
namespace {

// Rotation of the vessel frame by the small angle vector `theta` (vessel frame):
// exp(-[theta]x), the rotation that moves each point r by r x theta.
MATRIX3 StepRotation(const VECTOR3& theta) {
    const double angle = Length(theta);
    const VECTOR3 k = Scale(theta, 1.0 / angle);
    const double s = std::sin(angle);
    const double c1 = 1.0 - std::cos(angle);
    // I - s K + (1 - cos) K^2 with K = [k]x
    return {
        1.0 + c1 * (k.x * k.x - 1.0), s * k.z + c1 * k.x * k.y,     -s * k.y + c1 * k.x * k.z,
        -s * k.z + c1 * k.x * k.y,    1.0 + c1 * (k.y * k.y - 1.0), s * k.x + c1 * k.y * k.z,
        s * k.y + c1 * k.x * k.z,     -s * k.x + c1 * k.y * k.z,    1.0 + c1 * (k.z * k.z - 1.0)};
}

// Keeps the columns (the vessel's axes in the global frame) orthonormal against rounding.
void Orthonormalise(MATRIX3& m) {
    VECTOR3 x{m.m11, m.m21, m.m31};
    VECTOR3 y{m.m12, m.m22, m.m32};
    const double lx = Length(x);
    if (lx == 0.0 || !std::isfinite(lx)) return;
    x = Scale(x, 1.0 / lx);
    y = Sub(y, Scale(x, Dot(x, y)));
    const double ly = Length(y);
    if (ly == 0.0 || !std::isfinite(ly)) return;
    y = Scale(y, 1.0 / ly);
    // The third axis of a proper rotation: z = x (cross) y in the component formula.
    const VECTOR3 z = Cross(x, y);
    m = {x.x, y.x, z.x, x.y, y.y, z.y, x.z, y.z, z.z};
}

}  // namespace

double MaxAngularMoment(const ThrusterGroup& group, int type) {
    // Axis and sense of each rotation group, from THGROUP_ATT_PITCHUP on.
    constexpr VECTOR3 kSenses[] = {{1, 0, 0},  {-1, 0, 0}, {0, 1, 0},
                                   {0, -1, 0}, {0, 0, -1}, {0, 0, 1}};
    if (type < THGROUP_ATT_PITCHUP || type > THGROUP_ATT_BANKRIGHT) return 0.0;
    VECTOR3 torque{};
    for (const Thruster* thruster : group.members) {
        torque = Add(torque, Cross(Scale(thruster->dir, thruster->maxThrust), thruster->pos));
    }
    return Dot(torque, kSenses[type - THGROUP_ATT_PITCHUP]);
}

ThrustResult ApplyThrusters(SimVessel& vessel, double dt) {
    ThrustResult result{};
    if (!vessel.motion->mayThrust) return result;
    bool anyLevel = false;
    for (const auto& thruster : vessel.thrusters) {
        anyLevel = anyLevel || thruster->level > 0.0;
        if (thruster->level <= 0.0 || thruster->maxThrust == 0.0) continue;
        double thrust = thruster->level * thruster->maxThrust;
        if (Propellant* tank = thruster->propellant) {
            if (tank->mass <= 0.0) continue;
            if (thruster->isp > 0.0) {
                double burnt = std::fabs(thrust) / thruster->isp * dt;
                if (burnt > tank->mass) {
                    thrust *= tank->mass / burnt;
                    burnt = tank->mass;
                }
                tank->mass -= burnt;
            }
        }
        const VECTOR3 force = Scale(thruster->dir, thrust);
        result.force = Add(result.force, force);
        result.torque = Add(result.torque, Cross(force, thruster->pos));
    }
    vessel.motion->mayThrust = anyLevel;
    return result;
}

bool AnyThrusterFiring(const SimVessel& vessel) {
    if (!vessel.motion->mayThrust) return false;
    for (const auto& thruster : vessel.thrusters) {
        if (thruster->level > 0.0 && thruster->maxThrust != 0.0 &&
            (thruster->propellant == nullptr || thruster->propellant->mass > 0.0)) {
            return true;
        }
    }
    return false;
}

void Thrust(SimVessel& vessel, double dt) {
    const double mass = vessel.Mass();
    const ThrustResult thrust = ApplyThrusters(vessel, dt);
    if (!(mass > 0.0)) return;
    if (!IsZero(thrust.force)) {
        const VECTOR3 acceleration = Scale(mul(vessel.rotation, thrust.force), 1.0 / mass);
        vessel.motion->vel = Add(vessel.motion->vel, Scale(acceleration, dt));
    }
    if (!IsZero(thrust.torque)) {
        const double moments[3] = {mass * vessel.pmi.x, mass * vessel.pmi.y, mass * vessel.pmi.z};
        const double torques[3] = {thrust.torque.x, thrust.torque.y, thrust.torque.z};
        VECTOR3& rate = vessel.motion->angularVelocity;
        double* rates[3] = {&rate.x, &rate.y, &rate.z};
        for (int axis = 0; axis < 3; ++axis) {
            if (moments[axis] > 0.0) *rates[axis] += torques[axis] / moments[axis] * dt;
        }
    }
}

void Turn(SimVessel& vessel, double dt) {
    const VECTOR3 theta = Scale(vessel.motion->angularVelocity, dt);
    if (!IsZero(theta) && std::isfinite(Length(theta))) {
        vessel.rotation = mul(vessel.rotation, StepRotation(theta));
        Orthonormalise(vessel.rotation);
    }
}

}  // namespace sim
