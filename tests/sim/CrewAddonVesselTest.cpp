// The built-in crew add-on class "UMmu": its own attachment, the hand-over record read at
// creation, and walking into a ship's published airlock.
#include <gtest/gtest.h>

#include <cstdio>

#include "host/CrewAddon.h"
#include "host/HostApi.h"
#include "sim/host-side/CrewAddonVessel.h"
#include "testing/HandOverFiles.h"
#include "testing/RootFiles.h"
#include "tests/sim/SimulatorFixture.h"

namespace {

class CrewAddon : public SimulatorTest {
  protected:
    void WriteRecord(int age, int pulse, int weight, const char* mesh) {
        crew_addon::HandOverRecord record =
            test_support::MakeRecord("UMmu_Capt-Corwin Haddel", age, pulse, weight);
        std::snprintf(record.meshName, sizeof record.meshName, "%s", mesh);
        test_support::WriteRecord(test_support::SpawnFile(sim), record);
    }

    // A ship at an angle with the published airlock box x -3..3, y -4..4, z 194..224.
    void MakeShip() {
        sim.CreateVessel("Ship", "Rock");
        VESSEL* ship = Vessel("Ship");
        ship->SetRotationMatrix({0, 1, 0, -1, 0, 0, 0, 0, 1});
        sim.Execute("angvel Ship 0 0 0");
        ship->CreateAttachment(false, {0, 0, 0}, {0, 0, 1}, {0, 1, 0}, "UMmuX");
        ship->CreateAttachment(false, {-3, 3, -4}, {4, 194, 224}, {1, 0, 50},
                               crew_addon::kAirlockAttachmentId);
    }

    nlohmann::json Parents(const std::string& name) const {
        return sim.Describe(name)["attachments"]["parent"];
    }
};

TEST_F(CrewAddon, ACrewVesselReadsTheRecordAndWalksIntoTheAirlockOnce) {
    WriteRecord(54, 65, 82, "ummu/ummuSCI");
    MakeShip();
    sim.CreateVessel("UMmu_Capt-Corwin_Haddel", "UMmu");
    auto parents = Parents("UMmu_Capt-Corwin_Haddel");
    ASSERT_EQ(parents.size(), 1u);
    EXPECT_NE(parents[0]["id"], "U-Mm");
    EXPECT_EQ(sim.Describe("UMmu_Capt-Corwin_Haddel")["meshes"][0]["name"], "ummu/ummuSCI");

    sim.Execute("walk UMmu_Capt-Corwin_Haddel Ship");
    parents = Parents("UMmu_Capt-Corwin_Haddel");
    ASSERT_EQ(parents.size(), 2u);
    EXPECT_EQ(parents[1]["id"], "U-Mm");
    EXPECT_EQ(parents[1]["pos"], nlohmann::json::array({54.0, 65.0, 82.0}));
    // At the box centre (0, 0, 209) in the ship's frame, turned and moving with the ship.
    VECTOR3 crewPos{};
    VECTOR3 inShip{};
    oapiGetGlobalPos(sim.FindVessel("UMmu_Capt-Corwin_Haddel"), &crewPos);
    Vessel("Ship")->Global2Local(crewPos, inShip);
    EXPECT_NEAR(inShip.x, 0.0, 1e-12);
    EXPECT_NEAR(inShip.y, 0.0, 1e-12);
    EXPECT_NEAR(inShip.z, 209.0, 1e-12);
    MATRIX3 crewRotation{};
    Vessel("UMmu_Capt-Corwin_Haddel")->GetRotationMatrix(crewRotation);
    EXPECT_EQ(crewRotation.m12, 1.0);

    sim.Execute("walk UMmu_Capt-Corwin_Haddel Ship");
    EXPECT_EQ(Parents("UMmu_Capt-Corwin_Haddel").size(), 2u);
}

TEST_F(CrewAddon, OtherNamesReadNoRecord) {
    WriteRecord(54, 65, 82, "");
    MakeShip();
    sim.CreateVessel("UMmuTShip", "UMmu");
    sim.CreateVessel("Bob", "UMmu");
    EXPECT_EQ(Parents("UMmuTShip").size(), 1u);  // the sending ship adds "U-Mm"
    sim.Execute("walk Bob Ship");
    EXPECT_EQ(Parents("Bob")[1]["pos"], nlohmann::json::array({0.0, 0.0, 0.0}));
}

TEST_F(CrewAddon, MissingOrShortRecordGivesZeros) {
    test_support::WriteRootFile(sim, crew_addon::kSpawnFile, "short");
    MakeShip();
    sim.CreateVessel("UMmu_Short", "UMmu");
    sim.Execute("walk UMmu_Short Ship");
    EXPECT_EQ(Parents("UMmu_Short")[1]["pos"], nlohmann::json::array({0.0, 0.0, 0.0}));
}

TEST_F(CrewAddon, WalkingNeedsAPublishedAirlock) {
    sim.CreateVessel("Bare", "Rock");
    sim.CreateVessel("Bob", "UMmu");
    EXPECT_THROW(sim.Execute("walk Bob Bare"), sim::InputError);
    EXPECT_EQ(Parents("Bob").size(), 1u);
}

TEST_F(CrewAddon, MemberDataSurvivesSaving) {
    WriteRecord(30, 70, 60, "");
    MakeShip();
    sim.CreateVessel("UMmu_Ann", "UMmu");
    sim.Execute("walk UMmu_Ann Ship");
    const auto state = sim.Describe("UMmu_Ann")["state"];
    EXPECT_EQ(state[state.size() - 2], "MEMBER 30 70 60");
    EXPECT_EQ(state.back(), "WALKED");
    sim.Execute("save crew.scn");
    sim.Execute("delete UMmu_Ann");
    WriteRecord(1, 2, 3, "");
    std::string text = ReadFile(sim.Root() / "crew.scn");
    text = text.substr(text.find("UMmu_Ann:UMmu"));
    text = "BEGIN_SHIPS\n" + text.substr(0, text.find("END\n") + 4) + "END_SHIPS\n";
    sim.LoadScenario(WriteFile("again.scn", text));
    EXPECT_EQ(Parents("UMmu_Ann")[1]["pos"], nlohmann::json::array({30.0, 70.0, 60.0}));
}

// A transfer vessel as a sending ship leaves it comes back from a scenario as the simulator
// brings a vessel back: with what its own class saved, without the "U-Mm" attachment the sending
// ship added. A block saved by an earlier version, which still lists that attachment, loads the
// same way.
TEST_F(CrewAddon, AnAttachmentAnotherModuleAddedIsNeitherSavedNorLoaded) {
    MakeShip();
    const OBJHANDLE transfer = sim.CreateVessel("UMmuTShip", "UMmu");
    sim.Interface(transfer)->CreateAttachment(true, {41, 66, 72}, {1, 2, 3}, {4, 5, 6},
                                              crew_addon::kMemberAttachmentId);
    ASSERT_EQ(Parents("UMmuTShip").size(), 2u);

    sim.Execute("save crew.scn");
    sim.Execute("delete UMmuTShip");
    std::string text = ReadFile(sim.Root() / "crew.scn");
    text = text.substr(text.find("UMmuTShip:UMmu"));
    text = text.substr(0, text.find("END\n") + 4);
    EXPECT_EQ(text.find("ADDED_ATTACHMENT"), std::string::npos) << text;
    sim.LoadScenario(WriteFile("again.scn", "BEGIN_SHIPS\n" + text + "END_SHIPS\n"));
    EXPECT_EQ(Parents("UMmuTShip").size(), 1u);
    sim.Execute("delete UMmuTShip");

    const std::string earlier =
        text.substr(0, text.find("END\n")) + "ADDED_ATTACHMENT U-Mm 41 66 72 1 2 3 4 5 6\nEND\n";
    sim.LoadScenario(WriteFile("earlier.scn", "BEGIN_SHIPS\n" + earlier + "END_SHIPS\n"));
    const nlohmann::json parents = Parents("UMmuTShip");
    ASSERT_EQ(parents.size(), 1u);
    EXPECT_EQ(parents[0]["id"], sim::kCrewSuitAttachmentId);
    const nlohmann::json description = sim.Describe("UMmuTShip");
    for (const auto& line : description["state"]) {
        EXPECT_EQ(line.get<std::string>().find("ADDED_ATTACHMENT"), std::string::npos) << line;
    }
}

}  // namespace
