// A mesh in the simulator's mesh text format, and its reading and writing. The file: "MSHX1",
// "GROUPS n", then per group an optional "LABEL name" and "MATERIAL m" (m counts from 1 in the
// material list, 0 for none), "GEOM vertices triangles", a line "x y z nx ny nz" per vertex and a
// line of three indices per triangle; then "MATERIALS n" with the materials' names, one
// "MATERIAL name" block each (diffuse, ambient, specular with its power, emissive: r g b a), and
// "TEXTURES 0".
#pragma once

#include <array>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "host/HostTypes.h"

namespace ship_mesh {

struct Vertex {
    VECTOR3 position;
    VECTOR3 normal;
};

struct Colour {
    double r, g, b, a;
};

struct Material {
    std::string name;
    Colour diffuse, ambient, specular, emissive;
    double power;  // of the specular highlight
};

// One mesh group: vertices and triangles of indices into them, each face wound clockwise as
// seen from outside (the component cross product of its second and third corners less its first
// points along the outward normal).
struct Group {
    std::string label;
    int material = 0;  // from 1 in Mesh::materials; 0: the simulator's default
    std::vector<Vertex> vertices;
    std::vector<std::array<int, 3>> triangles;
};

struct Mesh {
    std::vector<Group> groups;
    std::vector<Material> materials;
};

// Numbers with at most three decimals (four for colours); LF line ends.
void WriteMesh(std::ostream& out, const Mesh& mesh);

// Reads a mesh as the simulator's reader takes it. False, with the faults named, when the text is
// not one: a missing or misspelt keyword, too few numbers, an index outside its group, a
// material the list lacks, text after the end.
bool ReadMesh(std::istream& in, Mesh& mesh, std::vector<std::string>& faults);

}  // namespace ship_mesh
