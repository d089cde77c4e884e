// The roster: readiness, adding with its clamps, seats, lookups by name, removal, the crew's mass
// in the host and the numbers published after each change.
#include <functional>
#include <string>

#include "CrewFixture.h"

namespace crew::test {
namespace {

class CrewRosterTest : public CrewShipTest {
  protected:
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (int slot = 0; slot < crew->GetCrewCount(); ++slot) {
            names.emplace_back(crew->GetMemberName(slot));
        }
        return names;
    }
};

TEST_F(CrewRosterTest, ANotReadyManagerRefusesEveryOperation) {
    CrewManager fresh;
    using Result = CrewManager::Result;
    struct Case {
        const char* operation;
        std::function<Result()> call;
        Result refusal;
    };
    const VECTOR3 v{};
    const Case cases[] = {
        {"AddMember", [&] { return fresh.AddMember("Jo", 30, 60, 70, "Ab"); }, Result::kRefused},
        {"RemoveMember", [&] { return fresh.RemoveMember("Jo"); }, Result::kRefused},
        {"SetPulse", [&] { return fresh.SetPulse(0, 60); }, Result::kNoValue},
        {"SetSeatCount", [&] { return fresh.SetSeatCount(10); }, Result::kRefused},
        {"SetMassBookkeeping", [&] { return fresh.SetMassBookkeeping(0); }, Result::kRefused},
        {"SetEvaValue", [&] { return fresh.SetEvaValue(5); }, Result::kRefused},
        {"SetEvaMesh", [&] { return fresh.SetEvaMesh("mmu"); }, Result::kRefused},
        {"SetEvaPlacement", [&] { return fresh.SetEvaPlacement(v, v); }, Result::kRefused},
        {"SetEjectPlacement", [&] { return fresh.SetEjectPlacement(v, v, v); }, Result::kRefused},
        {"DefineAirlock", [&] { return fresh.DefineAirlock(1, -1, 1, -1, 1, -1, 1); },
         Result::kRefused},
        {"SetAirlockState", [&] { return fresh.SetAirlockState(0); }, Result::kNoValue},
        {"SetTransferDock", [&] { return fresh.SetTransferDock(1); }, Result::kRefused},
        {"LoadCrewLine", [&] { return fresh.LoadCrewLine("UMMUCREW Ab-Jo-30-60-70"); },
         Result::kRefused},
    };
    for (const Case& c : cases) EXPECT_EQ(c.call(), c.refusal) << c.operation;
    EXPECT_EQ(fresh.GetCrewCount(), 0);
    EXPECT_EQ(fresh.GetAge(0), CrewManager::kNoValue);
    EXPECT_EQ(fresh.GetAgeByName("Jo"), CrewManager::kNoValue);
    EXPECT_EQ(fresh.GetAirlockState(), CrewManager::kNoValue);
    EXPECT_EQ(fresh.EvaMember("Jo"), CrewManager::EvaResult::kMiscError);
    EXPECT_EQ(fresh.EjectMember("Jo"), CrewManager::EvaResult::kMiscError);
    EXPECT_EQ(fresh.ProcessArrivals(), CrewManager::ArrivalResult::kNotReady);
    EXPECT_STREQ(fresh.GetMemberName(0), "");
    EXPECT_EQ(fresh.GetIdCodeByName("Jo"), nullptr);
    EXPECT_STREQ(fresh.GetLastEvaVesselName(), "");
    EXPECT_EQ(fresh.FindLastEvaVessel(), nullptr);
    EXPECT_FALSE(fresh.Started());

    // Started, but without an airlock, it still refuses.
    CrewManager started;
    ASSERT_EQ(started.Initialize(Ship("Other")), StartResult::kStarted);
    EXPECT_TRUE(started.Started() && !started.Ready());
    EXPECT_EQ(started.AddMember("Jo", 30, 60, 70, "Ab"), CrewManager::Result::kRefused);
    EXPECT_EQ(started.DefineAirlock(1, -1, 1, -1, 1, -1, 1), CrewManager::Result::kDone);
    EXPECT_TRUE(started.Ready());
    EXPECT_EQ(started.AddMember("Jo", 30, 60, 70, "Ab"), CrewManager::Result::kDone);
    EXPECT_EQ(started.DefineAirlock(1, 1, -1, -1, 1, -1, 1), CrewManager::Result::kRefused)
        << "a bad box";
    EXPECT_TRUE(started.Ready()) << "a failed definition keeps the manager ready";
}

TEST_F(CrewRosterTest, AddMemberClampsWhatItStores) {
    struct Case {
        const char* name;
        int age, pulse, weight;
        const char* idCode;
        const char* storedName;
        int storedAge, storedPulse, storedWeight;
        const char* storedCode;
    };
    const Case cases[] = {
        {"Ann-Marie O'Neil", 41, 65, 82, "Capt", "Ann Marie O Neil", 41, 65, 82, "Capt"},
        {"Abcdefghijklmnopqrstuvwxyz1234", 41, 65, 82, "Sci", "Abcdefghijklmnopqrstuvwxy", 41, 65,
         82, "Sci"},
        {"Jo", 0, 200, 400, "Passenger", "Jo", 1, 180, 300, "Pass"},
        {"Jo", -3, -5, 2, nullptr, "Jo", 1, 0, 5, ""},
        {"", 141, 0, 5, "", "", 140, 0, 5, ""},
        {"Jo", 140, 180, 300, "Ab", "Jo", 140, 180, 300, "Ab"},
    };
    ASSERT_EQ(crew->SetSeatCount(static_cast<int>(std::size(cases))), CrewManager::Result::kDone);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int slot = crew->GetCrewCount();
        ASSERT_EQ(crew->AddMember(c.name, c.age, c.pulse, c.weight, c.idCode),
                  CrewManager::Result::kDone);
        EXPECT_STREQ(crew->GetMemberName(slot), c.storedName);
        EXPECT_EQ(crew->GetAge(slot), c.storedAge);
        EXPECT_EQ(crew->GetPulse(slot), c.storedPulse);
        EXPECT_EQ(crew->GetWeight(slot), c.storedWeight);
        EXPECT_STREQ(crew->GetIdCode(slot), c.storedCode);
    }
    EXPECT_EQ(crew->AddMember(nullptr, 30, 60, 70, "Ab"), CrewManager::Result::kRefused);
}

TEST_F(CrewRosterTest, SeatsLimitTheRoster) {
    for (int i = 0; i < 8; ++i)
        ASSERT_EQ(crew->AddMember("Jo", 30, 60, 70, "Ab"), CrewManager::Result::kDone);
    EXPECT_EQ(crew->AddMember("Jo", 30, 60, 70, "Ab"), CrewManager::Result::kRefused)
        << "8 seats, 8 aboard";

    EXPECT_EQ(crew->SetSeatCount(0), CrewManager::Result::kRefused);
    EXPECT_EQ(crew->SetSeatCount(101), CrewManager::Result::kRefused);
    EXPECT_EQ(crew->SetSeatCount(7), CrewManager::Result::kRefused) << "below the crew aboard";
    EXPECT_EQ(crew->SeatCount(), 8);

    ASSERT_EQ(crew->SetSeatCount(100), CrewManager::Result::kDone);
    while (crew->GetCrewCount() < 100)
        ASSERT_EQ(crew->AddMember("Jo", 30, 60, 70, "Ab"), CrewManager::Result::kDone);
    EXPECT_EQ(crew->AddMember("Jo", 30, 60, 70, "Ab"), CrewManager::Result::kRefused)
        << "the 101st";
    EXPECT_EQ(crew->GetCrewCount(), 100);
}

TEST_F(CrewRosterTest, CrewMassGoesIntoTheHostsEmptyMass) {
    ASSERT_EQ(crew->AddMember("Jo", 30, 60, 82, "Ab"), CrewManager::Result::kDone);
    EXPECT_EQ(oapiGetEmptyMass(ship), kShipMass + 82);
    EXPECT_EQ(crew->SetMassBookkeeping(0), CrewManager::Result::kRefused) << "members aboard";
    ASSERT_EQ(crew->AddMember("Al", 30, 60, 70, "Ab"), CrewManager::Result::kDone);
    EXPECT_EQ(oapiGetEmptyMass(ship), kShipMass + 152);
    ASSERT_EQ(crew->RemoveMember("Jo"), CrewManager::Result::kDone);
    EXPECT_EQ(oapiGetEmptyMass(ship), kShipMass + 70);
    EXPECT_EQ(crew->CrewMass(), 70);
    ASSERT_EQ(crew->RemoveMember("Al"), CrewManager::Result::kDone);
    EXPECT_EQ(oapiGetEmptyMass(ship), kShipMass);

    ASSERT_EQ(crew->SetMassBookkeeping(0), CrewManager::Result::kDone);
    ASSERT_EQ(crew->AddMember("Jo", 30, 60, 82, "Ab"), CrewManager::Result::kDone);
    EXPECT_EQ(oapiGetEmptyMass(ship), kShipMass) << "bookkeeping off";
    EXPECT_EQ(crew->CrewMass(), 82);
    ASSERT_EQ(crew->RemoveMember("Jo"), CrewManager::Result::kDone);
    EXPECT_EQ(crew->CrewMass(), 0);
}

TEST_F(CrewRosterTest, LookupsByNameIgnoreLetterCaseOnly) {
    ASSERT_EQ(crew->AddMember("Corwin Haddel", 54, 65, 82, "Capt"), CrewManager::Result::kDone);
    ASSERT_EQ(crew->AddMember("Jo", 30, 60, 70, "Ab"), CrewManager::Result::kDone);
    ASSERT_EQ(crew->AddMember("JO", 31, 61, 71, "Cd"), CrewManager::Result::kDone);
    const std::string fortyChars(40, 'a');
    struct Case {
        const char* name;
        int age;
    };
    const Case cases[] = {
        {"corwin haddel", 54},
        {"CORWIN HADDEL", 54},
        {"Corwin_Haddel", -1},
        {"Corwin", -1},
        {"jo", 30},  // the first match
        {fortyChars.c_str(), -1},
        {nullptr, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(crew->GetAgeByName(c.name), c.age) << (c.name ? c.name : "null");
    }
    EXPECT_EQ(crew->GetPulseByName("corwin haddel"), 65);
    EXPECT_EQ(crew->GetWeightByName("corwin haddel"), 82);
    EXPECT_STREQ(crew->GetIdCodeByName("corwin haddel"), "Capt");
    EXPECT_STREQ(crew->GetIdCodeByName("Nobody"), "");
    EXPECT_EQ(crew->GetIdCodeByName(nullptr), nullptr);

    EXPECT_EQ(crew->SetPulseByName("corwin haddel", -3), CrewManager::Result::kDone);
    EXPECT_EQ(crew->GetPulse(0), 0);
    EXPECT_EQ(crew->SetPulse(0, 150), CrewManager::Result::kDone);
    EXPECT_EQ(crew->GetPulse(0), 130);
    EXPECT_EQ(crew->SetPulseByName("Nobody", 60), CrewManager::Result::kNoValue);
    for (int slot : {-1, 3}) {
        EXPECT_STREQ(crew->GetMemberName(slot), "");
        EXPECT_EQ(crew->GetAge(slot), -1);
        EXPECT_EQ(crew->SetPulse(slot, 60), CrewManager::Result::kNoValue);
    }
}

TEST_F(CrewRosterTest, RemovingAMemberMovesTheLastIntoItsSlot) {
    EXPECT_EQ(crew->RemoveMember("first"), CrewManager::Result::kRefused) << "empty roster";
    for (const char* name : {"first", "second", "third"}) {
        ASSERT_EQ(crew->AddMember(name, 30, 60, 70, "Ab"), CrewManager::Result::kDone);
    }
    EXPECT_EQ(crew->RemoveMember("nobody"), CrewManager::Result::kRefused);
    EXPECT_EQ(crew->RemoveMember(nullptr), CrewManager::Result::kRefused);
    ASSERT_EQ(crew->RemoveMember("FIRST"), CrewManager::Result::kDone);
    EXPECT_EQ(Names(), (std::vector<std::string>{"third", "second"}));
    ASSERT_EQ(crew->RemoveMember("second"), CrewManager::Result::kDone);
    EXPECT_EQ(Names(), (std::vector<std::string>{"third"}));
}

TEST_F(CrewRosterTest, PublishedSeatsFollowEveryChange) {
    EXPECT_EQ(PublishedFreeSeats(ship), 8);
    ASSERT_EQ(crew->AddMember("Jo", 30, 60, 70, "Ab"), CrewManager::Result::kDone);
    EXPECT_EQ(PublishedFreeSeats(ship), 7);
    EXPECT_EQ(ReadPublished(ship)->rot.y, 0) << "aux value";
    ASSERT_EQ(crew->AddMember("Al", 30, 60, 70, "Ab"), CrewManager::Result::kDone);
    ASSERT_EQ(crew->SetSeatCount(50), CrewManager::Result::kDone);
    EXPECT_EQ(PublishedFreeSeats(ship), 48);
    ASSERT_EQ(crew->RemoveMember("Al"), CrewManager::Result::kDone);
    EXPECT_EQ(PublishedFreeSeats(ship), 49);
    ASSERT_EQ(crew->AddMember("Al", 30, 60, 70, "Ab"), CrewManager::Result::kDone);

    // Defining the airlock publishes the whole seat count, whoever is aboard.
    ASSERT_EQ(crew->DefineAirlock(0, -5, 5, -5, 5, -5, 5), CrewManager::Result::kDone);
    EXPECT_EQ(PublishedFreeSeats(ship), 50);
    EXPECT_FALSE(crew->AirlockOpen());
    EXPECT_EQ(ReadPublished(ship)->rot.x, 0);

    EXPECT_EQ(crew->SetAirlockState(1), CrewManager::Result::kDone);
    EXPECT_TRUE(crew->AirlockOpen());
    EXPECT_EQ(ReadPublished(ship)->rot.x, 1);
    EXPECT_EQ(crew->SetAirlockState(5), CrewManager::Result::kDone)
        << "the link refuses; the manager reads back";
    EXPECT_EQ(crew->GetAirlockState(), 1);
}

TEST_F(CrewRosterTest, SettingsAndTheLastEvaVessel) {
    EXPECT_EQ(crew->SetTransferDock(3), CrewManager::Result::kDone);
    EXPECT_EQ(LinkOf(*crew).TransferDock(), 3);
    const std::string longMesh(200, 'm');
    EXPECT_EQ(crew->SetEvaMesh(longMesh.c_str()), CrewManager::Result::kDone);
    EXPECT_EQ(std::string(crew->EvaMesh()), longMesh.substr(0, 149));
    EXPECT_EQ(crew->SetEvaMesh(nullptr), CrewManager::Result::kRefused);

    ASSERT_EQ(crew->AddMember("Al", 30, 60, 70, "Ab"), CrewManager::Result::kDone);
    ASSERT_EQ(crew->EvaMember("Al"), CrewManager::EvaResult::kDone);
    const OBJHANDLE walker = sim.FindVessel("UMmu_Ab-Al");
    ASSERT_NE(walker, nullptr);
    EXPECT_EQ(crew->FindLastEvaVessel(), walker);
    ASSERT_TRUE(sim.DeleteVessel(walker));
    EXPECT_EQ(crew->FindLastEvaVessel(), nullptr) << "gone";
}

}  // namespace
}  // namespace crew::test
