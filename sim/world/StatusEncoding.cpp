#include "sim/world/StatusEncoding.h"

#include <algorithm>
#include <numbers>
#include <string>

#include "host/RotationAngles.h"
#include "sim/world/SimVessel.h"
#include "sim/world/Surface.h"
#include "sim/world/World.h"

namespace sim {
namespace {

constexpr double kDegree = std::numbers::pi / 180.0;
constexpr DWORD kApplyThrusterLevels = 1;
constexpr DWORD kApplyFuel = 2;

double GroupLevel(const SimVessel& vessel, THGROUP_TYPE type) {
    const auto& members = vessel.groups[static_cast<std::size_t>(type)].members;
    return members.empty() ? 0.0 : members.front()->level;
}

}  // namespace

VESSELSTATUS StatusOf(World& world, const SimVessel& vessel) {
    VESSELSTATUS status{};
    status.rpos = vessel.motion->pos;
    status.rvel = vessel.motion->vel;
    status.rbody = const_cast<void*>(world.BodyHandle(vessel.referenceBody.Name()));
    status.arot = rotation_angles::FromMatrix(vessel.rotation);
    if (vessel.motion->landed) {
        const SurfaceSpot& spot = vessel.spot;
        status.status = 1;
        if (SurfaceOf(vessel) != nullptr) {
            status.arot = rotation_angles::FromMatrix(vessel.surfaceRotation);
        }
        status.vrot = {spot.altitude, 0.0, 0.0};
        status.vdata[0] = {spot.longitude * kDegree, spot.latitude * kDegree,
                           spot.heading * kDegree};
    } else {
        status.vrot = vessel.motion->angularVelocity;
    }
    if (!vessel.propellants.empty() && vessel.propellants[0]->maxMass > 0.0) {
        status.fuel = vessel.propellants[0]->mass / vessel.propellants[0]->maxMass;
    }
    status.eng_main = GroupLevel(vessel, THGROUP_MAIN) - GroupLevel(vessel, THGROUP_RETRO);
    status.eng_hovr = GroupLevel(vessel, THGROUP_HOVER);
    return status;
}

void ApplyStatus(World& world, SimVessel& vessel, const VESSELSTATUS& status) {
    vessel.motion->pos = status.rpos;
    vessel.motion->vel = status.rvel;
    if (const std::string* body = world.BodyName(status.rbody)) vessel.referenceBody.Set(*body);
    vessel.rotation = rotation_angles::ToMatrix(status.arot);
    vessel.surfaceLines.clear();
    if (status.status == 1) {
        vessel.motion->landed = true;
        vessel.motion->angularVelocity = {};
        const VECTOR3& surface = status.vdata[0];
        double altitude = status.vrot.x;
        // A module's vessel rests on its touchdown points, wherever the state put it.
        const SurfaceBody* body = SurfaceOf(vessel);
        if (body != nullptr && vessel.kind == VesselKind::Module) {
            altitude = RestingAltitude(vessel, *body);
        }
        SetSpot(vessel, {surface.x / kDegree, surface.y / kDegree, surface.z / kDegree, altitude});
        vessel.surfaceRotation = vessel.rotation;
        FollowSurface(world, vessel);
    } else {
        vessel.motion->landed = false;
        vessel.motion->angularVelocity = status.vrot;
        MoveOutOfBody(world, vessel);
    }
    if ((status.flag[0] & kApplyFuel) != 0 && !vessel.propellants.empty()) {
        Propellant& tank = *vessel.propellants[0];
        tank.mass = tank.maxMass * std::clamp(status.fuel, 0.0, 1.0);
    }
    if ((status.flag[0] & kApplyThrusterLevels) != 0) {
        vessel.SetGroupLevel(THGROUP_MAIN, std::max(status.eng_main, 0.0));
        vessel.SetGroupLevel(THGROUP_RETRO, std::max(-status.eng_main, 0.0));
        vessel.SetGroupLevel(THGROUP_HOVER, status.eng_hovr);
    }
}

}  // namespace sim
