// Reads a mesh file as the simulator's reader takes it and checks it against the ship's tables:
// a surface facing out of every docking port at the port's position, and one facing along the
// main flames at every exhaust point.
#pragma once

#include <istream>
#include <string>
#include <vector>

#include "packaging/tool/ShipMesh.h"

namespace ship_mesh {

// What is wrong with the mesh, one text for each fault; empty when nothing is.
std::vector<std::string> CheckShipMesh(std::istream& in, const ShipParts& parts = {});

}  // namespace ship_mesh
