// Per-step behaviour: the rotation-rate limits on the attitude rotation groups, arrivals
// announced on the HUD, and the crew manager's warning line.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <set>

#include "ShipHarness.h"

namespace quillmar_test {
namespace {

// Rotation groups: pitch up 3, pitch down 4, yaw left 5, yaw right 6, bank left 7, bank right 8.
std::set<int> RotationGroups(const nlohmann::json& ship) {
    std::set<int> present;
    for (int type = 3; type <= 8; ++type) {
        if (ship["groups"].contains(std::to_string(type))) present.insert(type);
    }
    return present;
}

class StepBehaviourTest : public ShipTest {
  protected:
    StepBehaviourTest() { CreateShip("Q1"); }

    // Sets the rate, runs one frame, and gives the rotation groups present after it.
    std::set<int> GroupsAfterFrameAt(double x, double y, double z) {
        char command[160];
        std::snprintf(command, sizeof command, "angvel Q1 %.17g %.17g %.17g", x, y, z);
        sim.Execute(command);
        sim.Frame();
        return RotationGroups(Describe("Q1"));
    }
};

TEST_F(StepBehaviourTest, RotationRateLimits) {
    struct Case {
        double x, y, z;
        std::set<int> groups;
    };
    const Case cases[] = {
        {0, 0, 0, {3, 4, 5, 6, 7, 8}},
        {0.05, 0.05, 0.15, {3, 4, 5, 6, 7, 8}},  // at the limits: kept
        {-0.05, -0.05, -0.15, {3, 4, 5, 6, 7, 8}},
        {0.06, 0, 0, {4, 5, 6, 7, 8}},
        {-0.06, 0, 0, {3, 5, 6, 7, 8}},
        {0, 0.06, 0, {3, 4, 6, 7, 8}},
        {0, -0.06, 0, {3, 4, 5, 7, 8}},
        {0, 0, 0.14, {3, 4, 5, 6, 7, 8}},
        {0, 0, 0.16, {3, 4, 5, 6, 7}},
        {0, 0, -0.16, {3, 4, 5, 6, 8}},
        {0.2, -0.2, 0.2, {4, 5, 7}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << " " << c.y << " " << c.z);
        EXPECT_EQ(GroupsAfterFrameAt(c.x, c.y, c.z), c.groups);
    }
}

// A rate that is not a number withdraws nothing. (The script's `angvel` takes finite numbers
// only, so the rate is set through the host's state callback.)
TEST_F(StepBehaviourTest, RateThatIsNotANumberRestoresEveryGroup) {
    EXPECT_EQ(GroupsAfterFrameAt(0.2, -0.2, 0.2), (std::set<int>{4, 5, 7}));
    VESSEL* ship = sim.Interface(sim.FindVessel("Q1"));
    VESSELSTATUS status{};
    ship->GetStatus(status);
    status.vrot = {std::nan(""), std::nan(""), std::nan("")};
    static_cast<VESSEL2*>(ship)->clbkSetStateEx(&status);
    sim.Frame();
    EXPECT_EQ(RotationGroups(Describe("Q1")), (std::set<int>{3, 4, 5, 6, 7, 8}));
}

// A withdrawn group comes back with its own thrusters once the rate is within the limit; the
// translation groups are never touched.
TEST_F(StepBehaviourTest, WithdrawnGroupIsRestoredWithItsThrusters) {
    const auto before = Describe("Q1")["groups"];
    EXPECT_EQ(GroupsAfterFrameAt(0.06, 0, 0), (std::set<int>{4, 5, 6, 7, 8}));
    EXPECT_EQ(GroupsAfterFrameAt(0.04, 0, 0), (std::set<int>{3, 4, 5, 6, 7, 8}));
    const auto after = Describe("Q1")["groups"];
    EXPECT_EQ(after["3"], nlohmann::json({kMainEngines + 1, kMainEngines + 6, kMainEngines + 10,
                                          kMainEngines + 15}));
    EXPECT_EQ(after, before);
}

// A withdrawn group no longer fires, even when it was firing when withdrawn.
TEST_F(StepBehaviourTest, WithdrawnGroupStopsFiring) {
    auto pitchRate = [&] { return Describe("Q1")["angvel"][0].get<double>(); };
    sim.Execute("thrust Q1 3 1");
    sim.Frame();
    EXPECT_GT(pitchRate(), 0.0) << "pitch up spins the ship about +x";
    sim.Execute("angvel Q1 0.06 0 0");
    sim.Frame();  // still fires in this step; withdrawn after it
    const double rate = pitchRate();
    EXPECT_GT(rate, 0.06);
    sim.Run(1.0);
    EXPECT_EQ(pitchRate(), rate);
}

// The host is handed a group only when its rule's decision changes: a withdrawn group is deleted
// once, a restored one created once. A ship at rest, with its airlock closed and without the
// focus (whose HUD the host draws through it), asks the host for its rotation rate only.
TEST_F(StepBehaviourTest, GroupsChangeOnlyWithTheirDecisionAndARestingShipAsksOnlyItsRate) {
    if (Key("Q1", "A") == 1 && Hud("Q1") != "Airlock is now closed") Key("Q1", "A");
    ASSERT_EQ(Hud("Q1"), "Airlock is now closed");
    sim.CreateVessel("Other", "Hull");
    sim.SetFocus(sim.FindVessel("Other"));
    sim.Frame();  // the first step hands every group over
    struct Case {
        double x;
        std::uint64_t created, deleted, levelled;
    };
    const Case cases[] = {
        {0.0, 0, 0, 0},    // at rest
        {0.06, 0, 1, 1},   // pitch up withdrawn
        {0.07, 0, 0, 0},   // still withdrawn
        {-0.06, 1, 1, 1},  // pitch up back, pitch down withdrawn
        {0.0, 1, 0, 0},    // pitch down back
    };
    constexpr std::uint64_t kFrames = 50;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        sim.ResetHostCalls();
        for (std::uint64_t i = 0; i < kFrames; ++i) {
            sim.SetAngularVelocity("Q1", {c.x, 0, 0});  // no drift away from the case
            sim.Frame();
        }
        const sim::HostCallCounts calls = sim.HostCalls();
        EXPECT_EQ(calls.Of("VESSEL::CreateThrusterGroup"), c.created);
        EXPECT_EQ(calls.Of("VESSEL::DelThrusterGroup"), c.deleted);
        EXPECT_EQ(calls.Of("VESSEL::SetThrusterGroupLevel"), c.levelled);
        EXPECT_EQ(calls.Of("VESSEL::GetAngularVel"), kFrames);
        EXPECT_EQ(calls.total, kFrames + c.created + c.deleted + c.levelled);
    }
    EXPECT_EQ(RotationGroups(Describe("Q1")), (std::set<int>{3, 4, 5, 6, 7, 8}));
}

TEST_F(StepBehaviourTest, CrewWalkingInIsAnnounced) {
    Key("Q1", "A");
    Key("Q1", "E");
    EXPECT_EQ(Hud("Q1"), "EVA OK - Corwin Haddel left the ship");
    sim.Execute("walk UMmu_Pass-Corwin_Haddel Q1");
    sim.Run(1.0);
    EXPECT_EQ(Hud("Q1"), "Pass \"Corwin Haddel\" aged 54 entered into our ship");
    EXPECT_EQ(sim.FindVessel("UMmu_Pass-Corwin_Haddel"), nullptr);
}

TEST_F(StepBehaviourTest, TransferIsAnnouncedByTheReceivingShip) {
    CreateShip("Q2");
    sim.Execute("dock Q1 0 Q2 0");
    Key("Q2", "A");
    Key("Q1", "A");
    EXPECT_EQ(Key("Q1", "E"), 1);
    EXPECT_EQ(Hud("Q1"), "Transfer to docked ship Ok - Corwin Haddel transfered");
    sim.SetFocus(sim.FindVessel("Q2"));
    sim.Run(1.0);
    EXPECT_EQ(Hud("Q2"), "Pass \"Corwin Haddel\" aged 54 was transfered to our ship");
    Key("Q2", "S");
    EXPECT_EQ(Hud("Q2"), "2 souls aboard ship Q2, 48 seats available");
}

// Without the crew add-on the crew manager never gets ready: its error line shows in every step,
// and the commands show the refusals as they come.
TEST(StepBehaviourWithoutAddon, CrewManagerErrorLineAndRefusals) {
    sim::Simulator sim;
    std::filesystem::remove(sim.Root() / "modules" / "UMmu.dll");
    sim.RegisterModule("Quillmar", QM_MODULE_PATH);
    sim.CreateVessel("Q1", "Quillmar");
    sim.SetFocus(sim.FindVessel("Q1"));
    sim.Frame();
    EXPECT_EQ(sim.DebugLine(), "Quillmar ERROR UMMU 2.0 not properly initialised in your code.");

    struct Case {
        const char* key;
        const char* message;
    };
    const Case cases[] = {
        {"1", "Sorry no one aboard unable to select"},
        {"2", "Sorry no one aboard unable to select"},
        {"E", "Misc error with UMMU install it again"},
        {"A", "Airlock is now closed"},
        {"S", "0 souls aboard ship Q1, 50 seats available"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(sim.PressKey("Q1", c.key), 1);
        sim.Frame();
        EXPECT_EQ(sim.HudText("Q1"), c.message);
    }
    EXPECT_EQ(sim.DebugLine(), "Quillmar ERROR UMMU 2.0 not properly initialised in your code.");
}

}  // namespace
}  // namespace quillmar_test
