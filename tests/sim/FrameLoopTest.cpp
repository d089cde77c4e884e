// The frame loop: callbacks in order, vessels created and deleted from inside callbacks, the HUD
// and debug-line transcript rules, and key presses.
#include <gtest/gtest.h>

#include "host/HostApi.h"
#include "tests/sim/SimulatorFixture.h"

namespace {

using FrameLoop = SimulatorTest;

std::string Steps(const sim::Simulator& simulator, const std::string& name) {
    return simulator.Describe(name)["state"].back().get<std::string>();
}

TEST_F(FrameLoop, EveryVesselStepsOncePerFrameInCreationOrder) {
    LoadShips("A:Probe\nEND\nB:Probe\nEND\nRock1:Rock\nEND\n");
    sim.Run(0.1);  // 5 frames
    EXPECT_EQ(Steps(sim, "A"), "STEPS 5 5");
    EXPECT_EQ(Steps(sim, "B"), "STEPS 5 5");
    EXPECT_NEAR(sim.SimTime(), 0.1, 1e-12);
}

TEST_F(FrameLoop, VesselsCreatedAndDeletedInsideCallbacks) {
    // A deletes B (later in order) and creates C; D deletes itself; E deletes A (earlier) and
    // later makes a vessel of A's name.
    WriteFile("config/Vessels/Rock.cfg", "ClassName = Rock\n");
    LoadShips(
        "A:Probe\n AT 0 delete B\n AT 0 create C Probe\nEND\n"
        "B:Probe\nEND\n"
        "D:Probe\n AT 0.01 delete D\nEND\n"
        "E:Probe\n AT 0.03 delete A\n AT 0.05 create A Rock\nEND\n");
    sim.Frame();
    // B had both callbacks of the frame in which it was deleted, and left after the post-step
    // (ovcExit then); C, made during the pre-step phase, joined in the post-step phase and took
    // B's slot in the list.
    EXPECT_EQ(sim.FindVessel("B"), nullptr);
    EXPECT_EQ(Count("deleted B"), 1);
    EXPECT_EQ(Count("created C Probe"), 1);
    EXPECT_EQ(Count("debug: exit B 1 1"), 1);
    EXPECT_EQ(Steps(sim, "C"), "STEPS 0 1");
    EXPECT_EQ(sim.VesselNames(), (std::vector<std::string>{"A", "C", "D", "E"}));
    sim.Frame();
    EXPECT_EQ(Count("debug: exit D 2 2"), 1);
    EXPECT_EQ(sim.VesselNames(), (std::vector<std::string>{"A", "C", "E"}));
    sim.Frame();
    EXPECT_EQ(Count("debug: exit A 3 3"), 1);
    EXPECT_EQ(sim.VesselNames(), (std::vector<std::string>{"E", "C"}));
    sim.Frame();
    ASSERT_NE(sim.FindVessel("A"), nullptr);
    EXPECT_EQ(sim.Describe("A")["class"], "Rock");
    EXPECT_EQ(sim.VesselNames(), (std::vector<std::string>{"E", "C", "A"}));
    EXPECT_EQ(Steps(sim, "C"), "STEPS 3 4");
}

TEST_F(FrameLoop, HudLinesWhenTheTextChangesOrStops) {
    LoadShips(
        "Ship:Probe\n"
        " HUD 0 0.11 Welcome aboard\n"
        " HUD 0.05 0.11 Second line\n"
        " HUD 0.21 0.31 Back again\n"
        "END\n");
    sim.Run(0.4);
    const std::vector<std::string> hud = [&] {
        std::vector<std::string> lines;
        for (const auto& line : sim.Transcript()) {
            if (line.rfind("hud ", 0) == 0) lines.push_back(line);
        }
        return lines;
    }();
    EXPECT_EQ(hud, (std::vector<std::string>{
                       "hud Ship: Welcome aboard",
                       "hud Ship: Welcome aboard | Second line",
                       "hud Ship: -",
                       "hud Ship: Back again",
                       "hud Ship: -",
                   }));
    EXPECT_TRUE(sim.Describe("Ship")["hud"].is_null());
    EXPECT_EQ(sim.HudText("Ship"), "");
}

TEST_F(FrameLoop, HudDrawCallsKeepTheirPositions) {
    LoadShips("Ship:Probe\n HUD 0 1 one\n HUD 0 1 two\nEND\n");
    sim.Frame();
    const auto calls = sim.HudDrawCalls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].x, 10);
    EXPECT_EQ(calls[0].y, 20);
    EXPECT_EQ(calls[0].text, "one");
    EXPECT_EQ(calls[1].y, 35);
    EXPECT_EQ(sim.Describe("Ship")["hud"], "one | two");
}

TEST_F(FrameLoop, OnlyTheFocusVesselDrawsItsHud) {
    LoadShips("A:Probe\n HUD 0 9 from A\nEND\nB:Probe\n HUD 0 9 from B\nEND\n");
    sim.Run(0.1);
    sim.SetFocus(sim.FindVessel("B"));
    sim.Run(0.1);
    EXPECT_EQ(Count("hud A: from A"), 1);
    EXPECT_EQ(Count("hud B: from B"), 1);
    EXPECT_EQ(sim.HudText("A"), "from A");  // its most recent HUD frame
}

TEST_F(FrameLoop, DebugLineChangesAreTranscribed) {
    LoadShips(
        "Ship:Probe\n AT 0.01 debug warning one\n AT 0.03 debug warning one\n"
        " AT 0.05 debug warning two\n AT 0.07 debug -\nEND\n");
    sim.Run(0.2);
    EXPECT_EQ(Count("debug: warning one"), 1);
    EXPECT_EQ(Count("debug: warning two"), 1);
    EXPECT_EQ(Count("debug: -"), 1);
    EXPECT_EQ(sim.DebugLine(), "");
}

TEST_F(FrameLoop, KeysArePressedAndReleasedWithTheirModifiers) {
    LoadShips("Ship:Probe\nEND\nRock1:Rock\nEND\n");
    EXPECT_EQ(sim.PressKey("Ship", "E"), 0x12);
    EXPECT_EQ(sim.PressKey("Ship", "Shift+KP+"), 0x4E + 1000);
    EXPECT_EQ(sim.PressKey("Ship", "Ctrl+Alt+1"), 0x02 + 6000);
    EXPECT_EQ(sim.PressKey("Rock1", "E"), 0);  // an inert vessel takes no keys
    EXPECT_EQ(Count("key Ship Shift+KP+ -> 1078"), 1);
    EXPECT_EQ(Count("key Rock1 E -> 0"), 1);
    EXPECT_THROW(sim.PressKey("Ship", "F1"), sim::InputError);
    EXPECT_THROW(sim.PressKey("Nobody", "E"), sim::InputError);
}

TEST_F(FrameLoop, FaultsCanBeSwitchedOn) {
    LoadShips("Ship:Probe\n AT 0 create Child Rock\nEND\n");
    sim.Faults().refuseCreateVessel = true;
    sim.Frame();
    EXPECT_EQ(sim.FindVessel("Child"), nullptr);
    sim.Faults().hideInterfaces = true;
    EXPECT_EQ(oapiGetVesselInterface(sim.FindVessel("Ship")), nullptr);
    sim.Faults().nullAttachments = true;
    EXPECT_EQ(Vessel("Ship")->CreateAttachment(false, {}, {}, {}, "UMmu"), nullptr);
}

}  // namespace
