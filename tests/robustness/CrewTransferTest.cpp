// Crew moving between ships through the real module, in the timings that once lost, duplicated
// or stranded a member: two transfers under way at once between different pairs, a transfer
// under way across a save and a load (with the crew add-on's vessels saved as the simulator saves
// them), a transfer from a sender that follows the crew add-on's published hand-over, two ships
// taking the same crew vessel in one frame, and a crew vessel whose name holds punctuation
// walking in.
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "tests/robustness/RobustnessFixture.h"

namespace robustness {
namespace {

using Names = std::vector<std::string>;

using CrewTransferTest = RobustnessTest;

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

// In a root laid out with an installation's capitals (Modules, Config, Meshes), the hand-over
// file is written where the crew add-on reads it and the member arrives by name, as on Windows.
TEST_F(CrewTransferTest, AnInstallationsCapitalsCarryAMemberAcross) {
    for (const auto& [from, to] : {std::pair{"config", "Config"}, std::pair{"modules", "Modules"},
                                   std::pair{"meshes", "Meshes"}}) {
        std::filesystem::rename(sim.Root() / from, sim.Root() / to);
    }
    LoadDockedPair();
    Key("Alpha", "E");
    sim.Run(1.0);
    EXPECT_EQ(RosterNames("Beta"), (Names{"Ivo Brandt", "Ada Kerr"}));
    EXPECT_TRUE(TransferVessels(sim).empty());
    EXPECT_EQ(sim.FindVessel("UMmu_Unknown"), nullptr);
    EXPECT_FALSE(std::filesystem::exists(sim.Root() / "config")) << "no second folder made";
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

// The simulator trims the blanks at the end of every scenario line: a member whose name ends in
// one ("Ann_Lee_" in a crew line) crosses a save in flight with every character of the name.
TEST_F(CrewTransferTest, AMembersNameCrossesASaveInFlightExactly) {
    test_support::ScenarioBuilder scenario;
    scenario.Environment(quillmar_test::kScenarioMjd).Focus("Alpha");
    test_support::AddDockedPair(scenario, "Alpha", {"UMMUCREW Capt-Ann_Lee_-41-65-74"}, "Beta",
                                {"UMMUCREW Doc-Ivo_Brandt-52-71-90"});
    scenario.Load(sim);
    Key("Alpha", "A");
    Key("Beta", "A");
    Key("Alpha", "E");
    Key("Beta", "A");  // closed before its first scan
    SaveAndReload();
    ASSERT_EQ(TransferVessels(sim), (Names{"UMmuTBeta"}));
    Key("Beta", "A");
    sim.Run(1.0);
    EXPECT_TRUE(TransferVessels(sim).empty());
    EXPECT_EQ(sim.StateLines("Beta").back(), "UMMUCREW Capt-Ann_Lee_-41-65-74");
}

// A transfer saved in flight by a simulator that keeps of the transfer vessel only what its own
// class saves, without the "U-Mm" attachment the sender gave it: the member still arrives, once,
// by the record the ships saved, whatever became of the hand-over file meanwhile (another ship's
// transfer overwrote it, or it was deleted). A receiver deleted before the save leaves its member
// to go back into free space under the member's own name.
TEST_F(CrewTransferTest, ATransferSavedInFlightArrivesWhateverBecameOfTheFile) {
    enum class File { Overwritten, Deleted, ReceiverDeletedToo };
    for (const File file : {File::Overwritten, File::Deleted, File::ReceiverDeletedToo}) {
        SCOPED_TRACE(static_cast<int>(file));
        DeleteEveryVessel();
        LoadDockedPair();
        Key("Alpha", "E");
        Key("Beta", "A");  // closed before its first scan
        const std::filesystem::path saved = sim.Root() / "in-flight.scn";
        if (file == File::ReceiverDeletedToo) {
            sim.DeleteVessel(sim.FindVessel("Beta"));
            everyone.erase("Ivo Brandt");
        }
        sim.SaveScenario(saved);
        if (file == File::Overwritten) {
            test_support::WriteRecord(test_support::TransferFile(sim),
                                      test_support::MakeRecord("UMmu_Tech-Max Poe", 30, 70, 80));
        } else {
            std::filesystem::remove(test_support::TransferFile(sim));
        }
        DeleteEveryVessel();
        sim.LoadScenario(saved);
        ASSERT_EQ(Describe("UMmuTBeta")["attachments"]["parent"].size(), 1U)
            << "bare after loading";
        ExpectCrewConserved();

        if (file == File::ReceiverDeletedToo) {
            Key("Alpha", "A");  // the load closed it
            sim.Run(1.0);
            EXPECT_EQ(test_support::WalkingCrewVessels(sim), (Names{"UMmu_Capt-Ada_Kerr"}));
        } else {
            Key("Beta", "A");
            sim.Run(1.0);
            EXPECT_EQ(RosterNames("Beta"), (Names{"Ivo Brandt", "Ada Kerr"}));
            EXPECT_EQ(Hud("Beta"), "Capt \"Ada Kerr\" aged 41 was transfered to our ship");
        }
        EXPECT_TRUE(TransferVessels(sim).empty());
        ExpectCrewConserved();
    }
}

// A sender that follows the crew add-on's published hand-over sends Zoe Lind to Beta: a vessel
// "UMmuT" + "Beta" with a "U-Mm" attachment that carries her age, pulse and weight and nothing
// else, and her record in the transfer file. Beta takes her by the file when the file holds her
// record; when the file is missing or holds another member's record, Beta sends whoever it is out
// into free space beside its airlock, named "Unknown", and says so. Either way within a second,
// and the next transfer to Beta goes through.
struct PeerCase {
    const char* what;
    const char* fileRecord;  // null: no file
    Names beta;
    const char* hud;
    bool fileLeft;
};

void PrintTo(const PeerCase& c, std::ostream* out) { *out << c.what; }

class PeerTransferTest : public CrewTransferTest, public testing::WithParamInterface<PeerCase> {};

TEST_P(PeerTransferTest, IsResolvedWithinASecondAndBlocksNoLaterTransfer) {
    const PeerCase& c = GetParam();
    LoadDockedPair();
    if (c.fileRecord != nullptr) {
        const int age = std::string(c.fileRecord) == "UMmu_Sci-Zoe Lind" ? 33 : 50;
        test_support::WriteRecord(test_support::TransferFile(sim),
                                  test_support::MakeRecord(c.fileRecord, age, 70, 58));
    }
    const OBJHANDLE transfer = sim.CreateVessel("UMmuTBeta", crew_addon::kCrewClassName);
    sim.Interface(transfer)->CreateAttachment(true, {33, 70, 58}, {}, {},
                                              crew_addon::kMemberAttachmentId);
    sim.Place("UMmuTBeta", "Beta", {0, 0, 209});

    sim.Run(1.0);
    EXPECT_TRUE(TransferVessels(sim).empty());
    EXPECT_EQ(RosterNames("Beta"), c.beta);
    EXPECT_EQ(Hud("Beta"), c.hud);
    EXPECT_EQ(std::filesystem::exists(test_support::TransferFile(sim)), c.fileLeft);
    if (c.beta.size() == 1) {
        ASSERT_EQ(test_support::WalkingCrewVessels(sim), (Names{"UMmu_Unknown"}));
        EXPECT_EQ(sim.StateLines("UMmu_Unknown").back(), "MEMBER 33 70 58");
        VECTOR3 global{};
        VECTOR3 inBeta{};
        oapiGetGlobalPos(sim.FindVessel("UMmu_Unknown"), &global);
        sim.Interface(sim.FindVessel("Beta"))->Global2Local(global, inBeta);
        EXPECT_NEAR(inBeta.z, 209.0, 1.0) << "at the airlock's EVA place";
    }

    Key("Alpha", "E");
    EXPECT_EQ(Hud("Alpha"), "Transfer to docked ship Ok - Ada Kerr transfered");
    sim.Run(1.0);
    EXPECT_EQ(RosterNames("Beta").back(), "Ada Kerr");
}

INSTANTIATE_TEST_SUITE_P(
    Peers, PeerTransferTest,
    testing::Values(
        PeerCase{"FileIntact",
                 "UMmu_Sci-Zoe Lind",
                 {"Ivo Brandt", "Zoe Lind"},
                 "Sci \"Zoe Lind\" aged 33 was transfered to our ship",
                 false},
        PeerCase{"FileMissing",
                 nullptr,
                 {"Ivo Brandt"},
                 "Error, transfered crew has no record, \"Unknown\" left outside our airlock",
                 false},
        PeerCase{"FileHoldsAnotherRecord",
                 "UMmu_Doc-Eli Roe",
                 {"Ivo Brandt"},
                 "Error, transfered crew has no record, \"Unknown\" left outside our airlock",
                 true}),
    [](const testing::TestParamInfo<PeerCase>& info) { return std::string(info.param.what); });

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
