// What a drawing shows, worked out from the simulator's state: the ports and the airlock box
// where the ship's tables put them, the active port, thrusters by kind and group, and the docked
// and crew vessels around the ship.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "sim/drawing/DrawingScene.h"
#include "sim/session/Simulator.h"
#include "sim/world/SimVessel.h"
#include "sim/world/World.h"
#include "testing/RootFiles.h"
#include "testing/ShipModule.h"
#include "tests/sim/DockedQuillmars.h"
#include "vessel/ShipTables.h"

namespace {

void ExpectVector(const VECTOR3& actual, const VECTOR3& expected, double tolerance = 1e-9) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

sim::DrawingScene SceneOf(const sim::Simulator& simulator, const std::string& name) {
    const sim::SimVessel* vessel = sim::World::LiveVessel(simulator.FindVessel(name));
    EXPECT_NE(vessel, nullptr) << name;
    EXPECT_NE(sim::World::Current(), nullptr);
    return sim::MakeDrawingScene(*sim::World::Current(), *vessel);
}

using QuillmarScene = DockedQuillmars;

TEST_F(QuillmarScene, PortsAreWhereTheShipsTableCreatesThem) {
    const sim::DrawingScene scene = SceneOf(sim, "Pioneer");
    ASSERT_EQ(scene.ports.size(), std::size(quillmar::kDockingPorts));
    for (std::size_t i = 0; i < scene.ports.size(); ++i) {
        SCOPED_TRACE("port " + std::to_string(i));
        const sim::ScenePort& port = scene.ports[i];
        EXPECT_EQ(port.index, i);
        ExpectVector(port.pos, quillmar::kDockingPorts[i].pos);
        ExpectVector(port.dir, quillmar::kDockingPorts[i].dir);
        EXPECT_EQ(port.docked, i == 0);
        EXPECT_EQ(port.mate, i == 0 ? "Meridian" : "");
    }
    // The docked ship is drawn at its origin, in Pioneer's frame, with the port it is docked at.
    ASSERT_EQ(scene.nearby.size(), 1u);
    const sim::NearbyVessel& meridian = scene.nearby[0];
    EXPECT_EQ(meridian.name, "Meridian");
    EXPECT_EQ(meridian.className, "Quillmar");
    EXPECT_TRUE(meridian.docked);
    EXPECT_EQ(meridian.port, 0u);
    ExpectVector(meridian.pos, {0, 0, 414.4}, 1e-3);
}

// The published box is the active port's row of the table, and the active port is found from it:
// ports 1 and 2 share one box, so either may be the active one.
TEST_F(QuillmarScene, TheAirlockBoxIsTheActivePortsRow) {
    struct Case {
        int port;
        std::vector<std::size_t> active;
        bool open;  // port 0 keeps the closed door of the start; the others open it
    };
    const Case kCases[] = {
        {0, {0}, false}, {1, {1, 2}, true}, {2, {1, 2}, true}, {3, {3}, true},
        {4, {4}, true},  {5, {5}, true},    {6, {6}, true},
    };
    int stepped = 0;
    for (const Case& c : kCases) {
        SCOPED_TRACE("active port " + std::to_string(c.port));
        for (; stepped < c.port; ++stepped) sim.PressKey("Pioneer", "Shift+KP+");
        sim.Run(0.1);
        const sim::DrawingScene scene = SceneOf(sim, "Pioneer");
        ASSERT_TRUE(scene.airlock.present);
        const quillmar::AirlockBox& box = quillmar::kDockingPorts[c.port].airlock;
        ExpectVector(scene.airlock.low, {box.xMin, box.yMin, box.zMin});
        ExpectVector(scene.airlock.high, {box.xMax, box.yMax, box.zMax});
        EXPECT_EQ(scene.airlock.open, c.open);
        EXPECT_EQ(scene.airlock.freeSeats, quillmar::kSeatCount - 1) << "Ada Kerr is aboard";
        EXPECT_EQ(scene.activePorts, c.active);
        for (const sim::ScenePort& port : scene.ports) {
            const bool listed =
                std::find(c.active.begin(), c.active.end(), port.index) != c.active.end();
            EXPECT_EQ(port.active, listed) << "port " << port.index;
        }
    }
}

// The main engines come first, then the attitude thrusters in the table's order; each attitude
// thruster belongs to the groups the table lists it in.
TEST_F(QuillmarScene, ThrustersByKindAndGroup) {
    const sim::DrawingScene scene = SceneOf(sim, "Pioneer");
    ASSERT_EQ(scene.thrusters.size(), static_cast<std::size_t>(quillmar::kMainEngineCount +
                                                               quillmar::kAttitudeThrusterCount));
    for (int i = 0; i < quillmar::kMainEngineCount; ++i) {
        SCOPED_TRACE("main engine " + std::to_string(i));
        const sim::SceneThruster& engine = scene.thrusters[static_cast<std::size_t>(i)];
        EXPECT_EQ(engine.kind, sim::ThrusterKind::Engine);
        EXPECT_EQ(engine.groups, std::vector<int>{THGROUP_MAIN});
        ExpectVector(engine.dir, quillmar::kMainEngineDir);
    }
    for (int k = 0; k < quillmar::kAttitudeThrusterCount; ++k) {
        SCOPED_TRACE("attitude thruster " + std::to_string(k));
        const sim::SceneThruster& thruster =
            scene.thrusters[static_cast<std::size_t>(quillmar::kMainEngineCount + k)];
        std::set<int> listedIn;
        for (const quillmar::AttitudeGroup& group : quillmar::kAttitudeGroups) {
            for (int m = 0; m < group.count; ++m) {
                if (group.members[m] == k) listedIn.insert(group.type);
            }
        }
        EXPECT_EQ(thruster.kind, sim::ThrusterKind::Attitude);
        EXPECT_EQ(std::set<int>(thruster.groups.begin(), thruster.groups.end()), listedIn);
        EXPECT_TRUE(std::is_sorted(thruster.groups.begin(), thruster.groups.end()));
        ExpectVector(thruster.pos, quillmar::kAttitudeThrusters[k].pos);
        ExpectVector(thruster.dir, quillmar::kAttitudeThrusters[k].dir);
    }
    ASSERT_EQ(scene.groups.size(), 1 + std::size(quillmar::kAttitudeGroups))
        << "no retro, no hover";
    EXPECT_EQ(scene.groups[0].type, THGROUP_MAIN);
    EXPECT_EQ(scene.groups[0].members.size(), static_cast<std::size_t>(quillmar::kMainEngineCount));
}

// An engine group wins over an attitude group; a thruster in no group is ungrouped; a thruster
// listed twice in a group names the group once.
TEST(DrawingScene, ThrusterKindsOfAnyVessel) {
    sim::Simulator simulator;
    const OBJHANDLE handle = simulator.CreateVessel("Rock", "Rock");
    ASSERT_NE(handle, nullptr);
    VESSEL* rock = simulator.Interface(handle);
    ASSERT_NE(rock, nullptr);
    THRUSTER_HANDLE t[3];
    for (int i = 0; i < 3; ++i)
        t[i] = rock->CreateThruster({0, 0, static_cast<double>(i)}, {0, 0, 1}, 1.0);
    THRUSTER_HANDLE pitch[] = {t[0], t[1], t[1]};
    rock->CreateThrusterGroup(pitch, 3, THGROUP_ATT_PITCHUP);
    rock->CreateThrusterGroup(&t[0], 1, THGROUP_RETRO);

    const sim::DrawingScene scene = SceneOf(simulator, "Rock");
    ASSERT_EQ(scene.thrusters.size(), 3u);
    EXPECT_EQ(scene.thrusters[0].kind, sim::ThrusterKind::Engine);
    EXPECT_EQ(scene.thrusters[0].groups, (std::vector<int>{THGROUP_RETRO, THGROUP_ATT_PITCHUP}));
    EXPECT_EQ(scene.thrusters[1].kind, sim::ThrusterKind::Attitude);
    EXPECT_EQ(scene.thrusters[1].groups, std::vector<int>{THGROUP_ATT_PITCHUP});
    EXPECT_EQ(scene.thrusters[2].kind, sim::ThrusterKind::Ungrouped);
    EXPECT_TRUE(scene.thrusters[2].groups.empty());
    EXPECT_FALSE(scene.airlock.present);
    EXPECT_TRUE(scene.activePorts.empty());
    // Three thrusters in a row enclose no area: no outline in either plane.
    EXPECT_TRUE(scene.hullOutlines[sim::kTopPlane].empty());
    EXPECT_TRUE(scene.hullOutlines[sim::kSidePlane].empty());
}

// Crew vessels are drawn within the ship's size of its origin; farther ones are not.
TEST_F(QuillmarScene, CrewVesselsNearTheShip) {
    ASSERT_NE(sim.CreateVessel("Walker", "UMmu"), nullptr);
    sim.Place("Walker", "Pioneer", {20, 0, 47});
    ASSERT_NE(sim.CreateVessel("Faraway", "UMmu"), nullptr);
    sim.Place("Faraway", "Pioneer", {0, 0, quillmar::kSize + 10});
    const sim::DrawingScene scene = SceneOf(sim, "Pioneer");
    std::set<std::string> names;
    for (const sim::NearbyVessel& n : scene.nearby) {
        names.insert(n.name);
        if (n.name != "Walker") continue;
        EXPECT_FALSE(n.docked);
        ExpectVector(n.pos, {20, 0, 47}, 1e-6);
    }
    EXPECT_EQ(names, (std::set<std::string>{"Meridian", "Walker"}));
}

}  // namespace
