// The package's files made from the module's own tables, and their checks:
//   quillmar_package mesh FILE        writes the ship's mesh
//   quillmar_package check-mesh FILE  checks a mesh against the ship's ports and engines
//   quillmar_package render MESH PNG [WIDTH HEIGHT]
//                                     draws the mesh file to a PNG picture (default 1600 x 900)
//   quillmar_package keys             prints every key the ship handles, one a line
//   quillmar_package page TEXT PAGE   writes the player's page: TEXT with its key table made
//                                     from the module's key table
// Exit status 0 when done, 1 on a fault (named on standard error), 2 on a wrong command line.
#include <charconv>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "packaging/tool/MeshCheck.h"
#include "packaging/tool/MeshRender.h"
#include "packaging/tool/PlayerPage.h"
#include "packaging/tool/PngFile.h"
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

// Reads the mesh file and draws it: the picture shows what the file holds.
int RenderMeshFile(const std::string& meshFile, const std::string& pngFile, int width, int height) {
    std::ifstream in(meshFile, std::ios::binary);
    ship_mesh::Mesh mesh;
    std::vector<std::string> faults;
    if (!in) faults.push_back("cannot read the mesh");
    if (in) ship_mesh::ReadMesh(in, mesh, faults);  // names its faults
    for (const auto& fault : faults) std::cerr << meshFile << ": " << fault << '\n';
    if (!faults.empty()) return 1;
    std::string error;
    if (!ship_mesh::WritePng(pngFile, ship_mesh::RenderMesh(mesh, width, height), error)) {
        std::cerr << pngFile << ": " << error << '\n';
        return 1;
    }
    return 0;
}

// A picture's side: a whole number of pixels from 16 to 8192.
bool ReadSide(const char* text, int& side) {
    const std::string_view view(text);
    const auto [end, error] = std::from_chars(view.data(), view.data() + view.size(), side);
    return error == std::errc() && end == view.data() + view.size() && side >= 16 && side <= 8192;
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
    for (const quillmar::KeyBinding& binding : quillmar::kKeyBindings) {
        const auto name = player_page::BindingName(binding);
        if (!name) {
            std::cerr << "key code " << binding.key << " has no name for the player's page\n";
            return 1;
        }
        std::cout << *name << '\n';
    }
    return 0;
}

int WritePlayerPage(const std::string& textFile, const std::string& pageFile) {
    std::ifstream in(textFile, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in.good() && !in.eof()) {
        std::cerr << textFile << ": cannot read the page\n";
        return 1;
    }
    std::string error;
    const auto page = player_page::MakePage(text, error);
    if (!page) {
        std::cerr << textFile << ": " << error << '\n';
        return 1;
    }
    std::ofstream out(pageFile, std::ios::binary | std::ios::trunc);
    out << *page;
    out.flush();
    if (!out) {
        std::cerr << pageFile << ": cannot write the page\n";
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (argc == 3 && command == "mesh") return WriteMeshFile(argv[2]);
    if (argc == 3 && command == "check-mesh") return CheckMeshFile(argv[2]);
    if (argc == 2 && command == "keys") return PrintKeys();
    if (argc == 4 && command == "page") return WritePlayerPage(argv[2], argv[3]);
    int width = 1600, height = 900;
    if (command == "render" &&
        (argc == 4 || (argc == 6 && ReadSide(argv[4], width) && ReadSide(argv[5], height)))) {
        return RenderMeshFile(argv[2], argv[3], width, height);
    }
    std::cerr << "usage: quillmar_package mesh FILE | check-mesh FILE | render MESH PNG [WIDTH "
                 "HEIGHT] | keys | page TEXT PAGE\n";
    return 2;
}
