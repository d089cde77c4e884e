// The shapes the ship's mesh is made of, added to a mesh group with their faces wound clockwise
// as seen from outside: bodies of revolution turned from a profile (hull, engine bells, docking
// collars), boxes, and patches of a cylinder's skin (markings on the hull).
#pragma once

#include <vector>

#include "packaging/tool/MeshFile.h"

namespace ship_mesh {

// A point of a profile: how far along the axis and how far from it. `smooth`: the surface runs
// on through this point without an edge (the normals of the segments on either side are
// averaged there); otherwise the point is a sharp edge.
struct ProfilePoint {
    double along, radius;
    bool smooth;
};

// A surface of revolution about the axis from `origin` along the unit vector `axis`, turned from
// the profile in `segments` steps. A segment faces away from the axis while the profile runs
// along it, and along the axis while the profile runs in to it (an end cap): a profile from the
// axis out, along and back in to the axis is a closed body.
void AddLathe(Group& group, const VECTOR3& origin, const VECTOR3& axis,
              const std::vector<ProfilePoint>& profile, int segments);

// An axis-aligned box, sharp at every edge.
void AddBox(Group& group, const VECTOR3& low, const VECTOR3& high);

// The skin of a cylinder about the z axis of the given radius, between two angles (from +x
// towards +y) and two z values, facing out.
void AddCylinderPatch(Group& group, double radius, double fromAngle, double toAngle, double zLow,
                      double zHigh, int segments);

// Two unit vectors across `axis`, with first x second = axis by the component formula.
void CrossAxes(const VECTOR3& axis, VECTOR3& first, VECTOR3& second);

// The vector scaled to length 1; a zero vector stays as it is.
VECTOR3 Unit(const VECTOR3& v);

}  // namespace ship_mesh
