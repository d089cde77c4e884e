// The package's files made from the ship's tables: the mesh carries a collar at every docking
// port and a nozzle at every exhaust point where the tables put them, its faces turned the way
// their normals say, and a part added to a table appears in it; the checker refuses a mesh that
// the simulator's reader would not take or whose parts are elsewhere; the picture drawn from a
// mesh file shows the mesh where it is and the background elsewhere, nearer faces over farther
// ones; every key of the key table has a name for the player's page, whose key table is made
// from it.
#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/VectorMath.h"
#include "packaging/tool/MeshCheck.h"
#include "packaging/tool/MeshRender.h"
#include "packaging/tool/MeshShapes.h"
#include "packaging/tool/PlayerPage.h"
#include "packaging/tool/PngFile.h"
#include "packaging/tool/ShipMesh.h"
#include "vessel/ShipTables.h"

namespace {

using ship_mesh::Group;
using ship_mesh::Mesh;

std::string MeshText(const Mesh& mesh) {
    std::ostringstream text;
    ship_mesh::WriteMesh(text, mesh);
    return text.str();
}

std::vector<std::string> Check(const std::string& text, const ship_mesh::ShipParts& parts = {}) {
    std::istringstream in(text);
    return ship_mesh::CheckShipMesh(in, parts);
}

Group& Named(Mesh& mesh, const char* label) {
    for (Group& group : mesh.groups) {
        if (group.label == label) return group;
    }
    throw std::runtime_error(std::string("no group ") + label);
}

TEST(ShipMesh, TheShipsMeshPassesItsCheckAndReadsBackAsWritten) {
    const Mesh mesh = ship_mesh::BuildShipMesh();
    const std::string text = MeshText(mesh);
    EXPECT_EQ(text.rfind("MSHX1\nGROUPS 8\nLABEL hull\nMATERIAL 1\nGEOM ", 0), 0u);
    EXPECT_EQ(text.find('\r'), std::string::npos);
    EXPECT_EQ(Check(text), std::vector<std::string>{});

    // Read back: the same groups, materials and counts.
    std::istringstream in(text);
    Mesh read;
    std::vector<std::string> faults;
    ASSERT_TRUE(ship_mesh::ReadMesh(in, read, faults)) << faults.front();
    ASSERT_EQ(read.groups.size(), mesh.groups.size());
    ASSERT_EQ(read.materials.size(), mesh.materials.size());
    for (std::size_t g = 0; g < mesh.groups.size(); ++g) {
        SCOPED_TRACE(mesh.groups[g].label);
        EXPECT_EQ(read.groups[g].label, mesh.groups[g].label);
        EXPECT_EQ(read.groups[g].material, static_cast<int>(g) + 1);
        EXPECT_EQ(read.materials[g].name, mesh.groups[g].label);
        EXPECT_EQ(read.groups[g].vertices.size(), mesh.groups[g].vertices.size());
        EXPECT_EQ(read.groups[g].triangles, mesh.groups[g].triangles);
        EXPECT_FALSE(mesh.groups[g].triangles.empty());
    }
    EXPECT_NEAR(read.materials[5].emissive.r, 1.0, 1e-4) << "the windows are lit";

    double zMin = 0, zMax = 0, across = 0;
    for (const auto& group : mesh.groups) {
        for (const auto& vertex : group.vertices) {
            zMin = std::min(zMin, vertex.position.z);
            zMax = std::max(zMax, vertex.position.z);
            across = std::max(across, std::fabs(vertex.position.x));
        }
    }
    EXPECT_NEAR(zMax - zMin, quillmar::kSize, 0.5) << "the mesh is as long as the ship";
    EXPECT_GT(across, 20.0) << "arms reach the ports and thrusters off the hull";
}

// Every face is wound clockwise seen from the side its vertex normals face, and every normal is a
// unit vector: the simulator culls faces by their winding and lights them by their normals.
TEST(ShipMesh, FacesTurnTheWayTheirNormalsSay) {
    for (const Group& group : ship_mesh::BuildShipMesh().groups) {
        SCOPED_TRACE(group.label);
        int wrong = 0, degenerate = 0;
        for (const auto& triangle : group.triangles) {
            const VECTOR3& a = group.vertices[triangle[0]].position;
            const VECTOR3& b = group.vertices[triangle[1]].position;
            const VECTOR3& c = group.vertices[triangle[2]].position;
            const VECTOR3 face = vector_math::Cross(vector_math::Sub(b, a), vector_math::Sub(c, a));
            if (vector_math::Length(face) < 1e-9) {
                ++degenerate;
                continue;
            }
            VECTOR3 normals{0, 0, 0};
            for (int index : triangle)
                normals = vector_math::Add(normals, group.vertices[index].normal);
            if (vector_math::Dot(face, normals) <= 0) ++wrong;
        }
        EXPECT_EQ(wrong, 0);
        EXPECT_EQ(degenerate, 0);
        for (const auto& vertex : group.vertices) {
            ASSERT_NEAR(vector_math::Length(vertex.normal), 1.0, 1e-9);
        }
    }
}

// The hull is smooth round its sections (the normals at a vertex of a ring lie between those of
// the faces on either side) and sharp at the edges between sections.
TEST(ShipMesh, TheHullIsSmoothRoundAndSharpAtItsEdges) {
    Mesh mesh = ship_mesh::BuildShipMesh();
    const Group& hull = Named(mesh, ship_mesh::kHullGroup);
    // Round a section: a vertex's normal points out from the axis, not along a face's.
    std::size_t radial = 0, sharpEdges = 0;
    std::map<std::pair<long, long>, std::set<long>> normalsAt;  // (z, angle) -> normal's z
    for (const auto& vertex : hull.vertices) {
        const VECTOR3& p = vertex.position;
        const double r = std::hypot(p.x, p.y);
        if (r < 1e-6) continue;
        const double outward = (vertex.normal.x * p.x + vertex.normal.y * p.y) / r;
        const double sideways = (vertex.normal.y * p.x - vertex.normal.x * p.y) / r;
        EXPECT_NEAR(sideways, 0.0, 1e-9);
        if (outward > 0.5) ++radial;
        normalsAt[{std::lround(p.z * 1000), std::lround(std::atan2(p.y, p.x) * 1000)}].insert(
            std::lround(vertex.normal.z * 1000));
    }
    EXPECT_GT(radial, hull.vertices.size() / 2);
    for (const auto& [where, normals] : normalsAt) sharpEdges += normals.size() > 1;
    EXPECT_GT(sharpEdges, 0u) << "no edge between the hull's sections";
}

// A port, an engine or a thruster added to a table is in the mesh; the check of the larger
// tables refuses the mesh made without it.
TEST(ShipMesh, APartAddedToATableAppearsInTheMesh) {
    std::vector<quillmar::DockingPort> ports(std::begin(quillmar::kDockingPorts),
                                             std::end(quillmar::kDockingPorts));
    ports.push_back({{0, -20, -60},
                     {0, 0, -1},
                     {0, -1, 0},
                     quillmar::DoorOnPlacement::Open,
                     {-15, 15, -35, -5, -77, -47},
                     {0, -20, -62},
                     {0, 0, 0}});
    std::vector<VECTOR3> exhausts(std::begin(quillmar::kMainExhaustPoints),
                                  std::end(quillmar::kMainExhaustPoints));
    exhausts.push_back({0, 0, -338});
    std::vector<quillmar::AttitudeThruster> thrusters(std::begin(quillmar::kAttitudeThrusters),
                                                      std::end(quillmar::kAttitudeThrusters));
    thrusters.push_back({{0, 20, 0}, {0, -1, 0}, {0, 5, 0}, {0, 1, 0}});
    const ship_mesh::ShipParts more{ports, exhausts, thrusters};

    const Mesh larger = ship_mesh::BuildShipMesh(more);
    EXPECT_EQ(Check(MeshText(larger), more), std::vector<std::string>{});
    const auto faults = Check(MeshText(ship_mesh::BuildShipMesh()), more);
    EXPECT_EQ(faults, (std::vector<std::string>{
                          "no surface facing (0, 0, -1) at docking port 7 (0, -20, -60)",
                          "no nozzle facing (0, 0, -1) at exhaust point 8 (0, 0, -338)"}));
    // The new thruster's block sits at its position, on an arm from the hull.
    const Mesh base = ship_mesh::BuildShipMesh();
    Mesh copy = larger;
    bool blockAt = false;
    for (const auto& vertex : Named(copy, ship_mesh::kThrusterGroup).vertices) {
        blockAt =
            blockAt || (std::fabs(vertex.position.y - 20) <= 1.5 &&
                        std::fabs(vertex.position.x) <= 1.5 && std::fabs(vertex.position.z) <= 1.5);
    }
    EXPECT_TRUE(blockAt);
    Mesh baseCopy = base;
    EXPECT_GT(Named(copy, ship_mesh::kModuleGroup).vertices.size(),
              Named(baseCopy, ship_mesh::kModuleGroup).vertices.size());
}

// The ship stands on what the mesh shows: a pad under each landing pad's touchdown point, its
// underside there, and nothing of the ship lower than the pads.
TEST(ShipMesh, ALandingPadStandsAtEachOfTheShipsPadPoints) {
    Mesh mesh = ship_mesh::BuildShipMesh();
    const double lowest = quillmar::kPadHeight;
    for (int i = 0; i < quillmar::kLandingPadCount; ++i) {
        const VECTOR3& pad = quillmar::kTouchdownPoints[i].pos;
        int under = 0;
        for (const auto& vertex : Named(mesh, ship_mesh::kModuleGroup).vertices) {
            const VECTOR3& v = vertex.position;
            if (std::fabs(v.y - pad.y) < 1e-9 &&
                std::hypot(v.x - pad.x, v.z - pad.z) <= 3.0 + 1e-9) {
                ++under;
            }
        }
        EXPECT_GT(under, 8) << "pad " << i;
    }
    for (const Group& group : mesh.groups) {
        for (const auto& vertex : group.vertices) {
            EXPECT_GE(vertex.position.y, lowest - 1e-9) << group.label;
        }
    }
    // Pads of a different table move with it.
    const TOUCHDOWNVTX moved[] = {{{0, -30, 0}, 1, 1, 1, 1}};
    ship_mesh::ShipParts parts;
    parts.pads = moved;
    Mesh other = ship_mesh::BuildShipMesh(parts);
    bool at = false;
    for (const auto& vertex : Named(other, ship_mesh::kModuleGroup).vertices) {
        at = at || (std::fabs(vertex.position.y + 30) < 1e-9 && std::fabs(vertex.position.x) < 3.1);
    }
    EXPECT_TRUE(at);
}

TEST(ShipMesh, TheCheckRefusesWhatIsWrong) {
    struct Case {
        const char* what;
        std::function<std::string()> mesh;
        const char* fault;
    };
    const auto collarsMoved = [] {
        auto mesh = ship_mesh::BuildShipMesh();
        for (auto& vertex : Named(mesh, ship_mesh::kCollarGroup).vertices) vertex.position.x += 5.0;
        return MeshText(mesh);
    };
    const auto nozzlesTurned = [] {
        auto mesh = ship_mesh::BuildShipMesh();
        for (auto& vertex : Named(mesh, ship_mesh::kExitGroup).vertices) {
            vertex.normal.z = -vertex.normal.z;
        }
        return MeshText(mesh);
    };
    const auto indexOutside = [] {
        auto mesh = ship_mesh::BuildShipMesh();
        mesh.groups[1].triangles.back()[2] = static_cast<int>(mesh.groups[1].vertices.size());
        return MeshText(mesh);
    };
    const auto noSuchMaterial = [] {
        auto mesh = ship_mesh::BuildShipMesh();
        mesh.groups[2].material = 9;
        return MeshText(mesh);
    };
    const auto truncated = [] {
        const std::string text = MeshText(ship_mesh::BuildShipMesh());
        return text.substr(0, text.size() / 2);
    };
    const auto materialCut = [] {
        const std::string text = MeshText(ship_mesh::BuildShipMesh());
        return text.substr(0, text.rfind("MATERIAL ")) + "MATERIAL windows\n1 1 1\n";
    };
    const Case cases[] = {
        {"ports moved", collarsMoved, "no surface facing (0, 0, 1) at docking port 0"},
        {"nozzles turned", nozzlesTurned, "no nozzle facing (0, 0, -1) at exhaust point 0"},
        {"an index outside its group", indexOutside, "group 1: triangle "},
        {"a material the list lacks", noSuchMaterial, "group 2: material 9 is not in the list"},
        {"cut short", truncated, "is not"},
        {"a material cut short", materialCut, "is not its name and four colours"},
        {"another format", [] { return std::string("MSHX2\n"); }, "the first line is not MSHX1"},
        {"text after the end", [] { return MeshText(ship_mesh::BuildShipMesh()) + "GEOM\n"; },
         "text after the last group: GEOM"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto faults = Check(c.mesh());
        ASSERT_FALSE(faults.empty());
        EXPECT_NE(faults.front().find(c.fault), std::string::npos) << faults.front();
    }
    EXPECT_EQ(Check(collarsMoved()).size(), std::size(quillmar::kDockingPorts))
        << "every port found missing";
}

// A small mesh: a unit cube of a red material centred on the origin, and a green square plate
// behind it (farther from the eye), larger than the cube.
Mesh CubeBeforePlate(bool plateFirst) {
    Mesh mesh;
    const ship_mesh::Colour red{0.8, 0.1, 0.1, 1}, green{0.1, 0.8, 0.1, 1}, none{0, 0, 0, 1};
    mesh.materials = {{"red", red, red, none, none, 1}, {"green", green, green, none, none, 1}};
    Group cube;
    cube.material = 1;
    ship_mesh::AddBox(cube, {-1, -1, -1}, {1, 1, 1});
    // A disc across the line of sight, 3 units beyond the cube's centre, facing the eye.
    Group plate;
    plate.material = 2;
    const ship_mesh::Viewpoint view;
    const VECTOR3 towards =
        vector_math::Scale(view.towardsEye, 1.0 / vector_math::Length(view.towardsEye));
    ship_mesh::AddLathe(plate, vector_math::Scale(towards, -3.0), towards,
                        {{0, 4, false}, {0, 0, false}}, 24);
    mesh.groups = plateFirst ? std::vector<Group>{plate, cube} : std::vector<Group>{cube, plate};
    return mesh;
}

// From the default direction, far enough for the cube to show its three faces turned that way.
const ship_mesh::Viewpoint kFar{ship_mesh::Viewpoint{}.towardsEye, 8.0};

bool IsBackground(const std::uint8_t* pixel) {
    return pixel[0] == ship_mesh::kBackground[0] && pixel[1] == ship_mesh::kBackground[1] &&
           pixel[2] == ship_mesh::kBackground[2];
}

TEST(MeshPicture, ShowsTheMeshWhereItIsAndTheNearerFaceOverTheFarther) {
    for (const bool plateFirst : {false, true}) {
        SCOPED_TRACE(plateFirst ? "plate drawn first" : "cube drawn first");
        const ship_mesh::Image image =
            ship_mesh::RenderMesh(CubeBeforePlate(plateFirst), 120, 80, kFar);
        ASSERT_EQ(image.width, 120);
        ASSERT_EQ(image.height, 80);
        ASSERT_EQ(image.rgb.size(), 120u * 80u * 3u);
        // The middle: the cube, red, in front of the plate whichever group comes first.
        const std::uint8_t* middle = image.Pixel(60, 40);
        EXPECT_GT(middle[0], 2 * middle[1]) << int(middle[0]) << "," << int(middle[1]);
        // Beside the cube, within the plate (the plate fills the height): green.
        const std::uint8_t* beside = image.Pixel(60, 3);
        EXPECT_GT(beside[1], 2 * beside[0]) << int(beside[0]) << "," << int(beside[1]);
        // The corners are outside the round plate: background.
        for (const auto& [x, y] : {std::pair{0, 0}, {119, 0}, {0, 79}, {119, 79}}) {
            EXPECT_TRUE(IsBackground(image.Pixel(x, y))) << x << "," << y;
        }
    }
}

// The cube's three faces turned to the eye are lit differently: the normals are used.
TEST(MeshPicture, FacesTurnedDifferentlyAreShadedDifferently) {
    Mesh mesh = CubeBeforePlate(false);
    mesh.groups.pop_back();
    const ship_mesh::Image image = ship_mesh::RenderMesh(mesh, 200, 200, kFar);
    // Seen from above, the right and behind: the top face at the top of the picture, the two side
    // faces below it, left and right.
    std::set<int> reds;
    for (const auto& [x, y] : {std::pair{100, 35}, {60, 120}, {140, 120}}) {
        const std::uint8_t* p = image.Pixel(x, y);
        EXPECT_FALSE(IsBackground(p)) << x << "," << y;
        reds.insert(p[0]);
    }
    EXPECT_EQ(reds.size(), 3u);
}

TEST(MeshPicture, WritesAPngThatReadsBack) {
    const ship_mesh::Image image = ship_mesh::RenderMesh(CubeBeforePlate(false), 64, 48);
    const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                       ("mesh-picture-" + std::to_string(::getpid()) + ".png");
    std::string error;
    ASSERT_TRUE(ship_mesh::WritePng(file.string(), image, error)) << error;
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    ASSERT_NE(png_image_begin_read_from_file(&png, file.string().c_str()), 0) << png.message;
    png.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(png));
    ASSERT_NE(png_image_finish_read(&png, nullptr, pixels.data(), 0, nullptr), 0) << png.message;
    EXPECT_EQ(png.width, 64u);
    EXPECT_EQ(png.height, 48u);
    EXPECT_EQ(pixels, image.rgb);
    std::filesystem::remove(file);

    EXPECT_FALSE(ship_mesh::WritePng("/no-such-folder/x.png", image, error));
    EXPECT_FALSE(error.empty());
}

// Each key named as a player reads it, and no two alike.
TEST(PlayerPage, EveryBindingHasItsOwnName) {
    std::set<std::string> names;
    for (const quillmar::KeyBinding& binding : quillmar::kKeyBindings) {
        const auto name = player_page::BindingName(binding);
        ASSERT_TRUE(name.has_value()) << "key code " << binding.key;
        names.insert(*name);
    }
    EXPECT_EQ(names.size(), std::size(quillmar::kKeyBindings));
    using quillmar::Modifier;
    struct Case {
        DWORD key;
        Modifier shift;
        Modifier ctrl;
        std::optional<std::string> name;
    };
    const Case cases[] = {
        {OAPI_KEY_1, Modifier::NotHeld, Modifier::Held, "Ctrl+1"},
        {OAPI_KEY_ADD, Modifier::Held, Modifier::NotHeld, "Shift+Numpad +"},
        {OAPI_KEY_S, Modifier::Ignored, Modifier::Ignored, "S"},
        {0x3B, Modifier::NotHeld, Modifier::NotHeld, std::nullopt},  // F1: no name
    };
    for (const Case& c : cases) {
        const quillmar::KeyBinding binding{
            c.key, c.shift, c.ctrl, quillmar::KeyCommand::CrewInfo, quillmar::kKeyConsumed, ""};
        EXPECT_EQ(player_page::BindingName(binding), c.name);
    }
}

// The page's key table is made from the key table: a row for each binding in its order, with its
// text, and the keys that take any modifier named; the marker line must be there once.
TEST(PlayerPage, TheKeyTableTakesTheMarkersPlace) {
    const std::string marker = std::string(player_page::kKeyTableMarker) + "\n";
    std::string error;
    const auto page = player_page::MakePage("<h2>Keys</h2>\n" + marker + "<p>After</p>\n", error);
    ASSERT_TRUE(page.has_value()) << error;
    EXPECT_EQ(page->find(player_page::kKeyTableMarker), std::string::npos);
    EXPECT_TRUE(page->starts_with("<h2>Keys</h2>\n<table>\n"));
    EXPECT_TRUE(
        page->ends_with("</table>\n<p>Keys S and C work with any of Shift, Ctrl and Alt "
                        "held; the others only as shown.</p>\n<p>After</p>\n"));
    std::size_t from = 0;
    for (const quillmar::KeyBinding& binding : quillmar::kKeyBindings) {
        const std::string row = "<tr><td><kbd>" + *player_page::BindingName(binding) +
                                "</kbd></td><td>" + binding.whatItDoes + "</td></tr>\n";
        const std::size_t at = page->find(row, from);
        ASSERT_NE(at, std::string::npos) << row;
        from = at + row.size();
    }
    for (const std::string& text :
         {std::string("<p>no marker</p>\n"), marker + marker, "x" + marker}) {
        SCOPED_TRACE(text);
        error.clear();
        EXPECT_FALSE(player_page::MakePage(text, error).has_value());
        EXPECT_NE(error.find("marker"), std::string::npos);
    }
}

}  // namespace
