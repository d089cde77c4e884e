// What a hand-over record in the transfer file may hold, from a peer or left over: a name filling
// its whole field, a function code with characters a crew line cannot carry, a member who is
// aboard already. Each member comes aboard once, in one place, and loads back as they came.
#include <filesystem>
#include <string>
#include <vector>

#include "testing/PeerTransfer.h"
#include "tests/robustness/RobustnessFixture.h"

namespace robustness {
namespace {

using Names = std::vector<std::string>;
using test_support::SendAsPeer;
using test_support::WalkingCrewVessels;

class PeerRecordTest : public RobustnessTest {
  protected:
    bool TransferFileLeft() const {
        return std::filesystem::exists(test_support::TransferFile(sim));
    }
};

// Two peers' transfers, to Pioneer and to Gamma, loaded in flight without the attachments that
// carried their numbers; the transfer file holds one record, whose name may fill the field (39
// characters, terminated). One ship takes the member and uses the record up; the other's vessel
// names nobody and its member goes out as "Unknown".
TEST_F(PeerRecordTest, ARecordOfAnyLengthIsTakenOnce) {
    for (const std::size_t memberChars : {30U, 33U, 34U}) {
        const std::string member =
            "Capt-" + std::string("Abcdefghijklmnopqrstuvwxyz1234").substr(0, memberChars - 5);
        SCOPED_TRACE(member);
        ASSERT_EQ(member.size(), memberChars);
        DeleteEveryVessel();
        LoadShips({{"Pioneer", {"UMMUCREW Tech-Max_Poe-30-70-80"}}, {"Gamma", {}}});
        ASSERT_NE(SendAsPeer(sim, "Pioneer", member, 41, 66, 72), nullptr);
        ASSERT_NE(SendAsPeer(sim, "Gamma", member, 41, 66, 72), nullptr);
        SaveAndReload();
        Key("Pioneer", "A");
        Key("Gamma", "A");
        sim.Run(1.0);

        int taken = 0;
        for (const char* ship : {"Pioneer", "Gamma"}) {
            for (const CrewLine& line : Roster(ship)) {
                if (line.code == "Capt") ++taken;
            }
        }
        EXPECT_EQ(taken, 1);
        EXPECT_EQ(WalkingCrewVessels(sim), (Names{"UMmu_Unknown"}));
        EXPECT_FALSE(TransferFileLeft()) << "used up";
        EXPECT_TRUE(TransferVessels(sim).empty());
    }
}

// A peer's record gives Ada a function code with a semicolon (a comment in a scenario file), a
// tab, a line end or a blank. She comes aboard, and the crew line written loads back as her.
TEST_F(PeerRecordTest, ACodeThatWouldBreakTheCrewLineIsCleaned) {
    struct Case {
        const char* code;
        const char* cleaned;
    };
    const Case cases[] = {
        {"C;d", "C_d"}, {"C\td", "C_d"}, {"C\nEND", "C_EN"}, {"C d", "C_d"}, {"Doc", "Doc"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cleaned);
        DeleteEveryVessel();
        LoadShips({{"Pioneer", {"UMMUCREW Tech-Max_Poe-30-70-80"}}});
        Key("Pioneer", "A");
        ASSERT_NE(SendAsPeer(sim, "Pioneer", std::string(c.code) + "-Ada Kerr", 41, 66, 72),
                  nullptr);
        sim.Run(1.0);
        ASSERT_EQ(RosterNames("Pioneer"), (Names{"Max Poe", "Ada Kerr"}));
        SaveAndReload();
        const std::vector<CrewLine> roster = Roster("Pioneer");
        ASSERT_EQ(roster.size(), 2U);
        EXPECT_EQ(roster[1].code, c.cleaned);
        EXPECT_EQ(roster[1].name, "Ada Kerr");
        EXPECT_EQ(roster[1].age, 41);
        EXPECT_EQ(roster[1].weight, 72);
    }
}

// A save holds a transfer under way to Meridian whose in-flight line is missing (written by an
// older version, or a peer's transfer saved without its numbers), and the transfer file still
// holds an old record of Ada, who is aboard Pioneer (or Meridian itself). The record is stale:
// Meridian never takes Ada from it; the member in transit, whom nothing names, goes out as
// "Unknown", and Ada stays aboard once.
TEST_F(PeerRecordTest, ARecordOfAMemberAboardIsNeverTaken) {
    for (const char* holder : {"Pioneer", "Meridian"}) {
        SCOPED_TRACE(holder);
        DeleteEveryVessel();
        LoadShips({{"Pioneer", {"UMMUCREW Doc-Ivo_Brandt-52-71-90"}},
                   {"Meridian", {"UMMUCREW Tech-Bo_Berg-33-70-58"}}});
        ASSERT_TRUE(sim.FindVessel(holder));
        // Ada comes aboard her ship first, as a load would have put her there.
        ASSERT_NE(SendAsPeer(sim, holder, "Capt-Ada Kerr", 41, 66, 72), nullptr);
        Key(holder, "A");
        sim.Run(1.0);
        Key(holder, "A");
        ASSERT_EQ(RosterNames(holder).back(), "Ada Kerr");
        // The old record, and a transfer to Meridian that names nobody.
        test_support::WriteRecord(test_support::TransferFile(sim),
                                  test_support::MakeRecord("UMmu_Capt-Ada Kerr", 41, 66, 72));
        sim.CreateVessel("UMmuTMeridian", crew_addon::kCrewClassName);
        sim.Place("UMmuTMeridian", "Meridian", {});
        SaveAndReload();
        CountCrew();

        Key("Meridian", "A");
        sim.Run(1.0);
        int adas = 0;
        for (const char* ship : {"Pioneer", "Meridian"}) {
            for (const std::string& name : RosterNames(ship)) adas += name == "Ada Kerr" ? 1 : 0;
        }
        EXPECT_EQ(adas, 1);
        EXPECT_EQ(WalkingCrewVessels(sim), (Names{"UMmu_Unknown"}));
        EXPECT_TRUE(TransferVessels(sim).empty());
    }
}

}  // namespace
}  // namespace robustness
