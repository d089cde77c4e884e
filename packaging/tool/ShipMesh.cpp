#include "packaging/tool/ShipMesh.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "vessel/ShipTables.h"

namespace ship_mesh {
namespace {

constexpr double kHullHalfWidth = 4.5;
constexpr double kArmHalfThickness = 1.5;
constexpr double kArmFront = 53.0;
constexpr double kArmBack = 45.0;
constexpr double kNozzleHalfWidth = 1.6;
constexpr double kNozzleLength = 18.0;
constexpr double kEngineBlockHalfWidth = 10.5;
constexpr double kEngineBlockLength = 12.0;
constexpr double kCollarHalfWidth = 1.2;
constexpr double kCollarDepth = 1.5;

struct Box {
    VECTOR3 low;
    VECTOR3 high;
};

// The six faces of a box: the outward normal and the four corners as (x, y, z) signs, clockwise
// seen from outside.
struct Face {
    VECTOR3 normal;
    std::array<VECTOR3, 4> corners;
};
constexpr Face kFaces[] = {
    {{1, 0, 0}, {{{1, -1, -1}, {1, 1, -1}, {1, 1, 1}, {1, -1, 1}}}},
    {{-1, 0, 0}, {{{-1, -1, 1}, {-1, 1, 1}, {-1, 1, -1}, {-1, -1, -1}}}},
    {{0, 1, 0}, {{{-1, 1, -1}, {-1, 1, 1}, {1, 1, 1}, {1, 1, -1}}}},
    {{0, -1, 0}, {{{-1, -1, 1}, {-1, -1, -1}, {1, -1, -1}, {1, -1, 1}}}},
    {{0, 0, 1}, {{{1, -1, 1}, {1, 1, 1}, {-1, 1, 1}, {-1, -1, 1}}}},
    {{0, 0, -1}, {{{-1, -1, -1}, {-1, 1, -1}, {1, 1, -1}, {1, -1, -1}}}},
};

double& Axis(VECTOR3& v, int axis) { return axis == 0 ? v.x : axis == 1 ? v.y : v.z; }

void AddBox(Group& group, const Box& box) {
    const VECTOR3 centre{(box.low.x + box.high.x) / 2, (box.low.y + box.high.y) / 2,
                         (box.low.z + box.high.z) / 2};
    const VECTOR3 half{(box.high.x - box.low.x) / 2, (box.high.y - box.low.y) / 2,
                       (box.high.z - box.low.z) / 2};
    for (const Face& face : kFaces) {
        const int first = static_cast<int>(group.vertices.size());
        for (const VECTOR3& s : face.corners) {
            group.vertices.push_back(
                {{centre.x + s.x * half.x, centre.y + s.y * half.y, centre.z + s.z * half.z},
                 face.normal});
        }
        group.triangles.push_back({first, first + 1, first + 2});
        group.triangles.push_back({first, first + 2, first + 3});
    }
}

Group GroupOf(const std::vector<Box>& boxes) {
    Group group;
    for (const Box& box : boxes) AddBox(group, box);
    return group;
}

// A collar whose outer face lies on the port, reaching back into the ship along the port's
// direction, as wide as kCollarHalfWidth across it.
Box Collar(const DockingPort& port) {
    const VECTOR3 inner{port.pos.x - port.dir.x * kCollarDepth,
                        port.pos.y - port.dir.y * kCollarDepth,
                        port.pos.z - port.dir.z * kCollarDepth};
    Box box{{std::min(port.pos.x, inner.x), std::min(port.pos.y, inner.y),
             std::min(port.pos.z, inner.z)},
            {std::max(port.pos.x, inner.x), std::max(port.pos.y, inner.y),
             std::max(port.pos.z, inner.z)}};
    VECTOR3 dir = port.dir;
    for (int axis = 0; axis < 3; ++axis) {
        if (Axis(dir, axis) == 0) {
            Axis(box.low, axis) -= kCollarHalfWidth;
            Axis(box.high, axis) += kCollarHalfWidth;
        }
    }
    return box;
}

std::string Number(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.3f", value);
    std::string number = text;
    number.erase(number.find_last_not_of('0') + 1);
    if (number.back() == '.') number.pop_back();
    return number == "-0" ? "0" : number;
}

}  // namespace

std::vector<Group> BuildShipMesh() {
    double nose = kDockingPorts[0].pos.z;
    for (const DockingPort& port : kDockingPorts) nose = std::max(nose, port.pos.z);
    double tail = kMainExhaustPoints[0].z;
    for (const VECTOR3& point : kMainExhaustPoints) tail = std::min(tail, point.z);
    const double blockRear = tail + kNozzleLength;

    const double w = kHullHalfWidth;
    const Box hull{{-w, -w, blockRear + kEngineBlockLength}, {w, w, nose - kCollarDepth}};

    // Arms across the ship out to the farthest port beside it.
    double reach = 0;
    for (const DockingPort& port : kDockingPorts) {
        reach = std::max({reach, std::abs(port.pos.x), std::abs(port.pos.y)});
    }
    const double t = kArmHalfThickness;
    const std::vector<Box> arms{{{-reach, -t, kArmBack}, {reach, t, kArmFront}},
                                {{-t, -reach, kArmBack}, {t, reach, kArmFront}}};

    const double b = kEngineBlockHalfWidth;
    std::vector<Box> engines{{{-b, -b, blockRear}, {b, b, blockRear + kEngineBlockLength}}};
    const double n = kNozzleHalfWidth;
    for (const VECTOR3& p : kMainExhaustPoints) {
        engines.push_back({{p.x - n, p.y - n, p.z}, {p.x + n, p.y + n, p.z + kNozzleLength}});
    }

    std::vector<Box> collars;
    for (const DockingPort& port : kDockingPorts) collars.push_back(Collar(port));

    return {GroupOf({hull}), GroupOf(arms), GroupOf(engines), GroupOf(collars)};
}

void WriteMesh(std::ostream& out, const std::vector<Group>& groups) {
    out << "MSHX1\nGROUPS " << groups.size() << '\n';
    for (const Group& group : groups) {
        out << "GEOM " << group.vertices.size() << ' ' << group.triangles.size() << '\n';
        for (const Vertex& v : group.vertices) {
            out << Number(v.position.x) << ' ' << Number(v.position.y) << ' '
                << Number(v.position.z) << ' ' << Number(v.normal.x) << ' ' << Number(v.normal.y)
                << ' ' << Number(v.normal.z) << '\n';
        }
        for (const auto& triangle : group.triangles) {
            out << triangle[0] << ' ' << triangle[1] << ' ' << triangle[2] << '\n';
        }
    }
}

}  // namespace ship_mesh
