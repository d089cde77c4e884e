#include "packaging/tool/MeshCheck.h"

#include <cmath>
#include <sstream>

#include "packaging/tool/ShipMesh.h"
#include "vessel/ShipTables.h"

namespace ship_mesh {
namespace {

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

// Reads the groups as the simulator's reader takes them; a fault ends the reading.
bool ReadMesh(std::istream& in, std::vector<Group>& groups, std::vector<std::string>& faults) {
    std::string word;
    std::size_t count = 0;
    if (!(in >> word) || word != "MSHX1") {
        faults.push_back("the first line is not MSHX1");
        return false;
    }
    if (!(in >> word >> count) || word != "GROUPS") {
        faults.push_back("no GROUPS line");
        return false;
    }
    for (std::size_t g = 0; g < count; ++g) {
        std::size_t vertices = 0;
        std::size_t triangles = 0;
        if (!(in >> word >> vertices >> triangles) || word != "GEOM") {
            faults.push_back("group " + std::to_string(g) + " has no GEOM line");
            return false;
        }
        Group group;
        for (std::size_t v = 0; v < vertices; ++v) {
            Vertex vertex{};
            if (!(in >> vertex.position.x >> vertex.position.y >> vertex.position.z >>
                  vertex.normal.x >> vertex.normal.y >> vertex.normal.z)) {
                faults.push_back("group " + std::to_string(g) + ": vertex " + std::to_string(v) +
                                 " is not six numbers");
                return false;
            }
            group.vertices.push_back(vertex);
        }
        for (std::size_t t = 0; t < triangles; ++t) {
            std::array<int, 3> triangle{};
            if (!(in >> triangle[0] >> triangle[1] >> triangle[2])) {
                faults.push_back("group " + std::to_string(g) + ": triangle " + std::to_string(t) +
                                 " is not three indices");
                return false;
            }
            for (int index : triangle) {
                if (index < 0 || static_cast<std::size_t>(index) >= vertices) {
                    faults.push_back("group " + std::to_string(g) + ": triangle " +
                                     std::to_string(t) + " names no vertex of its group");
                    return false;
                }
            }
            group.triangles.push_back(triangle);
        }
        groups.push_back(std::move(group));
    }
    if (in >> word) {
        faults.push_back("text after the last group: " + word);
        return false;
    }
    return true;
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

std::vector<std::string> CheckShipMesh(std::istream& in) {
    std::vector<Group> groups;
    std::vector<std::string> faults;
    if (!ReadMesh(in, groups, faults)) return faults;
    for (std::size_t i = 0; i < std::size(kDockingPorts); ++i) {
        const DockingPort& port = kDockingPorts[i];
        if (!HasSurfaceAt(groups, port.pos, port.dir)) {
            faults.push_back("no surface facing " + Text(port.dir) + " at docking port " +
                             std::to_string(i) + ' ' + Text(port.pos));
        }
    }
    for (std::size_t i = 0; i < std::size(kMainExhaustPoints); ++i) {
        if (!HasSurfaceAt(groups, kMainExhaustPoints[i], kMainFlameDir)) {
            faults.push_back("no nozzle facing " + Text(kMainFlameDir) + " at exhaust point " +
                             std::to_string(i) + ' ' + Text(kMainExhaustPoints[i]));
        }
    }
    return faults;
}

}  // namespace ship_mesh
