#include "packaging/tool/MeshFile.h"

#include <cstdio>
#include <iterator>

namespace ship_mesh {
namespace {

std::string Number(double value, const char* format) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    std::string number = text;
    number.erase(number.find_last_not_of('0') + 1);
    if (number.back() == '.') number.pop_back();
    return number == "-0" ? "0" : number;
}

void WriteColour(std::ostream& out, const Colour& c) {
    out << Number(c.r, "%.4f") << ' ' << Number(c.g, "%.4f") << ' ' << Number(c.b, "%.4f") << ' '
        << Number(c.a, "%.4f");
}

std::string Where(std::size_t group) { return "group " + std::to_string(group); }

bool ReadColour(std::istream& in, Colour& c) {
    return static_cast<bool>(in >> c.r >> c.g >> c.b >> c.a);
}

bool ReadGroup(std::istream& in, std::size_t g, std::string& word, Group& group,
               std::vector<std::string>& faults) {
    // The group's optional lines before its geometry.
    while (in >> word && word != "GEOM") {
        int number = 0;
        if (word == "LABEL") {
            in >> group.label;
        } else if ((word == "MATERIAL" || word == "TEXTURE") && in >> number && number >= 0) {
            if (word == "MATERIAL") group.material = number;
        } else {
            faults.push_back(Where(g) + ": " + word + " where GEOM was due");
            return false;
        }
    }
    std::size_t vertices = 0;
    std::size_t triangles = 0;
    if (word != "GEOM" || !(in >> vertices >> triangles)) {
        faults.push_back(Where(g) + " has no GEOM line");
        return false;
    }
    for (std::size_t v = 0; v < vertices; ++v) {
        Vertex vertex{};
        if (!(in >> vertex.position.x >> vertex.position.y >> vertex.position.z >>
              vertex.normal.x >> vertex.normal.y >> vertex.normal.z)) {
            faults.push_back(Where(g) + ": vertex " + std::to_string(v) + " is not six numbers");
            return false;
        }
        group.vertices.push_back(vertex);
    }
    for (std::size_t t = 0; t < triangles; ++t) {
        std::array<int, 3> triangle{};
        if (!(in >> triangle[0] >> triangle[1] >> triangle[2])) {
            faults.push_back(Where(g) + ": triangle " + std::to_string(t) +
                             " is not three indices");
            return false;
        }
        for (int index : triangle) {
            if (index < 0 || static_cast<std::size_t>(index) >= vertices) {
                faults.push_back(Where(g) + ": triangle " + std::to_string(t) +
                                 " names no vertex of its group");
                return false;
            }
        }
        group.triangles.push_back(triangle);
    }
    return true;
}

bool ReadMaterials(std::istream& in, Mesh& mesh, std::vector<std::string>& faults) {
    std::size_t count = 0;
    if (!(in >> count)) {
        faults.push_back("MATERIALS without a count");
        return false;
    }
    mesh.materials.resize(count);
    for (Material& material : mesh.materials) {
        if (!(in >> material.name)) {
            faults.push_back("the material list is cut short");
            return false;
        }
    }
    for (Material& material : mesh.materials) {
        std::string word, name;
        if (!(in >> word >> name) || word != "MATERIAL" || name != material.name ||
            !ReadColour(in, material.diffuse) || !ReadColour(in, material.ambient) ||
            !ReadColour(in, material.specular) || !(in >> material.power) ||
            !ReadColour(in, material.emissive)) {
            faults.push_back("material " + material.name + " is not its name and four colours");
            return false;
        }
    }
    return true;
}

}  // namespace

void WriteMesh(std::ostream& out, const Mesh& mesh) {
    out << "MSHX1\nGROUPS " << mesh.groups.size() << '\n';
    for (const Group& group : mesh.groups) {
        if (!group.label.empty()) out << "LABEL " << group.label << '\n';
        if (group.material > 0) out << "MATERIAL " << group.material << '\n';
        out << "GEOM " << group.vertices.size() << ' ' << group.triangles.size() << '\n';
        for (const Vertex& v : group.vertices) {
            const double values[] = {v.position.x, v.position.y, v.position.z,
                                     v.normal.x,   v.normal.y,   v.normal.z};
            for (std::size_t i = 0; i < std::size(values); ++i) {
                out << (i > 0 ? " " : "") << Number(values[i], "%.3f");
            }
            out << '\n';
        }
        for (const auto& triangle : group.triangles) {
            out << triangle[0] << ' ' << triangle[1] << ' ' << triangle[2] << '\n';
        }
    }
    if (!mesh.materials.empty()) {
        out << "MATERIALS " << mesh.materials.size() << '\n';
        for (const Material& material : mesh.materials) out << material.name << '\n';
        for (const Material& material : mesh.materials) {
            out << "MATERIAL " << material.name << '\n';
            WriteColour(out, material.diffuse);
            out << '\n';
            WriteColour(out, material.ambient);
            out << '\n';
            WriteColour(out, material.specular);
            out << ' ' << Number(material.power, "%.4f") << '\n';
            WriteColour(out, material.emissive);
            out << '\n';
        }
    }
    out << "TEXTURES 0\n";
}

bool ReadMesh(std::istream& in, Mesh& mesh, std::vector<std::string>& faults) {
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
        Group group;
        if (!ReadGroup(in, g, word, group, faults)) return false;
        mesh.groups.push_back(std::move(group));
    }
    if (in >> word && word == "MATERIALS") {
        if (!ReadMaterials(in, mesh, faults)) return false;
        in >> word;
    }
    if (in && word == "TEXTURES") {
        std::size_t textures = 0;
        if (!(in >> textures)) {
            faults.push_back("TEXTURES without a count");
            return false;
        }
        // Texture names: the ship's mesh has none, but the reader takes them.
        for (std::size_t t = 0; t <= textures; ++t) in >> word;
    }
    if (in) {
        faults.push_back("text after the last group: " + word);
        return false;
    }
    for (std::size_t g = 0; g < mesh.groups.size(); ++g) {
        if (static_cast<std::size_t>(mesh.groups[g].material) > mesh.materials.size()) {
            faults.push_back(Where(g) + ": material " + std::to_string(mesh.groups[g].material) +
                             " is not in the list");
            return false;
        }
    }
    return true;
}

}  // namespace ship_mesh
