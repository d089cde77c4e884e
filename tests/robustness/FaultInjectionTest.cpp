// Faults of the host and of the root folder: the ship keeps working, the pilot is told what the
// ship's messages say for the outcome, and no crew member is lost or duplicated.
#include <filesystem>
#include <string>
#include <vector>

#include "host/CrewAddon.h"
#include "tests/robustness/RobustnessFixture.h"

namespace robustness {
namespace {

using Names = std::vector<std::string>;

constexpr char kMiscError[] = "Misc error with UMMU install it again";
constexpr char kNotInitialised[] = "Quillmar ERROR UMMU 2.0 not properly initialised in your code.";

class FaultInjectionTest : public RobustnessTest {};

// The host gives no vessel: on the free-space path and on the transfer path the member stays
// aboard, and once the host creates vessels again the same key sends the member out.
TEST_F(FaultInjectionTest, RefusedCrewVesselKeepsTheMemberAboard) {
    struct Case {
        bool docked;
        const char* afterwards;
    };
    for (const Case& c : {Case{true, "Transfer to docked ship Ok - Ada Kerr transfered"},
                          Case{false, "EVA OK - Ada Kerr left the ship"}}) {
        SCOPED_TRACE(c.docked ? "docked" : "free space");
        DeleteEveryVessel();
        LoadDockedPair();
        if (!c.docked) sim.Undock("Alpha", 0);

        sim.Faults().refuseCreateVessel = true;
        Key("Alpha", "E");
        EXPECT_EQ(Hud("Alpha"), kMiscError);
        EXPECT_EQ(RosterNames("Alpha"), (Names{"Ada Kerr", "Max Poe"}));
        sim.Run(1.0);
        ExpectCrewConserved();

        sim.Faults().refuseCreateVessel = false;
        Key("Alpha", "E");
        EXPECT_EQ(Hud("Alpha"), c.afterwards);
        sim.Run(1.0);
        EXPECT_EQ(RosterNames("Alpha"), (Names{"Max Poe"}));
        ExpectCrewConserved();
    }
}

// A ship whose airlock attachment the host would not create publishes nothing: it keeps its crew
// and its other commands, and a docked ship's transfer to it is refused.
TEST_F(FaultInjectionTest, ShipWithoutAirlockAttachmentRefusesTransfers) {
    CreateShip("Alpha");
    sim.Faults().nullAttachments = true;
    CreateShip("Beta");
    sim.Faults().nullAttachments = false;
    sim.Dock("Alpha", 0, "Beta", 0);
    Key("Alpha", "A");
    CountCrew();
    EXPECT_EQ(PublishedFreeSeats("Beta"), -1);

    Key("Alpha", "E");
    EXPECT_EQ(Hud("Alpha"), "Error, docked ship do not use UMmu 2.0, ask author to add it");
    Key("Beta", "S");
    EXPECT_EQ(Hud("Beta"), "1 souls aboard ship Beta, 49 seats available");
    sim.Run(1.0);
    EXPECT_EQ(RosterNames("Alpha").size(), 1U);
    ExpectCrewConserved();
}

// Without vessel interfaces at set-up the crew manager never starts: the debug line says so at
// every step, the ship reports an empty crew and refuses EVA, and its other commands work.
TEST_F(FaultInjectionTest, MissingInterfacesAtSetUpLeaveTheShipWithoutCrew) {
    sim.Faults().hideInterfaces = true;
    CreateShip("Gamma");
    sim.Faults().hideInterfaces = false;
    sim.Run(0.5);
    EXPECT_EQ(sim.DebugLine(), kNotInitialised);
    Key("Gamma", "S");
    EXPECT_EQ(Hud("Gamma"), "0 souls aboard ship Gamma, 50 seats available");
    Key("Gamma", "E");
    EXPECT_EQ(Hud("Gamma"), kMiscError);
    Key("Gamma", "Shift+KP+");
    EXPECT_EQ(Hud("Gamma"), "Active dock number changed to: 1 None");
}

// Interfaces that vanish while a member crosses to the docked ship: the transfer fails, the
// member stays, and the next try goes through.
TEST_F(FaultInjectionTest, MissingInterfacesDuringTransferKeepTheMemberAboard) {
    LoadDockedPair();
    sim.Faults().hideInterfaces = true;
    Key("Alpha", "E");
    sim.Faults().hideInterfaces = false;
    EXPECT_EQ(Hud("Alpha"), kMiscError);
    EXPECT_TRUE(TransferVessels(sim).empty());
    ExpectCrewConserved();

    Key("Alpha", "E");
    sim.Run(1.0);
    EXPECT_EQ(RosterNames("Beta"), (Names{"Ivo Brandt", "Ada Kerr"}));
    ExpectCrewConserved();
}

// Hand-over files that cannot be written: a transfer still brings the member over (the module
// keeps the record it wrote); an EVA, whose crew vessel would read the member's figures from the
// file, is refused and the member stays aboard with them until the file can be written.
TEST_F(FaultInjectionTest, UnwritableHandOverFilesLoseNobody) {
    BlockFile(test_support::SpawnFile(sim));
    BlockFile(test_support::TransferFile(sim));
    LoadDockedPair();

    Key("Alpha", "E");
    EXPECT_EQ(Hud("Alpha"), "Transfer to docked ship Ok - Ada Kerr transfered");
    sim.Run(1.0);
    EXPECT_EQ(Hud("Beta"), "Capt \"Ada Kerr\" aged 41 was transfered to our ship");
    ExpectCrewConserved();

    sim.Undock("Alpha", 0);
    Key("Alpha", "E");
    EXPECT_EQ(Hud("Alpha"), kMiscError);
    EXPECT_EQ(sim.FindVessel("UMmu_Tech-Max_Poe"), nullptr);
    EXPECT_EQ(Roster("Alpha").back().age, 30);
    ExpectCrewConserved();

    std::filesystem::remove_all(test_support::SpawnFile(sim));
    Key("Alpha", "E");
    EXPECT_EQ(Hud("Alpha"), "EVA OK - Max Poe left the ship");
    ASSERT_NE(sim.FindVessel("UMmu_Tech-Max_Poe"), nullptr);
    EXPECT_EQ(sim.StateLines("UMmu_Tech-Max_Poe").back(), "MEMBER 30 70 80");
    ExpectCrewConserved();
}

// Without the crew ID folder the built-in codes choose the crew vessel's mesh.
TEST_F(FaultInjectionTest, MissingCrewIdFolderUsesBuiltInMeshes) {
    std::filesystem::remove_all(sim.Root() / "config" / "UMMUIdConfig");
    LoadShips({{"Alpha", {"UMMUCREW Sci-Lena_Ruiz-35-62-58"}}});
    Key("Alpha", "A");
    CountCrew();
    Key("Alpha", "E");
    EXPECT_EQ(Hud("Alpha"), "EVA OK - Lena Ruiz left the ship");
    EXPECT_EQ(Describe("UMmu_Sci-Lena_Ruiz")["meshes"][0]["name"], "ummu/ummuSCI");
    ExpectCrewConserved();
}

// A version file that cannot be read counts as outdated: the debug line asks for the new version,
// and the crew works as ever.
TEST_F(FaultInjectionTest, UnreadableVersionFileWarnsAndCrewWorks) {
    BlockFile(test_support::RootFile(sim, crew_addon::kVersionFile));
    CreateShip("Alpha");
    Key("Alpha", "A");
    CountCrew();
    sim.Run(0.1);
    EXPECT_EQ(sim.DebugLine().rfind("Quillmar requires the crew add-on, version 2.0 or higher.", 0),
              0U)
        << sim.DebugLine();
    Key("Alpha", "E");
    EXPECT_EQ(Hud("Alpha"), "EVA OK - Corwin Haddel left the ship");
    ExpectCrewConserved();
}

}  // namespace
}  // namespace robustness
