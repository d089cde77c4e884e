// Stepping the active docking port: its message, and the crew airlock that follows it.
#include "ExpectedPorts.h"
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
        for (int i = 0; i < kLastPort; ++i) Key("Q1", "Shift+KP-");
        for (int i = 0; i < port; ++i) Key("Q1", "Shift+KP+");
    }
    double DoorState() { return Airlock("Q1").value().doorState; }
    // The published box of the port's row: x, y and z ranges packed into two vectors.
    void ExpectBoxOf(int port) {
        SCOPED_TRACE(port);
        const auto airlock = Airlock("Q1").value().Pack();
        const ExpectedPort& row = kExpectedPorts[port];
        EXPECT_EQ(AsVec(airlock.position), (Vec{row.xRange[0], row.xRange[1], row.yRange[0]}));
        EXPECT_EQ(AsVec(airlock.direction), (Vec{row.yRange[1], row.zRange[0], row.zRange[1]}));
    }
};

// Going up from port 0 with the door closed before every step, each port shows its box and
// opens the door or leaves it closed as its row says; back at port 0 the door stays as it was.
TEST_F(DockingPortsTest, AirlockFollowsTheActivePort) {
    ASSERT_TRUE(Describe("Q1")["docks"].size() == std::size(kExpectedPorts));
    ExpectBoxOf(0);
    EXPECT_EQ(DoorState(), 0.0);
    for (int port = 1; port <= kLastPort; ++port) {
        EXPECT_EQ(Key("Q1", "Shift+KP+"), 1);
        EXPECT_EQ(Hud("Q1"), PortMessage(port, "None"));
        ExpectBoxOf(port);
        EXPECT_EQ(DoorState(), kExpectedPorts[port].opensDoor ? 1.0 : 0.0) << "port " << port;
        if (DoorState() == 1.0) Key("Q1", "A");  // close it again
    }
    ASSERT_FALSE(kExpectedPorts[0].opensDoor);
    ASSERT_TRUE(kExpectedPorts[1].opensDoor);
    StepTo(1);
    StepTo(0);
    ExpectBoxOf(0);
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
    ExpectBoxOf(0);
    StepTo(kLastPort);
    EXPECT_EQ(Key("Q1", "Shift+KP+"), 1);
    EXPECT_EQ(Hud("Q1"), PortMessage(kLastPort, "None"));
    ExpectBoxOf(kLastPort);
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

// A member leaving on foot is placed at the active port's EVA position, at every port. The roster
// is ordered so that slot 0 holds the member for the next port after each EVA (the last member
// moves into the slot of the one who left).
TEST_F(DockingPortsTest, EvaLeavesFromTheActivePort) {
    auto line = [](int port) { return "UMMUCREW Crew-Port" + std::to_string(port) + "-30-70-80"; };
    Block block{line(0)};
    for (int port = kLastPort; port >= 1; --port) block.push_back(line(port));
    LoadShips({{"Q9", block}});
    for (int port = 0; port <= kLastPort; ++port) {
        SCOPED_TRACE(port);
        if (port > 0) Key("Q9", "Shift+KP+");
        if (!Airlock("Q9").value().IsOpen()) Key("Q9", "A");  // nobody leaves a closed one
        EXPECT_EQ(Key("Q9", "E"), 1);
        const Vec pos = AsVec(Describe("UMmu_Crew-Port" + std::to_string(port))["pos"]);
        const Vec shipPos = AsVec(Describe("Q9")["pos"]);
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR(pos[i] - shipPos[i], kExpectedPorts[port].evaPosition[i], 1e-6);
        }
    }
}

}  // namespace
}  // namespace quillmar_test
