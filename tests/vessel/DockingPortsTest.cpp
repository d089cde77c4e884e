// Stepping the active docking port: its message, and the crew airlock that follows it.
#include "ShipHarness.h"

namespace quillmar_test {
namespace {

std::string PortMessage(int port, const std::string& docked) {
    return "Active dock number changed to: " + std::to_string(port) + " " + docked;
}

class DockingPortsTest : public ShipTest {
  protected:
    DockingPortsTest() { CreateShip("Q1"); }

    void StepTo(int port) {
        for (int i = 0; i < 6; ++i) Key("Q1", "Shift+KP-");
        for (int i = 0; i < port; ++i) Key("Q1", "Shift+KP+");
    }
    double DoorState() { return Airlock("Q1").value().doorState; }
};

// Each port's row: the published box (x, y and z ranges), and whether selecting it opens the
// door. Going up from port 0 with the door closed, every port opens it; back at port 0 it stays
// as it was.
TEST_F(DockingPortsTest, AirlockFollowsTheActivePort) {
    struct Row {
        Vec xRange, yRange, zRange;
    };
    const Row rows[7] = {
        {{-15, 15}, {-15, 15}, {194, 224}}, {{-15, 15}, {-15, 15}, {-15, 15}},
        {{-15, 15}, {-15, 15}, {-15, 15}},  {{5, 35}, {-15, 15}, {32, 62}},
        {{-35, -5}, {-15, 15}, {32, 62}},   {{-15, 15}, {-35, -5}, {32, 62}},
        {{-15, 15}, {5, 35}, {32, 62}},
    };
    auto expectBox = [&](int port) {
        SCOPED_TRACE(port);
        const auto airlock = Airlock("Q1").value().Pack();
        const Row& row = rows[port];
        EXPECT_EQ(AsVec(airlock.position), (Vec{row.xRange[0], row.xRange[1], row.yRange[0]}));
        EXPECT_EQ(AsVec(airlock.direction), (Vec{row.yRange[1], row.zRange[0], row.zRange[1]}));
    };

    expectBox(0);
    EXPECT_EQ(DoorState(), 0.0);
    for (int port = 1; port <= 6; ++port) {
        EXPECT_EQ(Key("Q1", "Shift+KP+"), 1);
        EXPECT_EQ(Hud("Q1"), PortMessage(port, "None"));
        expectBox(port);
        EXPECT_EQ(DoorState(), 1.0) << "port " << port << " opens the door";
        Key("Q1", "A");  // close it again
    }
    StepTo(0);
    expectBox(0);
    EXPECT_EQ(DoorState(), 1.0) << "port 0 keeps the state port 1 left";
    Key("Q1", "A");
    EXPECT_EQ(DoorState(), 0.0);
    EXPECT_EQ(Key("Q1", "Shift+KP-"), 1);
    EXPECT_EQ(DoorState(), 0.0) << "port 0 keeps a closed door closed";
    EXPECT_EQ(Describe("Q1")["attachments"]["child"].size(), 1u) << "one published airlock";
}

TEST_F(DockingPortsTest, PortStaysAtTheEndsAndIsAnnouncedAllTheSame) {
    EXPECT_EQ(Key("Q1", "Shift+KP-"), 1);
    EXPECT_EQ(Hud("Q1"), PortMessage(0, "None"));
    StepTo(6);
    EXPECT_EQ(Key("Q1", "Shift+KP+"), 1);
    EXPECT_EQ(Hud("Q1"), PortMessage(6, "None"));
    EXPECT_EQ(AsVec(Airlock("Q1").value().Pack().direction), (Vec{35, 32, 62}))
        << "still port 6's box";
}

// The docked vessel's name is cut to nine characters.
TEST_F(DockingPortsTest, NamesTheVesselDockedAtTheNewPort) {
    CreateShip("Q2");
    CreateShip("Neighbourhood");
    sim.Execute("dock Q1 1 Neighbourhood 0");
    sim.Execute("dock Q1 2 Q2 0");
    StepTo(1);
    EXPECT_EQ(Hud("Q1"), PortMessage(1, "Neighbour"));
    Key("Q1", "Shift+KP+");
    EXPECT_EQ(Hud("Q1"), PortMessage(2, "Q2"));
    Key("Q1", "Shift+KP+");
    EXPECT_EQ(Hud("Q1"), PortMessage(3, "None"));
}

// A member leaving on foot is placed at the active port's EVA position.
TEST_F(DockingPortsTest, EvaLeavesFromTheActivePort) {
    StepTo(3);
    EXPECT_EQ(Key("Q1", "E"), 1);
    EXPECT_EQ(Hud("Q1"), "EVA OK - Corwin Haddel left the ship");
    const Vec pos = AsVec(Describe("UMmu_Pass-Corwin_Haddel")["pos"]);
    const Vec shipPos = AsVec(Describe("Q1")["pos"]);
    const Vec expected{20, 0, 47};
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(pos[i] - shipPos[i], expected[i], 1e-6);
}

}  // namespace
}  // namespace quillmar_test
