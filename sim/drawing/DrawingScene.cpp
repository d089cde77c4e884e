#include "sim/drawing/DrawingScene.h"

#include <algorithm>
#include <cmath>

#include "host/CrewAddon.h"
#include "host/VectorMath.h"
#include "sim/world/SimVessel.h"
#include "sim/world/World.h"

namespace sim {

using namespace vector_math;
namespace {

// Two directions or positions closer than this count as the same.
constexpr double kSame = 1e-6;

// Crew vessels within this distance of the vessel's origin are drawn: the vessel's size, at
// least kNearbyMinimum metres.
constexpr double kNearbyMinimum = 100.0;

double Component(const VECTOR3& v, int axis) { return axis == 0 ? v.x : (axis == 1 ? v.y : v.z); }

SceneAirlock FindAirlock(const SimVessel& vessel) {
    SceneAirlock airlock;
    for (const auto& a : vessel.attachments[0]) {
        if (a->id != crew_addon::kAirlockAttachmentId) continue;
        airlock.present = true;
        airlock.low = {a->pos.x, a->pos.z, a->dir.y};
        airlock.high = {a->pos.y, a->dir.x, a->dir.z};
        airlock.open = a->rot.x == 1.0;
        airlock.freeSeats = a->rot.z;
        break;
    }
    return airlock;
}

bool Inside(const SceneAirlock& box, const VECTOR3& p) {
    return p.x >= box.low.x - kSame && p.x <= box.high.x + kSame && p.y >= box.low.y - kSame &&
           p.y <= box.high.y + kSame && p.z >= box.low.z - kSame && p.z <= box.high.z + kSame;
}

std::vector<std::size_t> ActivePorts(const SimVessel& vessel, const SceneAirlock& airlock) {
    std::vector<std::size_t> active;
    if (!airlock.present) return active;
    const VECTOR3 centre = Scale(Add(airlock.low, airlock.high), 0.5);
    double best = 0.0;
    for (const auto& dock : vessel.docks) {
        if (!Inside(airlock, dock->pos)) continue;
        const double distance = Length(Sub(dock->pos, centre));
        if (active.empty() || distance < best - kSame) {
            active.assign(1, dock->index);
            best = distance;
        } else if (distance <= best + kSame) {
            active.push_back(dock->index);
        }
    }
    return active;
}

std::vector<ScenePort> Ports(const SimVessel& vessel, const std::vector<std::size_t>& active) {
    std::vector<ScenePort> ports;
    for (const auto& dock : vessel.docks) {
        const bool docked = dock->mate != nullptr;
        ports.push_back({dock->index, dock->pos, dock->dir, docked,
                         docked ? dock->mate->name : std::string(),
                         std::find(active.begin(), active.end(), dock->index) != active.end()});
    }
    return ports;
}

std::vector<SceneGroup> Groups(const SimVessel& vessel) {
    std::vector<SceneGroup> groups;
    for (int type = 0; type < kThrusterGroupTypes; ++type) {
        const ThrusterGroup& group = vessel.groups[static_cast<std::size_t>(type)];
        if (!group.exists) continue;
        SceneGroup& scene = groups.emplace_back(SceneGroup{type, {}});
        for (const Thruster* t : group.members) scene.members.push_back(t->index);
    }
    return groups;
}

// Each thruster with its groups and its kind: an engine in any engine group, else attitude in
// any other group.
std::vector<SceneThruster> Thrusters(const SimVessel& vessel,
                                     const std::vector<SceneGroup>& groups) {
    std::vector<SceneThruster> thrusters;
    for (const auto& t : vessel.thrusters) {
        thrusters.push_back({t->index, t->pos, t->dir, t->maxThrust, ThrusterKind::Ungrouped, {}});
    }
    for (const SceneGroup& group : groups) {
        for (const std::size_t index : group.members) {
            SceneThruster& thruster = thrusters[index];
            if (std::find(thruster.groups.begin(), thruster.groups.end(), group.type) ==
                thruster.groups.end()) {
                thruster.groups.push_back(group.type);
            }
            if (group.type <= THGROUP_HOVER) {
                thruster.kind = ThrusterKind::Engine;
            } else if (thruster.kind == ThrusterKind::Ungrouped) {
                thruster.kind = ThrusterKind::Attitude;
            }
        }
    }
    return thrusters;
}

std::vector<NearbyVessel> NearbyVessels(const World& world, const SimVessel& vessel) {
    std::vector<NearbyVessel> nearby;
    const double range = std::max(vessel.size, kNearbyMinimum);
    for (const SimVessel* other : world.Vessels()) {
        if (other == &vessel || other->marked) continue;
        const VECTOR3 local = tmul(vessel.rotation, Sub(other->motion->pos, vessel.motion->pos));
        if (!IsFinite(local)) continue;
        const Dock* dock = nullptr;
        for (const auto& d : vessel.docks) {
            if (d->mate == other) {
                dock = d.get();
                break;
            }
        }
        if (dock != nullptr) {
            nearby.push_back({other->name, other->className, local, true, dock->index});
        } else if (other->kind == VesselKind::CrewAddon && Length(local) <= range) {
            nearby.push_back({other->name, other->className, local, false, 0});
        }
    }
    return nearby;
}

std::vector<VECTOR3> Content(const DrawingScene& scene) {
    std::vector<VECTOR3> content = scene.skin;
    content.push_back({0, 0, 0});
    if (scene.airlock.present) {
        content.push_back(scene.airlock.low);
        content.push_back(scene.airlock.high);
    }
    for (const auto& n : scene.nearby) content.push_back(n.pos);
    if (scene.skin.size() < 3) {
        // Without enough points on the skin the hull is a circle of the vessel's size.
        const double r = std::isfinite(scene.size) && scene.size > 0 ? scene.size : 1.0;
        content.push_back({-r, -r, -r});
        content.push_back({r, r, r});
    }
    std::erase_if(content, [](const VECTOR3& p) { return !IsFinite(p); });
    return content;
}

}  // namespace

double PlaneAxes::Down(const VECTOR3& v) const { return downSign * Component(v, downAxis); }
double PlaneAxes::Towards(const VECTOR3& v) const {
    return towardsSign * Component(v, towardsAxis);
}

bool IsFinite(const VECTOR3& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

std::vector<VECTOR3> HullOutline(const PlaneAxes& plane, const std::vector<VECTOR3>& points) {
    if (points.size() < 3) return {};
    std::vector<VECTOR3> sorted = points;
    std::sort(sorted.begin(), sorted.end(), [&](const VECTOR3& a, const VECTOR3& b) {
        return a.z != b.z ? a.z < b.z : plane.Down(a) < plane.Down(b);
    });
    const auto cross = [&](const VECTOR3& o, const VECTOR3& a, const VECTOR3& b) {
        return (a.z - o.z) * (plane.Down(b) - plane.Down(o)) -
               (plane.Down(a) - plane.Down(o)) * (b.z - o.z);
    };
    std::vector<VECTOR3> hull(2 * sorted.size() + 1);
    std::size_t k = 0;
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        while (k >= 2 && cross(hull[k - 2], hull[k - 1], sorted[i]) <= 0) --k;
        hull[k++] = sorted[i];
    }
    for (std::size_t i = sorted.size() - 1, lower = k + 1; i-- > 0;) {
        while (k >= lower && cross(hull[k - 2], hull[k - 1], sorted[i]) <= 0) --k;
        hull[k++] = sorted[i];
    }
    hull.resize(k > 0 ? k - 1 : 0);
    double area = 0.0;
    for (std::size_t i = 0; i < hull.size(); ++i) {
        area += cross(VECTOR3{}, hull[i], hull[(i + 1) % hull.size()]);
    }
    if (hull.size() < 3 || std::fabs(area) < 1e-9) hull.clear();
    return hull;
}

DrawingScene MakeDrawingScene(const World& world, const SimVessel& vessel) {
    DrawingScene scene;
    scene.name = vessel.name;
    scene.className = vessel.className;
    scene.size = vessel.size;
    scene.simTime = world.simTime;
    scene.mjd = world.mjd;
    scene.airlock = FindAirlock(vessel);
    scene.activePorts = ActivePorts(vessel, scene.airlock);
    scene.ports = Ports(vessel, scene.activePorts);
    scene.groups = Groups(vessel);
    scene.thrusters = Thrusters(vessel, scene.groups);
    scene.nearby = NearbyVessels(world, vessel);
    for (const auto& d : vessel.docks) scene.skin.push_back(d->pos);
    for (const auto& t : vessel.thrusters) scene.skin.push_back(t->pos);
    for (const auto& e : vessel.exhausts) scene.skin.push_back(e.pos);
    std::erase_if(scene.skin, [](const VECTOR3& p) { return !IsFinite(p); });
    for (const Plane plane : {kTopPlane, kSidePlane}) {
        scene.hullOutlines[plane] = HullOutline(kPlaneAxes[plane], scene.skin);
    }
    scene.content = Content(scene);
    return scene;
}

}  // namespace sim
