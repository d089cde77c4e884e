// The package's files made from the module's own tables, and their checks:
//   quillmar_package mesh FILE        writes the ship's mesh
//   quillmar_package check-mesh FILE  checks a mesh against the ship's ports and engines
//   quillmar_package keys             prints every key the ship handles, one a line
// Exit status 0 when done, 1 on a fault (named on standard error), 2 on a wrong command line.
#include <fstream>
#include <iostream>
#include <string>

#include "packaging/tool/KeyNames.h"
#include "packaging/tool/MeshCheck.h"
#include "packaging/tool/ShipMesh.h"

namespace {

int WriteMeshFile(const std::string& file) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    ship_mesh::WriteMesh(out, ship_mesh::BuildShipMesh());
    out.flush();
    if (!out) {
        std::cerr << file << ": cannot write the mesh\n";
        return 1;
    }
    return 0;
}

int CheckMeshFile(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::cerr << file << ": cannot read the mesh\n";
        return 1;
    }
    const auto faults = ship_mesh::CheckShipMesh(in);
    for (const auto& fault : faults) std::cerr << file << ": " << fault << '\n';
    return faults.empty() ? 0 : 1;
}

int PrintKeys() {
    for (const KeyBinding& binding : kKeyBindings) {
        const auto name = key_names::BindingName(binding);
        if (!name) {
            std::cerr << "key code " << binding.key << " has no name for the player's page\n";
            return 1;
        }
        std::cout << *name << '\n';
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (argc == 3 && command == "mesh") return WriteMeshFile(argv[2]);
    if (argc == 3 && command == "check-mesh") return CheckMeshFile(argv[2]);
    if (argc == 2 && command == "keys") return PrintKeys();
    std::cerr << "usage: quillmar_package mesh FILE | check-mesh FILE | keys\n";
    return 2;
}
