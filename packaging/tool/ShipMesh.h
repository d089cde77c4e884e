// The ship's placeholder mesh, made from the ship's own tables (vessel/ShipTables.h), so that a
// port or an engine added to a table appears in the mesh without touching this code. Boxes only:
// the hull from the nose port back to the engine block, the cross of arms that carries the ports
// facing aft, the engine block with one nozzle per exhaust point, and a collar at every docking
// port. Written in the simulator's mesh text format.
#pragma once

#include <array>
#include <ostream>
#include <vector>

#include "host/HostTypes.h"

namespace ship_mesh {

struct Vertex {
    VECTOR3 position;
    VECTOR3 normal;
};

// One mesh group: vertices and triangles of indices into them, each face wound clockwise as
// seen from outside.
struct Group {
    std::vector<Vertex> vertices;
    std::vector<std::array<int, 3>> triangles;
};

std::vector<Group> BuildShipMesh();

// The groups in the mesh text format: "MSHX1", "GROUPS n", then per group "GEOM vertices
// triangles", a line "x y z nx ny nz" per vertex and a line of three indices per triangle.
// Numbers with at most three decimals; LF line ends.
void WriteMesh(std::ostream& out, const std::vector<Group>& groups);

}  // namespace ship_mesh
