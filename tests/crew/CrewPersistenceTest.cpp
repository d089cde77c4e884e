// Crew lines in the scenario, through a crew manager: the first line of a block empties the
// roster, crew lines refill it with their mass, and a saved roster reads back whole.
#include <string>
#include <vector>

#include "CrewFixture.h"

namespace crew::test {
namespace {

class CrewPersistenceTest : public CrewShipTest {
  protected:
    CrewPersistenceTest() { crew->AddMember("Corwin Haddel", 54, 65, 82, "Passenger"); }

    std::vector<std::string> Save(const CrewManager& manager,
                                  CrewManager::Result expected = CrewManager::Result::kDone) {
        return sim.CaptureScenarioLines(
            [&](FILEHANDLE scn) { EXPECT_EQ(manager.SaveCrew(scn), expected); });
    }

    struct Member {
        std::string idCode, name;
        int age, pulse, weight;
        bool operator==(const Member&) const = default;
    };
    std::vector<Member> Roster(const CrewManager& manager) const {
        std::vector<Member> members;
        for (int slot = 0; slot < manager.GetCrewCount(); ++slot) {
            members.push_back({manager.GetIdCode(slot), manager.GetMemberName(slot),
                               manager.GetAge(slot), manager.GetPulse(slot),
                               manager.GetWeight(slot)});
        }
        return members;
    }
};

TEST_F(CrewPersistenceTest, TheBlockReplacesTheSetUpCrew) {
    ASSERT_EQ(oapiGetEmptyMass(ship), kShipMass + 82);
    EXPECT_EQ(crew->LoadCrewLine("STATUS Orbiting Earth"), CrewManager::Result::kRefused)
        << "not a crew line";
    EXPECT_EQ(crew->GetCrewCount(), 0) << "the first line empties the roster";
    EXPECT_EQ(oapiGetEmptyMass(ship), kShipMass);
    EXPECT_EQ(PublishedFreeSeats(ship), 8);

    EXPECT_EQ(crew->LoadCrewLine("UMMUCREW Capt-Jane_Roe-41-65-74"), CrewManager::Result::kDone);
    EXPECT_EQ(crew->LoadCrewLine("ummucrew Tech-Max_Poe-30-70-80"), CrewManager::Result::kDone);
    EXPECT_EQ(crew->LoadCrewLine("UMMUCREW -Ann_Lee-25-0-60"), CrewManager::Result::kDone);
    EXPECT_EQ(Roster(*crew), (std::vector<Member>{{"Capt", "Jane Roe", 41, 65, 74},
                                                  {"Tech", "Max Poe", 30, 70, 80},
                                                  {"", "Ann Lee", 25, 0, 60}}));
    EXPECT_EQ(oapiGetEmptyMass(ship), kShipMass + 214);
    EXPECT_EQ(crew->CrewMass(), 214);
    EXPECT_EQ(crew->LoadedCount(), 3);
    EXPECT_EQ(PublishedFreeSeats(ship), 5);
}

TEST_F(CrewPersistenceTest, LinesOutsideTheLimitsAreNotTaken) {
    ASSERT_EQ(crew->LoadCrewLine("UMMUCREW Capt-Jane_Roe-41-65-74"), CrewManager::Result::kDone);
    for (const char* line : {"UMMUCREW Capt-Jane_Roe-0-65-74", "UMMUCREW Capt-Jane_Roe-141-65-74",
                             "UMMUCREW Capt-Jane_Roe-41-181-74", "UMMUCREW Capt-Jane_Roe-41-65-4",
                             "UMMUCREW Capt-Jane_Roe-41-65-301", "UMMUCREW Capt", "XPDR 466"}) {
        EXPECT_EQ(crew->LoadCrewLine(line), CrewManager::Result::kRefused) << line;
    }
    EXPECT_EQ(crew->GetCrewCount(), 1);
    EXPECT_EQ(oapiGetEmptyMass(ship), kShipMass + 74);
    EXPECT_EQ(crew->LoadCrewLine(nullptr), CrewManager::Result::kRefused);

    ASSERT_EQ(crew->SetSeatCount(2), CrewManager::Result::kDone);
    EXPECT_EQ(crew->LoadCrewLine("UMMUCREW Tech-Max_Poe-30-70-80"), CrewManager::Result::kDone);
    EXPECT_EQ(crew->LoadCrewLine("UMMUCREW Sci-Al_Bo-30-70-80"), CrewManager::Result::kRefused)
        << "no seat left";
    EXPECT_EQ(crew->GetCrewCount(), 2);
    EXPECT_EQ(crew->LoadedCount(), 2);
}

TEST_F(CrewPersistenceTest, WithoutBookkeepingTheMassIsLeftAlone) {
    CrewManager manager;
    const OBJHANDLE other = Ship("Other");
    oapiSetEmptyMass(other, kShipMass);
    ASSERT_EQ(manager.Initialize(other), StartResult::kStarted);
    ASSERT_EQ(manager.DefineAirlock(1, -1, 1, -1, 1, -1, 1), CrewManager::Result::kDone);
    ASSERT_EQ(manager.SetMassBookkeeping(0), CrewManager::Result::kDone);
    EXPECT_EQ(manager.LoadCrewLine("UMMUCREW Capt-Jane_Roe-41-65-74"), CrewManager::Result::kDone);
    EXPECT_EQ(oapiGetEmptyMass(other), kShipMass);
    EXPECT_EQ(manager.CrewMass(), 74);
}

TEST_F(CrewPersistenceTest, ASavedRosterReadsBackInOrder) {
    crew->AddMember("", 41, 65, 74, "Tech");      // an empty name
    crew->AddMember("Ann Lee", 140, 0, 300, "");  // a pulse of 0, no code
    crew->AddMember("O'Neil", 1, 180, 5, "Sci");
    const auto lines = Save(*crew);
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "UMMUCREW Pass-Corwin_Haddel-54-65-82", "UMMUCREW Tech--41-65-74",
                         "UMMUCREW -Ann_Lee-140-0-300", "UMMUCREW Sci-O_Neil-1-180-5"}));

    const auto loaded = Crew(Ship("Loaded"));
    for (const std::string& line : lines)
        EXPECT_EQ(loaded->LoadCrewLine(line.c_str()), CrewManager::Result::kDone) << line;
    EXPECT_EQ(Roster(*loaded), Roster(*crew));
    EXPECT_EQ(Save(*loaded), lines);
}

TEST_F(CrewPersistenceTest, NothingIsWrittenWithoutCrewOrFile) {
    EXPECT_EQ(crew->SaveCrew(nullptr), CrewManager::Result::kRefused);
    crew->RemoveMember("Corwin Haddel");
    EXPECT_TRUE(Save(*crew, CrewManager::Result::kRefused).empty());
    CrewManager fresh;
    EXPECT_TRUE(Save(fresh, CrewManager::Result::kRefused).empty());
}

}  // namespace
}  // namespace crew::test
