#include "sim/StatusEncoding.h"

#include <algorithm>
#include <numbers>
#include <optional>
#include <string>
#include <string_view>

#include "sim/RigidBodyMotion.h"
#include "sim/SimVessel.h"
#include "sim/TextParsing.h"
#include "sim/World.h"

namespace sim {
namespace {

constexpr double kDegree = std::numbers::pi / 180.0;
constexpr DWORD kApplyThrusterLevels = 1;
constexpr DWORD kApplyFuel = 2;

// The value of a kept surface line ("POS", "HEADING", "ALT"), or none.
std::optional<std::string_view> SurfaceValue(const SimVessel& vessel, std::string_view key) {
    for (const auto& [keptKey, value] : vessel.surfaceLines) {
        if (text::EqualsNoCase(keptKey, key)) return std::string_view(value);
    }
    return std::nullopt;
}

double SurfaceNumber(const SimVessel& vessel, std::string_view key, std::size_t word,
                     double fallback) {
    const auto value = SurfaceValue(vessel, key);
    if (!value) return fallback;
    const auto words = text::Split(*value);
    const auto number = word < words.size() ? text::ParseDouble(words[word]) : std::nullopt;
    return number ? *number : fallback;
}

double GroupLevel(const SimVessel& vessel, THGROUP_TYPE type) {
    const auto& members = vessel.groups[static_cast<std::size_t>(type)].members;
    return members.empty() ? 0.0 : members.front()->level;
}

}  // namespace

VESSELSTATUS StatusOf(World& world, const SimVessel& vessel) {
    VESSELSTATUS status{};
    status.rpos = vessel.pos;
    status.rvel = vessel.vel;
    status.rbody = const_cast<void*>(world.BodyHandle(vessel.referenceBody));
    status.arot = EulerFromRotation(vessel.rotation);
    if (vessel.landed) {
        status.status = 1;
        status.vrot = {SurfaceNumber(vessel, "ALT", 0, kDefaultLandedAltitude), 0.0, 0.0};
        status.vdata[0] = {SurfaceNumber(vessel, "POS", 0, 0.0) * kDegree,
                           SurfaceNumber(vessel, "POS", 1, 0.0) * kDegree,
                           SurfaceNumber(vessel, "HEADING", 0, 0.0) * kDegree};
    } else {
        status.vrot = vessel.angularVelocity;
    }
    if (!vessel.propellants.empty() && vessel.propellants[0]->maxMass > 0.0) {
        status.fuel = vessel.propellants[0]->mass / vessel.propellants[0]->maxMass;
    }
    status.eng_main = GroupLevel(vessel, THGROUP_MAIN) - GroupLevel(vessel, THGROUP_RETRO);
    status.eng_hovr = GroupLevel(vessel, THGROUP_HOVER);
    return status;
}

void ApplyStatus(World& world, SimVessel& vessel, const VESSELSTATUS& status) {
    vessel.pos = status.rpos;
    vessel.vel = status.rvel;
    if (const std::string* body = world.BodyName(status.rbody)) vessel.referenceBody = *body;
    vessel.rotation = RotationFromEuler(status.arot);
    vessel.surfaceLines.clear();
    if (status.status == 1) {
        vessel.landed = true;
        vessel.angularVelocity = {};
        const VECTOR3& surface = status.vdata[0];
        vessel.surfaceLines = {
            {"POS", text::FormatNumber(surface.x / kDegree) + " " +
                        text::FormatNumber(surface.y / kDegree)},
            {"HEADING", text::FormatNumber(surface.z / kDegree)},
            {"ALT", text::FormatNumber(status.vrot.x)},
        };
    } else {
        vessel.landed = false;
        vessel.angularVelocity = status.vrot;
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
