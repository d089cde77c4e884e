// Transfers from ships of another add-on, which follow the crew add-on's published hand-over
// (testing/PeerTransfer.h): saved in flight, their record overwritten by a transfer of this
// module, and addressed to ships with long names. Every member is named once, or, when nothing
// names them any more, comes out as "Unknown"; nobody is taken twice.
#include <cstddef>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "crew/TransferVessel.h"
#include "testing/PeerTransfer.h"
#include "tests/robustness/RobustnessFixture.h"

namespace robustness {
namespace {

using Names = std::vector<std::string>;

// Ship names longer than a peer keeps behind "UMmuT", and what it keeps of them.
constexpr char kLongName[] = "Outer_belt_ore_carrier_of_the_guild_0001";
constexpr char kOtherLongName[] = "Outer_belt_ore_carrier_of_the_guild_0002";
constexpr char kCutName[] = "Outer_belt_ore_carrier_of_the_gui";
using test_support::SendAsPeer;
using test_support::WalkingCrewVessels;

class PeerHandOverTest : public RobustnessTest {
  protected:
    bool TransferFileLeft() const {
        return std::filesystem::exists(test_support::TransferFile(sim));
    }
    int People() const {
        int people = 0;
        for (const auto& [name, number] : CountEveryone(sim)) people += number;
        return people;
    }
};

// A peer's transfer to Beta, saved in flight, comes back without the attachment that carried its
// member's numbers; the transfer file still holds the member's record, which no transfer of the
// module carries. Beta takes the member by the file, name and numbers, and the file is used up.
// With Beta deleted before the save, Alpha sends the member into free space under the member's
// own name.
TEST_F(PeerHandOverTest, APeersTransferSavedInFlightIsNamedByItsFile) {
    for (const bool receiverDeleted : {false, true}) {
        SCOPED_TRACE(receiverDeleted ? "receiver deleted" : "receiver there");
        DeleteEveryVessel();
        LoadShips({{"Alpha", {"UMMUCREW Capt-Ada_Kerr-41-66-72"}},
                   {"Beta", {"UMMUCREW Doc-Ivo_Brandt-52-71-90"}}});
        ASSERT_NE(SendAsPeer(sim, "Beta", "Sci-Zoe Lind", 33, 70, 58), nullptr);
        if (receiverDeleted) sim.DeleteVessel(sim.FindVessel("Beta"));
        SaveAndReload();
        crew::CarriedMember carried;
        ASSERT_FALSE(crew::ReadCarriedMember(*sim.Interface(sim.FindVessel("UMmuTBeta")), carried))
            << "bare after loading";
        CountCrew();
        ASSERT_EQ(everyone.count("Zoe Lind"), 1U);

        Key(receiverDeleted ? "Alpha" : "Beta", "A");  // the load closed the airlocks
        sim.Run(1.0);
        if (receiverDeleted) {
            EXPECT_EQ(WalkingCrewVessels(sim), (Names{"UMmu_Sci-Zoe_Lind"}));
            EXPECT_EQ(sim.StateLines("UMmu_Sci-Zoe_Lind").back(), "MEMBER 33 70 58");
        } else {
            const CrewLine zoe = Roster("Beta").back();
            EXPECT_EQ(zoe.code, "Sci");
            EXPECT_EQ(zoe.name, "Zoe Lind");
            EXPECT_EQ(zoe.age, 33);
            EXPECT_EQ(zoe.pulse, 70);
            EXPECT_EQ(zoe.weight, 58);
            EXPECT_TRUE(WalkingCrewVessels(sim).empty());
        }
        EXPECT_FALSE(TransferFileLeft()) << "used up";
        EXPECT_TRUE(TransferVessels(sim).empty());
        ExpectCrewConserved();
    }
}

// A peer's transfer with numbers waits at A, whose airlock is closed. Meanwhile Q sends Bo Berg,
// whose age, pulse and weight are the waiting member's, to C, and the transfer file now holds
// Bo's record. That record is the transfer to C's: A never takes it. The waiting member, whom
// nothing names any more, leaves A's airlock as "Unknown" with the numbers the vessel carries, and
// Bo arrives at C alone.
TEST_F(PeerHandOverTest, ARecordAnotherTransferCarriesIsNeverTaken) {
    LoadShips({{"A", {"UMMUCREW Doc-Ivo_Brandt-52-71-90"}},
               {"Q", {"DOCKINFO 0:0,C", "UMMUCREW Tech-Bo_Berg-33-70-58"}},
               {"C", {"UMMUCREW Capt-Cy_Cole-41-66-72"}}});
    ASSERT_NE(SendAsPeer(sim, "A", "Sci-Zoe Lind", 33, 70, 58), nullptr);
    const int people = People();
    ASSERT_EQ(people, 4);
    Key("Q", "A");
    Key("C", "A");
    ASSERT_EQ(Key("Q", "E"), 1);
    Key("C", "A");  // closed before its first scan
    ASSERT_EQ(TransferVessels(sim), (Names{"UMmuTA", "UMmuTC"}));

    Key("A", "A");
    sim.Run(1.0);
    EXPECT_EQ(RosterNames("A"), (Names{"Ivo Brandt"}));
    EXPECT_EQ(Hud("A"),
              "Error, transfered crew has no record, \"Unknown\" left outside our airlock");
    ASSERT_EQ(WalkingCrewVessels(sim), (Names{"UMmu_Unknown"}));
    EXPECT_EQ(sim.StateLines("UMmu_Unknown").back(), "MEMBER 33 70 58");

    Key("C", "A");
    sim.Run(1.0);
    EXPECT_EQ(RosterNames("C"), (Names{"Cy Cole", "Bo Berg"}));
    EXPECT_TRUE(RosterNames("Q").empty());
    EXPECT_TRUE(TransferVessels(sim).empty());
    EXPECT_EQ(People(), people);
}

// Two peers' transfers: Zoe Lind's to Beta, saved in flight, comes back without the attachment
// that carried her numbers, and Eli Roe's to Alpha, sent after the load, overwrote her record in
// the transfer file. The record is that of Eli's vessel, which carries its numbers: Beta never
// takes it, and sends whoever came out as "Unknown"; Alpha takes Eli.
TEST_F(PeerHandOverTest, ARecordAnotherPeersVesselFitsIsThatVessels) {
    LoadShips({{"Alpha", {"UMMUCREW Capt-Ada_Kerr-41-66-72"}},
               {"Beta", {"UMMUCREW Doc-Ivo_Brandt-52-71-90"}}});
    ASSERT_NE(SendAsPeer(sim, "Beta", "Sci-Zoe Lind", 33, 70, 58), nullptr);
    SaveAndReload();
    ASSERT_NE(SendAsPeer(sim, "Alpha", "Doc-Eli Roe", 50, 72, 80), nullptr);
    const int people = People();

    Key("Beta", "A");
    sim.Run(1.0);
    EXPECT_EQ(RosterNames("Beta"), (Names{"Ivo Brandt"}));
    ASSERT_EQ(WalkingCrewVessels(sim), (Names{"UMmu_Unknown"}));
    EXPECT_EQ(sim.StateLines("UMmu_Unknown").back(), "MEMBER 41 60 60");
    Key("Alpha", "A");
    sim.Run(1.0);
    EXPECT_EQ(RosterNames("Alpha"), (Names{"Ada Kerr", "Eli Roe"}));
    EXPECT_TRUE(TransferVessels(sim).empty());
    EXPECT_EQ(People(), people);
}

// A peer's transfer and one of this module's wait, both saved in flight, for the same ship with a
// long name, the peer's under the name it cut; the transfer file is gone. The peer's member, whom
// nothing names, goes out as "Unknown"; that ends the peer's transfer only, and the module's
// member still arrives by the record the ships saved.
TEST_F(PeerHandOverTest, APeersTransferEndingLeavesTheModulesTransferToTheSameShip) {
    LoadShips({{"Q", {"DOCKINFO 0:0," + std::string(kLongName), "UMMUCREW Tech-Bo_Berg-33-70-58"}},
               {kLongName, {"UMMUCREW Doc-Ivo_Brandt-52-71-90"}}});
    ASSERT_NE(SendAsPeer(sim, kLongName, "Sci-Zoe Lind", 33, 70, 58), nullptr);
    Key("Q", "A");
    Key(kLongName, "A");
    ASSERT_EQ(Key("Q", "E"), 1);
    Key(kLongName, "A");  // closed before its first scan
    ASSERT_EQ(TransferVessels(sim).size(), 2U);
    SaveAndReload();
    std::filesystem::remove(test_support::TransferFile(sim));

    Key(kLongName, "A");
    sim.Run(1.0);
    EXPECT_EQ(RosterNames(kLongName), (Names{"Ivo Brandt", "Bo Berg"}));
    EXPECT_EQ(WalkingCrewVessels(sim), (Names{"UMmu_Unknown"}));
    EXPECT_TRUE(TransferVessels(sim).empty());
}

// A peer cuts "UMmuT" + receiver to 38 characters, so a receiver's name stands cut to its first
// 33. The ship of exactly that name takes the member; else the one ship whose name begins with
// it. When several do, the transfer is addressed to nobody: the member goes into free space under
// their own name, and no ship takes them.

struct LongNameCase {
    const char* what;
    Names ships;        // besides Alpha, which has no part in it
    const char* taker;  // null: nobody
};

void PrintTo(const LongNameCase& c, std::ostream* out) { *out << c.what; }

class LongNameTest : public PeerHandOverTest, public testing::WithParamInterface<LongNameCase> {};

TEST_P(LongNameTest, ACutAddressIsTheOneShipItCanBe) {
    const LongNameCase& c = GetParam();
    ASSERT_EQ(std::string(kLongName).size(), 40U);
    ASSERT_EQ(std::string(kCutName), std::string(kLongName).substr(0, 33));
    quillmar_test::Ships ships{{"Alpha", {"UMMUCREW Capt-Ada_Kerr-41-66-72"}}};
    for (const std::string& ship : c.ships) {
        ships.push_back({ship, {"UMMUCREW Doc-Crew" + std::to_string(ships.size()) + "-52-71-90"}});
    }
    LoadShips(ships);
    for (const auto& [ship, block] : ships) Key(ship, "A");
    ASSERT_NE(SendAsPeer(sim, c.ships.back(), "Sci-Zoe Lind", 33, 70, 58), nullptr);
    ASSERT_EQ(TransferVessels(sim), (Names{std::string("UMmuT") + kCutName}));
    CountCrew();

    sim.Run(1.0);
    EXPECT_TRUE(TransferVessels(sim).empty());
    for (const std::string& ship : c.ships) {
        const Names roster = RosterNames(ship);
        const bool took = c.taker != nullptr && ship == c.taker;
        EXPECT_EQ(roster.size(), took ? 2U : 1U) << ship;
        EXPECT_EQ(roster.back() == "Zoe Lind", took) << ship;
    }
    EXPECT_EQ(WalkingCrewVessels(sim), c.taker == nullptr ? Names{"UMmu_Sci-Zoe_Lind"} : Names{});
    ExpectCrewConserved();
}

INSTANTIATE_TEST_SUITE_P(
    Peers, LongNameTest,
    testing::Values(LongNameCase{"OneShipBeginsSo", {kLongName}, kLongName},
                    LongNameCase{"TheShipOfTheCutNameItself", {kLongName, kCutName}, kCutName},
                    LongNameCase{"SeveralShipsBeginSo", {kLongName, kOtherLongName}, nullptr}),
    [](const testing::TestParamInfo<LongNameCase>& info) { return std::string(info.param.what); });

}  // namespace
}  // namespace robustness
