// Crew moving between ships through the real module, in the timings that once lost, duplicated
// or stranded a member: two transfers under way at once between different pairs, a transfer
// under way across a save and a load, two ships taking the same crew vessel in one frame, and a
// crew vessel whose name holds punctuation walking in.
#include <filesystem>
#include <string>
#include <vector>

#include "tests/robustness/RobustnessFixture.h"

namespace robustness {
namespace {

using Names = std::vector<std::string>;

class CrewTransferTest : public RobustnessTest {
  protected:
    // Deletes every vessel and loads the scenario again, as a player reloads a saved session.
    void SaveAndReload() {
        const std::filesystem::path saved = sim.Root() / "reloaded.scn";
        sim.SaveScenario(saved);
        for (const std::string& name : sim.VesselNames()) sim.DeleteVessel(sim.FindVessel(name));
        sim.LoadScenario(saved);
    }
};

// A sends Alice to B, and one frame later C sends Carol to D: each arrives where she was sent.
TEST_F(CrewTransferTest, TwoPairsTransferingAtOnceEachGetTheirMember) {
    LoadShips({{"A", {"DOCKINFO 0:0,B", "UMMUCREW Capt-Alice_Ames-41-66-72"}},
               {"B", {"UMMUCREW Tech-Bob_Birch-30-70-80"}},
               {"C", {"DOCKINFO 0:0,D", "UMMUCREW Sci-Carol_Cole-35-68-61"}},
               {"D", {"UMMUCREW Doc-Dan_Dove-52-71-90"}}});
    for (const char* ship : {"A", "B", "C", "D"}) Key(ship, "A");
    CountCrew();

    Key("A", "E");
    sim.Frame();
    Key("C", "E");
    ExpectCrewConserved();
    sim.Run(1.0);

    EXPECT_EQ(RosterNames("B"), (Names{"Bob Birch", "Alice Ames"}));
    EXPECT_EQ(RosterNames("D"), (Names{"Dan Dove", "Carol Cole"}));
    EXPECT_TRUE(TransferVessels(sim).empty());
    ExpectCrewConserved();
}

// A transfer waits for a receiver whose airlock is closed while the session is saved and loaded:
// the member arrives once the airlock opens, and the next transfer to that ship goes through.
TEST_F(CrewTransferTest, ATransferUnderWaySurvivesSavingAndLoading) {
    LoadDockedPair();
    Key("Alpha", "E");
    Key("Beta", "A");  // closed before its first scan
    SaveAndReload();
    EXPECT_EQ(TransferVessels(sim), (Names{"UMmuTBeta"}));
    ExpectCrewConserved();

    sim.Run(1.0);
    EXPECT_EQ(RosterNames("Beta"), (Names{"Ivo Brandt"})) << "the airlock is still closed";
    Key("Beta", "A");
    sim.Run(1.0);
    EXPECT_EQ(RosterNames("Beta"), (Names{"Ivo Brandt", "Ada Kerr"}));
    ExpectCrewConserved();

    Key("Alpha", "A");  // the load closed it
    Key("Alpha", "E");
    EXPECT_EQ(Hud("Alpha"), "Transfer to docked ship Ok - Max Poe transfered");
    sim.Run(1.0);
    EXPECT_EQ(RosterNames("Beta"), (Names{"Ivo Brandt", "Ada Kerr", "Max Poe"}));
    ExpectCrewConserved();
}

// Two ships docked nose to nose with both airlocks open share part of their airlock boxes. Under
// time acceleration every frame's step exceeds the scan interval, so both scan in the same frame,
// and the crew vessel the first takes stays in the simulation until the frame ends: the second
// passes over it.
TEST_F(CrewTransferTest, TwoShipsScanningInTheSameFrameTakeAWalkerOnce) {
    LoadDockedPair();
    ASSERT_NE(test_support::CreateCrewVessel(sim, "UMmu_Sci-Eve_Ng", 33, 70, 58), nullptr);
    sim.Walk("UMmu_Sci-Eve_Ng", "Alpha");
    sim.SetStep(0.3);
    CountCrew();

    sim.Frame();
    const std::size_t aboard = RosterNames("Alpha").size() + RosterNames("Beta").size();
    EXPECT_EQ(aboard, 4U) << "Alpha had two members, Beta one, and Eve Ng came aboard once";
    EXPECT_EQ(sim.FindVessel("UMmu_Sci-Eve_Ng"), nullptr);
    ExpectCrewConserved();
}

// A crew vessel named with characters a roster does not keep is announced by the name the roster
// holds, with the member's code and age.
TEST_F(CrewTransferTest, AnArrivalWithPunctuationInItsNameIsAnnouncedByTheRostersName) {
    CreateShip("Alpha");
    Key("Alpha", "A");
    ASSERT_NE(test_support::CreateCrewVessel(sim, "UMmu_Capt-Ann.Lee", 41, 65, 74), nullptr);
    sim.Walk("UMmu_Capt-Ann.Lee", "Alpha");
    sim.Run(1.0);
    EXPECT_EQ(RosterNames("Alpha").back(), "Ann Lee");
    EXPECT_EQ(Hud("Alpha"), "Capt \"Ann Lee\" aged 41 entered into our ship");
}

}  // namespace
}  // namespace robustness
