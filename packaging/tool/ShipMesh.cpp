#include "packaging/tool/ShipMesh.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "host/VectorMath.h"
#include "packaging/tool/MeshShapes.h"

namespace ship_mesh {
namespace {

using quillmar::AttitudeThruster;
using quillmar::DockingPort;
using quillmar::kMainFlameDir;
using vector_math::Add;
using vector_math::Scale;
using vector_math::Sub;

// Metres. The hull's sections, from the stern: the thrust plate the bells hang from, the flare of
// the engine section, the aft thruster module, the spine, the midship module (wider, for the side
// ports and the airlock), the spine again, the crew module and the nose.
constexpr double kBellLength = 7.0;
constexpr double kBellThroat = 0.85;
constexpr double kBellMouth = 1.95;
constexpr double kPlateRim = 0.8;         // thrust plate beyond the outermost bell
constexpr double kPlateDepth = 6.0;       // the plate's straight edge
constexpr double kFlareLength = 20.0;     // from the plate's edge in to the aft module
constexpr double kAftModuleRadius = 5.5;  // the aft thrusters' exhaust points stand on it
constexpr double kAftModuleLength = 21.0;
constexpr double kSpineRadius = 3.6;
constexpr double kShoulder = 7.0;           // a module's shoulder down to the spine
constexpr double kSidePortStandOff = 0.47;  // a side port's hatch stands this far off the hull
constexpr double kMidshipHalfLength = 28.0;
constexpr double kCrewModuleRadius = 5.6;
constexpr double kCrewModuleLength = 40.0;
constexpr double kNoseLength = 20.0;
constexpr double kNoseTip = 2.4;  // the nose's flat tip, where the front port's collar sits
constexpr double kWindowBand[] = {22.0, 24.5};  // aft of the crew module's front, from-to
constexpr int kHullSegments = 48;
constexpr int kPartSegments = 24;
constexpr int kNozzleSegments = 12;

// A docking collar: a flange on the hull, a tube and the hatch on the port itself.
constexpr double kCollarDepth = 1.2;
constexpr double kFlangeRadius = 1.8;
constexpr double kFlangeDepth = 0.45;
constexpr double kTubeRadius = 1.35;
// A pod holding a port that lies off the hull, reaching forward of the collar, and its arm.
constexpr double kPodRadius = 2.4;
constexpr double kPodLength = 14.0;
constexpr double kPodNose = 6.0;
constexpr double kArmHalfThickness = 0.7;
constexpr double kArmHalfLength = 2.2;
// Frames round the spine, every so many metres between the modules.
constexpr double kFrameSpacing = 30.0;
constexpr double kFrameHalfLength = 0.8;
constexpr double kFrameHeight = 0.3;
// An attitude thruster block: a cube at the thrusters' position with a nozzle per thruster.
constexpr double kBlockHalf = 1.5;
constexpr double kNozzleLength = 0.8;
constexpr double kNozzleThroat = 0.3;
constexpr double kNozzleMouth = 0.55;
constexpr double kExhaustCluster = 4.0;  // exhaust points this close share one block
constexpr double kQuadInset = 0.3;       // a block on the hull reaches this far into it
constexpr double kQuadMinimumHalf = 0.4;
// A landing pad: a disc whose underside is the touchdown point, on a square leg up into the hull
// (or up to an arm from the hull, for a pad farther out than the hull).
constexpr double kPadRadius = 3.0;
constexpr double kPadThickness = 0.6;
constexpr double kLegHalf = 0.6;
// The airlock door's outline: half its width along the ship and half its height, and the line.
constexpr double kDoorHalfLength = 1.3;
constexpr double kDoorHalfHeight = 1.7;
constexpr double kDoorLine = 0.25;
constexpr double kMarkingLift = 0.03;  // markings stand off the hull so that they show

// diffuse, ambient, specular, specular power, emissive
constexpr Colour kNoGlow{0, 0, 0, 1};
const Material kMaterials[] = {
    {kHullGroup, {0.78, 0.80, 0.83, 1}, {0.78, 0.80, 0.83, 1}, {0.3, 0.3, 0.3, 1}, kNoGlow, 20},
    {kModuleGroup, {0.52, 0.56, 0.60, 1}, {0.52, 0.56, 0.60, 1}, {0.2, 0.2, 0.2, 1}, kNoGlow, 10},
    {kBellGroup, {0.22, 0.22, 0.24, 1}, {0.22, 0.22, 0.24, 1}, {0.7, 0.7, 0.7, 1}, kNoGlow, 40},
    {kExitGroup,
     {0.05, 0.04, 0.04, 1},
     {0.05, 0.04, 0.04, 1},
     {0, 0, 0, 1},
     {0.45, 0.16, 0.05, 1},
     1},
    {kCollarGroup, {0.86, 0.60, 0.18, 1}, {0.86, 0.60, 0.18, 1}, {0.4, 0.4, 0.4, 1}, kNoGlow, 30},
    {kWindowGroup,
     {0.10, 0.10, 0.12, 1},
     {0.10, 0.10, 0.12, 1},
     {0.5, 0.5, 0.5, 1},
     {1.0, 0.86, 0.55, 1},
     60},
    {kDoorGroup, {0.95, 0.80, 0.10, 1}, {0.95, 0.80, 0.10, 1}, {0.2, 0.2, 0.2, 1}, kNoGlow, 10},
    {kThrusterGroup, {0.38, 0.38, 0.41, 1}, {0.38, 0.38, 0.41, 1}, {0.5, 0.5, 0.5, 1}, kNoGlow, 30},
};

double Lateral(const VECTOR3& v) { return std::hypot(v.x, v.y); }

// The hull's profile along z (radius 0 at both ends closes it).
std::vector<ProfilePoint> HullProfile(const ShipParts& parts, double nose, double tail) {
    double engineRadius = 0;
    for (const VECTOR3& p : parts.exhaustPoints) {
        engineRadius = std::max(engineRadius, Lateral(p) + kBellMouth + kPlateRim);
    }
    // The midship module stands just inside the side ports: those beside the hull, facing out.
    double midshipRadius = kSpineRadius + 0.5, midshipCentre = 0;
    for (const DockingPort& port : parts.ports) {
        if (port.dir.z == 0 && Lateral(port.pos) < kCrewModuleRadius) {
            midshipRadius = Lateral(port.pos) - kSidePortStandOff;
            midshipCentre = port.pos.z;
        }
    }
    const double plate = tail + kBellLength;
    const double flareEnd = plate + kPlateDepth + kFlareLength;
    const double crewFront = nose - kCollarDepth - kNoseLength;
    const double crewBack = crewFront - kCrewModuleLength;
    const double midBack = midshipCentre - kMidshipHalfLength;
    const double midFront = midshipCentre + kMidshipHalfLength;
    return {
        {plate, 0, false},
        {plate, engineRadius, false},
        {plate + kPlateDepth, engineRadius, false},
        {plate + kPlateDepth + kFlareLength * 0.35, (engineRadius + kAftModuleRadius) / 2, true},
        {flareEnd, kAftModuleRadius, false},
        {flareEnd + kAftModuleLength, kAftModuleRadius, false},
        {flareEnd + kAftModuleLength + kShoulder, kSpineRadius, false},
        {midBack - kShoulder, kSpineRadius, false},
        {midBack, midshipRadius, false},
        {midFront, midshipRadius, false},
        {midFront + kShoulder, kSpineRadius, false},
        {crewBack - kShoulder, kSpineRadius, false},
        {crewBack, kCrewModuleRadius, false},
        {crewFront, kCrewModuleRadius, true},
        {crewFront + kNoseLength * 0.5, (kCrewModuleRadius + kNoseTip) * 0.55, true},
        {crewFront + kNoseLength * 0.8, kNoseTip * 1.35, true},
        {nose - kCollarDepth, kNoseTip, false},
        {nose - kCollarDepth, 0, false},
    };
}

double HullRadius(const std::vector<ProfilePoint>& profile, double z) {
    for (std::size_t i = 1; i + 1 < profile.size(); ++i) {
        const ProfilePoint& a = profile[i];
        const ProfilePoint& b = profile[i + 1];
        if (z >= a.along && z <= b.along && b.along > a.along) {
            return a.radius + (b.radius - a.radius) * (z - a.along) / (b.along - a.along);
        }
    }
    return 0;
}

// An arm from the hull out to `to` at `z`, along x or y, whichever `to` lies farther along.
void AddArm(Group& group, const VECTOR3& to, double hullRadius, double reach) {
    const bool alongX = std::fabs(to.x) >= std::fabs(to.y);
    const double end = (alongX ? to.x : to.y);
    const double from = std::copysign(hullRadius * 0.9, end);
    const double tip = end - std::copysign(reach, end);
    VECTOR3 low{-kArmHalfThickness, -kArmHalfThickness, to.z - kArmHalfLength};
    VECTOR3 high{kArmHalfThickness, kArmHalfThickness, to.z + kArmHalfLength};
    double& lowAcross = alongX ? low.x : low.y;
    double& highAcross = alongX ? high.x : high.y;
    lowAcross = std::min(from, tip);
    highAcross = std::max(from, tip);
    AddBox(group, low, high);
}

Group& GroupNamed(Mesh& mesh, const char* label) {
    for (Group& group : mesh.groups) {
        if (group.label == label) return group;
    }
    Group group;
    group.label = label;
    for (std::size_t m = 0; m < std::size(kMaterials); ++m) {
        if (kMaterials[m].name == label) group.material = static_cast<int>(m) + 1;
    }
    mesh.groups.push_back(group);
    return mesh.groups.back();
}

}  // namespace

Mesh BuildShipMesh(const ShipParts& parts) {
    double nose = 0, tail = 0;
    for (const DockingPort& port : parts.ports) nose = std::max(nose, port.pos.z);
    for (const VECTOR3& point : parts.exhaustPoints) tail = std::min(tail, point.z);

    Mesh mesh;
    mesh.materials.assign(std::begin(kMaterials), std::end(kMaterials));
    // Every group in the order of the materials, so that the file's groups stay in one order.
    for (const Material& material : kMaterials) GroupNamed(mesh, material.name.c_str());
    Group& hull = GroupNamed(mesh, kHullGroup);
    Group& modules = GroupNamed(mesh, kModuleGroup);
    Group& bells = GroupNamed(mesh, kBellGroup);
    Group& exits = GroupNamed(mesh, kExitGroup);
    Group& collars = GroupNamed(mesh, kCollarGroup);
    Group& windows = GroupNamed(mesh, kWindowGroup);
    Group& door = GroupNamed(mesh, kDoorGroup);
    Group& thrusters = GroupNamed(mesh, kThrusterGroup);

    const std::vector<ProfilePoint> profile = HullProfile(parts, nose, tail);
    AddLathe(hull, {0, 0, 0}, {0, 0, 1}, profile, kHullSegments);
    // Frames round the spine, where the hull runs straight at the spine's radius.
    for (double z = tail; z < nose; z += kFrameSpacing) {
        const double r = kSpineRadius;
        if (HullRadius(profile, z - kFrameHalfLength) != r ||
            HullRadius(profile, z + kFrameHalfLength) != r) {
            continue;
        }
        AddLathe(modules, {0, 0, z - kFrameHalfLength}, {0, 0, 1},
                 {{0, r * 0.9, false},
                  {0, r + kFrameHeight, false},
                  {2 * kFrameHalfLength, r + kFrameHeight, false},
                  {2 * kFrameHalfLength, r * 0.9, false}},
                 kHullSegments);
    }

    // The lit window band round the crew module.
    const double crewFront = nose - kCollarDepth - kNoseLength;
    const double bandRadius = kCrewModuleRadius + kMarkingLift;
    AddLathe(windows, {0, 0, crewFront - kWindowBand[1]}, {0, 0, 1},
             {{0, bandRadius, false}, {kWindowBand[1] - kWindowBand[0], bandRadius, false}},
             kHullSegments);

    // An engine bell from the thrust plate to each exhaust point, facing along the flames, its
    // mouth closed by the nozzle's exit.
    for (const VECTOR3& point : parts.exhaustPoints) {
        const VECTOR3 throat = Sub(point, Scale(kMainFlameDir, kBellLength));
        AddLathe(bells, throat, kMainFlameDir,
                 {{0, kBellThroat, false},
                  {kBellLength * 0.2, kBellThroat * 1.1, true},
                  {kBellLength * 0.5, (kBellThroat + kBellMouth) * 0.55, true},
                  {kBellLength * 0.8, kBellMouth * 0.88, true},
                  {kBellLength, kBellMouth, false}},
                 kPartSegments);
        AddLathe(exits, throat, kMainFlameDir,
                 {{kBellLength, kBellMouth, false}, {kBellLength, 0, false}}, kPartSegments);
    }

    for (const DockingPort& port : parts.ports) {
        // The collar: flange, tube and the hatch facing out of the port at its position.
        const VECTOR3 base = Sub(port.pos, Scale(port.dir, kCollarDepth));
        AddLathe(collars, base, port.dir,
                 {{0, kFlangeRadius, false},
                  {kFlangeDepth, kFlangeRadius, false},
                  {kFlangeDepth, kTubeRadius, false},
                  {kCollarDepth, kTubeRadius, false},
                  {kCollarDepth, 0, false}},
                 kPartSegments);
        const double hullRadius = HullRadius(profile, port.pos.z);
        if (Lateral(port.pos) <= hullRadius + kPodRadius) {
            // On the hull. A port beside it has the airlock's door outlined next to it, at the
            // middle of the airlock box along the ship.
            if (port.dir.z != 0) continue;
            const double z = (port.airlock.zMin + port.airlock.zMax) / 2;
            const double r = HullRadius(profile, z) + kMarkingLift;
            const double centre = std::atan2(port.dir.y, port.dir.x);
            const double half = kDoorHalfHeight / r, line = kDoorLine / r;
            const double z0 = z - kDoorHalfLength, z1 = z + kDoorHalfLength;
            AddCylinderPatch(door, r, centre - half, centre + half, z0, z0 + kDoorLine, 4);
            AddCylinderPatch(door, r, centre - half, centre + half, z1 - kDoorLine, z1, 4);
            AddCylinderPatch(door, r, centre - half, centre - half + line, z0, z1, 1);
            AddCylinderPatch(door, r, centre + half - line, centre + half, z0, z1, 1);
            continue;
        }
        // Off the hull: a pod behind the collar, on an arm from the hull.
        const VECTOR3 back = Scale(port.dir, -1.0);
        AddLathe(modules, base, back,
                 {{0, 0, false},
                  {0, kPodRadius, false},
                  {kPodLength, kPodRadius, false},
                  {kPodLength + kPodNose * 0.6, kPodRadius * 0.7, true},
                  {kPodLength + kPodNose, 0, false}},
                 kPartSegments);
        AddArm(modules, Add(base, Scale(back, kPodLength / 2)), hullRadius, kPodRadius * 0.5);
    }

    // Attitude thrusters: a block at each position the thrusters share, on an arm from the hull,
    // with a nozzle for each thruster on the face its exhaust leaves from.
    std::vector<VECTOR3> blocks;
    for (const AttitudeThruster& t : parts.thrusters) {
        const bool known = std::any_of(blocks.begin(), blocks.end(), [&](const VECTOR3& b) {
            return b.x == t.pos.x && b.y == t.pos.y && b.z == t.pos.z;
        });
        if (!known) blocks.push_back(t.pos);
        const VECTOR3 exhaust = Scale(t.dir, -1.0);
        AddLathe(thrusters, Add(t.pos, Scale(exhaust, kBlockHalf)), exhaust,
                 {{0, kNozzleThroat, false},
                  {kNozzleLength, kNozzleMouth, false},
                  {kNozzleLength, 0, false}},
                 kNozzleSegments);
    }
    for (const VECTOR3& b : blocks) {
        const VECTOR3 half{kBlockHalf, kBlockHalf, kBlockHalf};
        AddBox(thrusters, Sub(b, half), Add(b, half));
        const double hullRadius = HullRadius(profile, b.z);
        if (Lateral(b) > hullRadius + kBlockHalf) AddArm(modules, b, hullRadius, kBlockHalf);
    }
    // And a block on the hull round each cluster of exhaust points, from inside the hull out to
    // the points, so that the flames leave from its faces.
    std::vector<std::pair<VECTOR3, VECTOR3>> clusters;
    for (const AttitudeThruster& t : parts.thrusters) {
        const VECTOR3& p = t.exhaustPos;
        auto cluster = std::find_if(clusters.begin(), clusters.end(), [&](const auto& c) {
            return std::fabs(p.x - c.first.x) < kExhaustCluster &&
                   std::fabs(p.y - c.first.y) < kExhaustCluster &&
                   std::fabs(p.z - c.first.z) < kExhaustCluster;
        });
        if (cluster == clusters.end()) {
            clusters.push_back({p, p});
            continue;
        }
        cluster->first = {std::min(cluster->first.x, p.x), std::min(cluster->first.y, p.y),
                          std::min(cluster->first.z, p.z)};
        cluster->second = {std::max(cluster->second.x, p.x), std::max(cluster->second.y, p.y),
                           std::max(cluster->second.z, p.z)};
    }
    for (auto [low, high] : clusters) {
        // A cluster of one point still makes a block.
        for (int axis = 0; axis < 3; ++axis) {
            const double middle = (low.data[axis] + high.data[axis]) / 2;
            low.data[axis] = std::min(low.data[axis], middle - kQuadMinimumHalf);
            high.data[axis] = std::max(high.data[axis], middle + kQuadMinimumHalf);
        }
        // Reach into the hull along whichever of x and y the cluster stands out on.
        const double inner = HullRadius(profile, (low.z + high.z) / 2) - kQuadInset;
        const bool alongX = std::fabs(low.x + high.x) >= std::fabs(low.y + high.y);
        double& lowAcross = alongX ? low.x : low.y;
        double& highAcross = alongX ? high.x : high.y;
        if (highAcross > 0) {
            lowAcross = std::min(lowAcross, inner);
        } else {
            highAcross = std::max(highAcross, -inner);
        }
        AddBox(thrusters, low, high);
    }
    for (const TOUCHDOWNVTX& pad : parts.pads) {
        const VECTOR3& p = pad.pos;
        AddLathe(modules, p, {0, 1, 0},
                 {{0, 0, false},
                  {0, kPadRadius, false},
                  {kPadThickness, kPadRadius, false},
                  {kPadThickness, 0, false}},
                 kPartSegments);
        const double hullRadius = HullRadius(profile, p.z);
        // The leg ends inside the hull below its axis, or at the arm at the axis's height.
        double top = 0;
        if (std::fabs(p.x) < hullRadius * 0.9) {
            top = -std::sqrt(hullRadius * hullRadius - p.x * p.x) * 0.9;
        } else {
            AddArm(modules, {p.x, 0, p.z}, hullRadius, 0);
        }
        AddBox(modules, {p.x - kLegHalf, p.y + kPadThickness, p.z - kLegHalf},
               {p.x + kLegHalf, top, p.z + kLegHalf});
    }
    return mesh;
}

}  // namespace ship_mesh
