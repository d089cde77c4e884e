#include "packaging/tool/MeshShapes.h"

#include <cmath>
#include <numbers>

#include "host/VectorMath.h"

namespace ship_mesh {
namespace {

using vector_math::Add;
using vector_math::Cross;
using vector_math::Dot;
using vector_math::Scale;
using vector_math::Sub;

int AddVertex(Group& group, const VECTOR3& position, const VECTOR3& normal) {
    group.vertices.push_back({position, normal});
    return static_cast<int>(group.vertices.size()) - 1;
}

// The normal of a profile segment in (along, away) components: the profile's direction turned
// a quarter to the left.
struct PlaneNormal {
    double along, away;
};
PlaneNormal SegmentNormal(const ProfilePoint& a, const ProfilePoint& b) {
    const double da = b.along - a.along, dr = b.radius - a.radius;
    const double length = std::hypot(da, dr);
    return {-dr / length, da / length};
}

}  // namespace

VECTOR3 Unit(const VECTOR3& v) {
    const double length = std::sqrt(Dot(v, v));
    return length > 0 ? Scale(v, 1.0 / length) : v;
}

void CrossAxes(const VECTOR3& axis, VECTOR3& first, VECTOR3& second) {
    const VECTOR3 helper = std::fabs(axis.x) < 0.9 ? VECTOR3{1, 0, 0} : VECTOR3{0, 1, 0};
    // first = helper less its part along the axis; second = axis x first.
    first = Unit(Sub(helper, Scale(axis, Dot(helper, axis))));
    second = Cross(axis, first);
}

void AddLathe(Group& group, const VECTOR3& origin, const VECTOR3& axis,
              const std::vector<ProfilePoint>& profile, int segments) {
    VECTOR3 u, v;
    CrossAxes(axis, u, v);
    for (std::size_t s = 0; s + 1 < profile.size(); ++s) {
        const ProfilePoint& a = profile[s];
        const ProfilePoint& b = profile[s + 1];
        if (a.along == b.along && a.radius == b.radius) continue;
        PlaneNormal normals[2] = {SegmentNormal(a, b), SegmentNormal(a, b)};
        // A smooth point takes the mean of the normals of both segments it joins.
        if (a.smooth && s > 0) {
            const PlaneNormal before = SegmentNormal(profile[s - 1], a);
            const double l =
                std::hypot(before.along + normals[0].along, before.away + normals[0].away);
            normals[0] = {(before.along + normals[0].along) / l,
                          (before.away + normals[0].away) / l};
        }
        if (b.smooth && s + 2 < profile.size()) {
            const PlaneNormal after = SegmentNormal(b, profile[s + 2]);
            const double l =
                std::hypot(after.along + normals[1].along, after.away + normals[1].away);
            normals[1] = {(after.along + normals[1].along) / l, (after.away + normals[1].away) / l};
        }
        const ProfilePoint* ends[2] = {&a, &b};
        const int first = static_cast<int>(group.vertices.size());
        for (int j = 0; j <= segments; ++j) {
            const double angle = 2 * std::numbers::pi * j / segments;
            const VECTOR3 out = Add(Scale(u, std::cos(angle)), Scale(v, std::sin(angle)));
            for (int e = 0; e < 2; ++e) {
                const VECTOR3 position =
                    Add(origin, Add(Scale(axis, ends[e]->along), Scale(out, ends[e]->radius)));
                const VECTOR3 normal =
                    Add(Scale(axis, normals[e].along), Scale(out, normals[e].away));
                AddVertex(group, position, normal);
            }
        }
        // Vertex first + 2j is at a, first + 2j + 1 at b, for angle step j.
        for (int j = 0; j < segments; ++j) {
            const int a0 = first + 2 * j, b0 = a0 + 1, a1 = a0 + 2, b1 = a0 + 3;
            if (a.radius > 0) group.triangles.push_back({a0, a1, b0});
            if (b.radius > 0) group.triangles.push_back({a1, b1, b0});
        }
    }
}

void AddBox(Group& group, const VECTOR3& low, const VECTOR3& high) {
    // The six faces: the outward normal and the four corners as (x, y, z) signs, clockwise seen
    // from outside.
    struct Face {
        VECTOR3 normal;
        VECTOR3 corners[4];
    };
    static constexpr Face kFaces[] = {
        {{1, 0, 0}, {{1, -1, -1}, {1, 1, -1}, {1, 1, 1}, {1, -1, 1}}},
        {{-1, 0, 0}, {{-1, -1, 1}, {-1, 1, 1}, {-1, 1, -1}, {-1, -1, -1}}},
        {{0, 1, 0}, {{-1, 1, -1}, {-1, 1, 1}, {1, 1, 1}, {1, 1, -1}}},
        {{0, -1, 0}, {{-1, -1, 1}, {-1, -1, -1}, {1, -1, -1}, {1, -1, 1}}},
        {{0, 0, 1}, {{1, -1, 1}, {1, 1, 1}, {-1, 1, 1}, {-1, -1, 1}}},
        {{0, 0, -1}, {{-1, -1, -1}, {-1, 1, -1}, {1, 1, -1}, {1, -1, -1}}},
    };
    const VECTOR3 centre = Scale(Add(low, high), 0.5);
    const VECTOR3 half = Scale(Sub(high, low), 0.5);
    for (const Face& face : kFaces) {
        const int first = static_cast<int>(group.vertices.size());
        for (const VECTOR3& s : face.corners) {
            AddVertex(group,
                      {centre.x + s.x * half.x, centre.y + s.y * half.y, centre.z + s.z * half.z},
                      face.normal);
        }
        group.triangles.push_back({first, first + 1, first + 2});
        group.triangles.push_back({first, first + 2, first + 3});
    }
}

void AddCylinderPatch(Group& group, double radius, double fromAngle, double toAngle, double zLow,
                      double zHigh, int segments) {
    const int first = static_cast<int>(group.vertices.size());
    for (int j = 0; j <= segments; ++j) {
        const double angle = fromAngle + (toAngle - fromAngle) * j / segments;
        const VECTOR3 out{std::cos(angle), std::sin(angle), 0};
        AddVertex(group, {radius * out.x, radius * out.y, zLow}, out);
        AddVertex(group, {radius * out.x, radius * out.y, zHigh}, out);
    }
    for (int j = 0; j < segments; ++j) {
        const int low0 = first + 2 * j, high0 = low0 + 1, low1 = low0 + 2, high1 = low0 + 3;
        group.triangles.push_back({low0, low1, high0});
        group.triangles.push_back({low1, high1, high0});
    }
}

}  // namespace ship_mesh
