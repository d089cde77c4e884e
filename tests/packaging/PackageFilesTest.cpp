// The package's files made from the ship's tables: the mesh carries a collar at every docking
// port and a nozzle at every exhaust point where the tables put them, and the checker refuses a
// mesh that the simulator's reader would not take or whose parts are elsewhere; every key of the
// key table has a name for the player's page.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <sstream>

#include "packaging/tool/KeyNames.h"
#include "packaging/tool/MeshCheck.h"
#include "packaging/tool/ShipMesh.h"
#include "vessel/ShipTables.h"

namespace {

std::string MeshText(const std::vector<ship_mesh::Group>& groups) {
    std::ostringstream text;
    ship_mesh::WriteMesh(text, groups);
    return text.str();
}

std::vector<std::string> Check(const std::string& text) {
    std::istringstream in(text);
    return ship_mesh::CheckShipMesh(in);
}

TEST(ShipMesh, TheShipsMeshPassesItsCheck) {
    const auto groups = ship_mesh::BuildShipMesh();
    const std::string text = MeshText(groups);
    EXPECT_EQ(text.rfind("MSHX1\nGROUPS 4\nGEOM ", 0), 0u);
    EXPECT_EQ(text.find('\r'), std::string::npos);
    EXPECT_EQ(Check(text), std::vector<std::string>{});

    double zMin = 0, zMax = 0;
    for (const auto& group : groups) {
        for (const auto& vertex : group.vertices) {
            zMin = std::min(zMin, vertex.position.z);
            zMax = std::max(zMax, vertex.position.z);
        }
    }
    EXPECT_NEAR(zMax - zMin, kSize, 0.5) << "the mesh is as long as the ship";
}

TEST(ShipMesh, TheCheckRefusesWhatIsWrong) {
    struct Case {
        const char* what;
        std::function<std::string()> mesh;
        const char* fault;
    };
    const auto collarsMoved = [] {
        auto groups = ship_mesh::BuildShipMesh();
        for (auto& vertex : groups[3].vertices) vertex.position.x += 5.0;
        return MeshText(groups);
    };
    const auto nozzlesTurned = [] {
        auto groups = ship_mesh::BuildShipMesh();
        for (auto& vertex : groups[2].vertices) vertex.normal.z = -vertex.normal.z;
        return MeshText(groups);
    };
    const auto indexOutside = [] {
        auto groups = ship_mesh::BuildShipMesh();
        groups[1].triangles.back()[2] = static_cast<int>(groups[1].vertices.size());
        return MeshText(groups);
    };
    const auto truncated = [] {
        const std::string text = MeshText(ship_mesh::BuildShipMesh());
        return text.substr(0, text.size() / 2);
    };
    const Case cases[] = {
        {"ports moved", collarsMoved, "no surface facing (0, 0, 1) at docking port 0"},
        {"nozzles turned", nozzlesTurned, "no nozzle facing (0, 0, -1) at exhaust point 0"},
        {"an index outside its group", indexOutside,
         "group 1: triangle 23 names no vertex of its group"},
        {"cut short", truncated, "is not"},
        {"another format", [] { return std::string("MSHX2\n"); }, "the first line is not MSHX1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto faults = Check(c.mesh());
        ASSERT_FALSE(faults.empty());
        EXPECT_NE(faults.front().find(c.fault), std::string::npos) << faults.front();
    }
    EXPECT_EQ(Check(collarsMoved()).size(), std::size(kDockingPorts)) << "every port found missing";
}

TEST(KeyNames, EveryBindingHasItsOwnName) {
    std::set<std::string> names;
    for (const KeyBinding& binding : kKeyBindings) {
        const auto name = key_names::BindingName(binding);
        ASSERT_TRUE(name.has_value()) << "key code " << binding.key;
        names.insert(*name);
    }
    EXPECT_EQ(names.size(), std::size(kKeyBindings));
    EXPECT_EQ(names, (std::set<std::string>{"Ctrl+1", "E", "1", "2", "A", "S", "C",
                                            "Shift+Numpad -", "Shift+Numpad +"}));
    EXPECT_FALSE(key_names::BindingName(
        {0x3B, Modifier::NotHeld, Modifier::NotHeld, KeyCommand::CrewInfo, kKeyConsumed}));
}

}  // namespace
