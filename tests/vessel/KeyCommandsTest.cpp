// Keyboard commands as the pilot gives them: which keys act with which modifiers, and what each
// command shows and changes.
#include <cstring>
#include <filesystem>
#include <functional>

#include "ShipHarness.h"
#include "host/Keyboard.h"
#include "testing/HandOverFiles.h"

namespace quillmar_test {
namespace {

constexpr char kHeld = static_cast<char>(0x80);  // the bit KEYDOWN tests

class KeyCommandsTest : public ShipTest {
  protected:
    KeyCommandsTest() { CreateShip("Q1"); }

    VESSEL2* Ship(const std::string& name) {
        return static_cast<VESSEL2*>(sim.Interface(sim.FindVessel(name)));
    }

    // Loads Q1 with three members: Jane Roe (slot 0), Max Poe (1), Ann Lee (2).
    void LoadThreeMembers() {
        sim.DeleteVessel(sim.FindVessel("Q1"));
        LoadShips({{"Q1",
                    {"STATUS Orbiting Earth", "UMMUCREW Capt-Jane_Roe-41-65-74",
                     "UMMUCREW Tech-Max_Poe-30-70-80", "UMMUCREW Sci-Ann_Lee-25-60-55"}}});
    }
};

std::string NextSlotText(int slot, const std::string& member) {
    return "Slot " + std::to_string(slot) + "  " + member +
           " Selected for EVA or Transfer, please press \"E\" to EVA";
}
std::string PreviousSlotText(int slot, const std::string& member) {
    return "Slot " + std::to_string(slot) + " " + member +
           " Selected for EVA or Transfer, please press \"E\" to EVA";
}

// Keys and combinations that are not commands are left to the host and change nothing.
TEST_F(KeyCommandsTest, KeysThatAreNotCommands) {
    const char* keys[] = {"Shift+E",  "Ctrl+E",         "Shift+1", "Shift+Ctrl+1", "Shift+2",
                          "Ctrl+2",   "Shift+A",        "Ctrl+A",  "KP+",          "KP-",
                          "Ctrl+KP+", "Shift+Ctrl+KP-", "X",       "0x3B"};
    for (const char* key : keys) {
        SCOPED_TRACE(key);
        EXPECT_EQ(Key("Q1", key), 0);
        EXPECT_EQ(Hud("Q1"), kWelcome) << "no command ran";
    }
    EXPECT_EQ(Airlock("Q1").value().doorState, 0.0);
    EXPECT_EQ(AttitudeThrust("Q1"), std::vector<double>(20, kRcsMaximum));
}

// The key handler also sees releases and the right-hand modifier keys.
TEST_F(KeyCommandsTest, ReleasesAndRightHandModifiers) {
    VESSEL2* ship = Ship("Q1");
    char kstate[256] = {};
    EXPECT_EQ(ship->clbkConsumeBufferedKey(OAPI_KEY_S, false, kstate), 0) << "release of S";
    EXPECT_EQ(Hud("Q1"), kWelcome);

    kstate[OAPI_KEY_RCONTROL] = kHeld;
    EXPECT_EQ(ship->clbkConsumeBufferedKey(OAPI_KEY_1, true, kstate), 0);
    EXPECT_EQ(Hud("Q1"), "RCS changed to minimum level");
    EXPECT_EQ(ship->clbkConsumeBufferedKey(OAPI_KEY_1, true, kstate), 0);
    EXPECT_EQ(Hud("Q1"), "RCS changed to maximum level");

    std::memset(kstate, 0, sizeof kstate);
    kstate[OAPI_KEY_RSHIFT] = kHeld;
    EXPECT_EQ(ship->clbkConsumeBufferedKey(OAPI_KEY_ADD, true, kstate), 1);
    EXPECT_EQ(Hud("Q1"), "Active dock number changed to: 1 None");
    EXPECT_EQ(ship->clbkConsumeBufferedKey(OAPI_KEY_E, true, kstate), 0) << "Shift+E";
}

TEST_F(KeyCommandsTest, CtrlOneTogglesTheAttitudeLevelAndIsNotConsumed) {
    EXPECT_EQ(Key("Q1", "Ctrl+1"), 0);
    EXPECT_EQ(Hud("Q1"), "RCS changed to minimum level");
    EXPECT_EQ(AttitudeThrust("Q1"), std::vector<double>(20, kRcsMinimum));
    EXPECT_EQ(Key("Q1", "Alt+Ctrl+1"), 0);
    EXPECT_EQ(Hud("Q1"), "RCS changed to maximum level");
    EXPECT_EQ(AttitudeThrust("Q1"), std::vector<double>(20, kRcsMaximum));
}

// The host works out a rotation group's turning strength only when the group is created: after
// Ctrl+1 the ship hands its rotation groups over again, so their strength follows the new thrust;
// a group the rotation-rate rules withdrew stays withdrawn and comes back with the thrust then in
// force.
TEST_F(KeyCommandsTest, RotationGroupsTurnWithTheThrustInForce) {
    const auto moments = [&] { return Describe("Q1")["group_moments"]; };
    sim.Frame();
    const nlohmann::json before = moments();
    ASSERT_EQ(before.size(), 6u) << before.dump();
    const double thrustBefore = AttitudeThrust("Q1")[0];
    const auto expectScaled = [&](const nlohmann::json& now, const std::string& type) {
        const double scale = AttitudeThrust("Q1")[0] / thrustBefore;
        EXPECT_GT(before[type].get<double>(), 0.0) << type;
        EXPECT_NEAR(now[type].get<double>(), before[type].get<double>() * scale,
                    1e-9 * before[type].get<double>())
            << type;
    };

    EXPECT_EQ(Key("Q1", "Ctrl+1"), 0);
    ASSERT_NE(AttitudeThrust("Q1")[0], thrustBefore);
    const nlohmann::json toggled = moments();
    for (const auto& [type, value] : before.items()) expectScaled(toggled, type);

    sim.Execute("angvel Q1 0.06 0 0");  // pitching up beyond the limit: group 3 withdrawn
    sim.Frame();
    EXPECT_EQ(Key("Q1", "Ctrl+1"), 0);
    EXPECT_FALSE(moments().contains("3")) << "a withdrawn group stays withdrawn";
    sim.Execute("angvel Q1 0 0 0");
    sim.Frame();
    const nlohmann::json restored = moments();
    for (const auto& [type, value] : before.items()) expectScaled(restored, type);
}

// S and C do not look at the modifiers.
TEST_F(KeyCommandsTest, CrewInfoAndMeshKeysActWithAnyModifiers) {
    const char* infoKeys[] = {"S", "Shift+S", "Ctrl+S", "Alt+S", "Shift+Ctrl+Alt+S"};
    for (const char* key : infoKeys) {
        SCOPED_TRACE(key);
        Key("Q1", "Shift+KP+");  // any other message in between
        EXPECT_EQ(Key("Q1", key), 1);
        EXPECT_EQ(Hud("Q1"), "1 souls aboard ship Q1, 49 seats available");
    }
    const char* meshKeys[] = {"C", "Shift+C", "Ctrl+Alt+C"};
    for (const char* key : meshKeys) {
        SCOPED_TRACE(key);
        Key("Q1", "S");
        EXPECT_EQ(Key("Q1", key), 1);
        EXPECT_EQ(Hud("Q1"), "Mesh changed");
    }
}

// After the mesh key, a member leaving on foot is handed over with the mesh "mmu".
TEST_F(KeyCommandsTest, MeshKeySwitchesTheCrewVesselMesh) {
    Key("Q1", "C");
    Key("Q1", "A");
    Key("Q1", "E");
    ASSERT_EQ(Hud("Q1"), "EVA OK - Corwin Haddel left the ship");
    const auto record = test_support::ReadRecord(test_support::SpawnFile(sim));
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(test_support::FieldText(record->meshName), "mmu");
}

TEST_F(KeyCommandsTest, SelectionWithOneMemberStaysAtSlotZero) {
    EXPECT_EQ(Key("Q1", "1"), 1);
    EXPECT_EQ(Hud("Q1"), NextSlotText(0, "Pass \"Corwin Haddel\" aged 54"));
    EXPECT_EQ(Key("Q1", "2"), 1);
    EXPECT_EQ(Hud("Q1"), PreviousSlotText(0, "Pass \"Corwin Haddel\" aged 54"));
}

TEST_F(KeyCommandsTest, SelectionStopsAtBothEndsOfTheRoster) {
    LoadThreeMembers();
    const std::string members[] = {"Capt \"Jane Roe\" aged 41", "Tech \"Max Poe\" aged 30",
                                   "Sci \"Ann Lee\" aged 25"};
    struct Step {
        const char* key;
        int slot;
    };
    const Step steps[] = {{"1", 1}, {"1", 2}, {"1", 2}, {"2", 1}, {"2", 0}, {"2", 0}};
    for (const Step& step : steps) {
        EXPECT_EQ(Key("Q1", step.key), 1);
        const std::string expected = step.key[0] == '1'
                                         ? NextSlotText(step.slot, members[step.slot])
                                         : PreviousSlotText(step.slot, members[step.slot]);
        EXPECT_EQ(Hud("Q1"), expected);
    }
}

// A successful EVA takes the selected member and puts the selection back on slot 0.
TEST_F(KeyCommandsTest, EvaTakesTheSelectedMemberAndResetsTheSelection) {
    LoadThreeMembers();
    Key("Q1", "1");
    Key("Q1", "1");
    Key("Q1", "A");
    EXPECT_EQ(Key("Q1", "E"), 1);
    EXPECT_EQ(Hud("Q1"), "EVA OK - Ann Lee left the ship");
    EXPECT_NE(sim.FindVessel("UMmu_Sci-Ann_Lee"), nullptr);
    Key("Q1", "1");
    EXPECT_EQ(Hud("Q1"), NextSlotText(1, "Tech \"Max Poe\" aged 30"));
}

TEST_F(KeyCommandsTest, AirlockKeyTogglesTheDoor) {
    EXPECT_EQ(Key("Q1", "A"), 1);
    EXPECT_EQ(Hud("Q1"), "Airlock is now open");
    EXPECT_EQ(Airlock("Q1").value().doorState, 1.0);
    EXPECT_EQ(Key("Q1", "Alt+A"), 1);
    EXPECT_EQ(Hud("Q1"), "Airlock is now closed");
    EXPECT_EQ(Airlock("Q1").value().doorState, 0.0);
}

// Each refusal of the EVA command shows its own message, and nobody leaves. Every case starts a
// simulation of its own with Q1 (crew: the set-up member) and what the case adds.
TEST(EvaRefusals, EachShowsItsMessage) {
    const Block withCrew{"STATUS Orbiting Earth", "UMMUCREW Pass-Corwin_Haddel-54-65-82"};
    Block fullShip{"STATUS Orbiting Earth"};
    for (int i = 0; i < 50; ++i) {
        fullShip.push_back("UMMUCREW Ast-Crew" + std::to_string(i) + "-30-70-80");
    }
    struct Case {
        const char* what;
        std::function<void(sim::Simulator&)> setUp;
        const char* message;
    };
    const Case cases[] = {
        {"airlock closed",
         [&](sim::Simulator& sim) {
             LoadShips(sim, {{"Q1", withCrew}});
         },
         "Error, airlock is closed, unable to EVA"},
        {"nobody aboard",
         [&](sim::Simulator& sim) {
             LoadShips(sim, {{"Q1", {"STATUS Orbiting Earth"}}});
         },
         "Error, no one on board, unable to EVA"},
        {"docked ship's airlock closed",
         [&](sim::Simulator& sim) {
             LoadShips(sim, {{"Q1", withCrew}, {"Q2", withCrew}});
             sim.Execute("dock Q1 0 Q2 0");
             sim.PressKey("Q1", "A");
         },
         "Error, docked ship's airlock is closed, unable to transfer"},
        {"docked ship full",
         [&](sim::Simulator& sim) {
             LoadShips(sim, {{"Q1", withCrew}, {"Q2", fullShip}});
             sim.Execute("dock Q1 0 Q2 0");
             sim.PressKey("Q2", "A");
             sim.PressKey("Q1", "A");
         },
         "Error, docked ship is already full transfer failed"},
        {"docked ship without crew",
         [&](sim::Simulator& sim) {
             sim.CreateVessel("Q1", "Quillmar");
             std::filesystem::remove(sim.Root() / "modules" / "UMmu.dll");
             sim.CreateVessel("Q2", "Quillmar");  // its crew cannot start
             sim.Execute("dock Q1 0 Q2 0");
             sim.PressKey("Q1", "A");
         },
         "Error, docked ship do not use UMmu 2.0, ask author to add it"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        sim::Simulator sim;
        sim.RegisterModule("Quillmar", QM_MODULE_PATH);
        c.setUp(sim);
        EXPECT_EQ(sim.PressKey("Q1", "E"), 1);
        EXPECT_EQ(Hud(sim, "Q1"), c.message);
        EXPECT_EQ(sim.FindVessel("UMmu_Pass-Corwin_Haddel"), nullptr);
        EXPECT_EQ(sim.FindVessel("UMmuTQ2"), nullptr);
    }
}

}  // namespace
}  // namespace quillmar_test
