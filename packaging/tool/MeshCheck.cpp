#include "packaging/tool/MeshCheck.h"

#include <cmath>
#include <sstream>

#include "packaging/tool/ShipMesh.h"

namespace ship_mesh {
namespace {

using quillmar::DockingPort;
using quillmar::kMainFlameDir;

// The file's numbers carry three decimals.
constexpr double kTolerance = 1e-3;

VECTOR3 Minus(const VECTOR3& a, const VECTOR3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
double Dot(const VECTOR3& a, const VECTOR3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
double Area(const VECTOR3& a, const VECTOR3& b, const VECTOR3& c) {
    const VECTOR3 u = Minus(b, a);
    const VECTOR3 v = Minus(c, a);
    const VECTOR3 cross{u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
    return std::sqrt(Dot(cross, cross)) / 2;
}
bool Same(const VECTOR3& a, const VECTOR3& b) {
    const VECTOR3 d = Minus(a, b);
    return std::sqrt(Dot(d, d)) < kTolerance;
}

std::string Text(const VECTOR3& v) {
    std::ostringstream text;
    text << '(' << v.x << ", " << v.y << ", " << v.z << ')';
    return text.str();
}

// Whether a triangle of the mesh lies in the plane through `point` across `normal`, faces along
// `normal` and holds the point.
bool HasSurfaceAt(const std::vector<Group>& groups, const VECTOR3& point, const VECTOR3& normal) {
    for (const Group& group : groups) {
        for (const auto& triangle : group.triangles) {
            const Vertex& a = group.vertices[triangle[0]];
            const Vertex& b = group.vertices[triangle[1]];
            const Vertex& c = group.vertices[triangle[2]];
            if (!Same(a.normal, normal) || !Same(b.normal, normal) || !Same(c.normal, normal)) {
                continue;
            }
            bool inPlane = true;
            for (const Vertex* v : {&a, &b, &c}) {
                inPlane = inPlane && std::abs(Dot(Minus(v->position, point), normal)) < kTolerance;
            }
            const double whole = Area(a.position, b.position, c.position);
            const double parts = Area(point, a.position, b.position) +
                                 Area(point, b.position, c.position) +
                                 Area(point, c.position, a.position);
            if (inPlane && whole > 0 && std::abs(parts - whole) < kTolerance * whole) return true;
        }
    }
    return false;
}

}  // namespace

std::vector<std::string> CheckShipMesh(std::istream& in, const ShipParts& parts) {
    Mesh mesh;
    std::vector<std::string> faults;
    if (!ReadMesh(in, mesh, faults)) return faults;
    const std::vector<Group>& groups = mesh.groups;
    for (std::size_t i = 0; i < parts.ports.size(); ++i) {
        const DockingPort& port = parts.ports[i];
        if (!HasSurfaceAt(groups, port.pos, port.dir)) {
            faults.push_back("no surface facing " + Text(port.dir) + " at docking port " +
                             std::to_string(i) + ' ' + Text(port.pos));
        }
    }
    for (std::size_t i = 0; i < parts.exhaustPoints.size(); ++i) {
        if (!HasSurfaceAt(groups, parts.exhaustPoints[i], kMainFlameDir)) {
            faults.push_back("no nozzle facing " + Text(kMainFlameDir) + " at exhaust point " +
                             std::to_string(i) + ' ' + Text(parts.exhaustPoints[i]));
        }
    }
    return faults;
}

}  // namespace ship_mesh
