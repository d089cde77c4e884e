// Leaving the vessel: a crew vessel in free space with its hand-over file, its name, place,
// orientation and push; the refusals; a transfer to a docked ship; an eject.
#include <cmath>
#include <cstring>
#include <filesystem>
#include <numbers>

#include "CrewFixture.h"
#include "testing/HandOverFiles.h"

namespace crew {

// Every way into the roster takes whole kilograms: a weight that is not a whole number is the one
// state these tests make by hand.
class CrewManagerTestPeer {
  public:
    // Changes the member's weight, and the crew mass and the host's empty mass with it.
    static void SetWeight(CrewManager& crew, int slot, double kilograms) {
        const double crewMass = crew.crewMass - crew.roster[slot].weight + kilograms;
        crew.ApplyCrewMassToHost(crewMass);
        crew.crewMass = crewMass;
        crew.roster[slot].weight = kilograms;
    }
};

}  // namespace crew

namespace crew::test {
namespace {

constexpr double kShipMass = 1000.0;
constexpr VECTOR3 kShipPosition{7000e3, 100.0, -250.0};
constexpr VECTOR3 kShipVelocity{10.0, 7500.0, -3.0};
// A quarter turn about y: the vessel's +z points along global +x.
constexpr MATRIX3 kQuarterTurnAboutY{0, 0, 1, 0, 1, 0, -1, 0, 0};

void ExpectNear(const VECTOR3& actual, const VECTOR3& expected, const char* what) {
    EXPECT_NEAR(actual.x, expected.x, 1e-6) << what;
    EXPECT_NEAR(actual.y, expected.y, 1e-6) << what;
    EXPECT_NEAR(actual.z, expected.z, 1e-6) << what;
}

void ExpectNear(const MATRIX3& actual, const MATRIX3& expected) {
    constexpr double MATRIX3::*kElements[] = {&MATRIX3::m11, &MATRIX3::m12, &MATRIX3::m13,
                                              &MATRIX3::m21, &MATRIX3::m22, &MATRIX3::m23,
                                              &MATRIX3::m31, &MATRIX3::m32, &MATRIX3::m33};
    for (int i = 0; i < 9; ++i) {
        EXPECT_NEAR(actual.*kElements[i], expected.*kElements[i], 1e-12) << "element " << i;
    }
}

class CrewSpawnTest : public CrewTest {
  protected:
    CrewSpawnTest() {
        VESSELSTATUS status{};
        status.rpos = kShipPosition;
        status.rvel = kShipVelocity;
        ship = sim.CreateVessel("Ship", kShipClass, &status);
        oapiSetEmptyMass(ship, kShipMass);
        crew = Crew(ship);
        crew->AddMember("Corwin Haddel", 54, 65, 82, "Capt");
        crew->AddMember("Jane Roe", 41, 70, 60, "");
    }

    VESSELSTATUS StatusOf(const std::string& name) {
        VESSELSTATUS status{};
        const OBJHANDLE vessel = sim.FindVessel(name);
        EXPECT_NE(vessel, nullptr) << name;
        if (vessel != nullptr) Interface(vessel).GetStatus(status);
        return status;
    }

    // A second ship docked at port `port` of the first, with its own crew manager.
    std::unique_ptr<CrewManager> DockedReceiver(int port = 0, int seats = 8) {
        VESSELSTATUS status{};
        status.rpos = {kShipPosition.x, kShipPosition.y, kShipPosition.z + 40};
        status.rvel = kShipVelocity;
        receiver = sim.CreateVessel("Receiver", kShipClass, &status);
        auto receiverCrew = Crew(receiver, seats, 1, Box{-2, 2, -4, 4, 10, 20});
        sim.Dock("Ship", static_cast<unsigned>(port), "Receiver", 0);
        return receiverCrew;
    }

    OBJHANDLE ship = nullptr;
    OBJHANDLE receiver = nullptr;
    std::unique_ptr<CrewManager> crew;
};

TEST_F(CrewSpawnTest, EvaLeavesAsACrewVesselBesideTheAirlock) {
    // The module's hand-over record as earlier writes left it: the spawn keeps what it does not
    // write.
    crew_addon::HandOverRecord& earlier = TheModuleState().spawnRecord;
    std::memset(&earlier, 'x', sizeof earlier);
    // A weight that is not a whole number is sent truncated.
    CrewManagerTestPeer::SetWeight(*crew, 0, 85.9);
    sim.SetAngularVelocity("Ship", {0.1, -0.2, 5});
    Interface(ship).SetRotationMatrix(kQuarterTurnAboutY);

    ASSERT_EQ(crew->EvaMember("corwin haddel"), CrewManager::EvaResult::kDone);

    const auto record = test_support::ReadRecord(test_support::SpawnFile(sim)).value();
    EXPECT_EQ(test_support::RecordDifferences(record, {.vesselName = "UMmu_Capt-Corwin Haddel",
                                                       .meshName = "ummu/ummup",
                                                       .age = 54,
                                                       .pulse = 65,
                                                       .evaValue = 100,
                                                       .weight = 85}),
              "");
    EXPECT_EQ(record.vesselName[24], 'x') << "bytes behind the name are not cleared";

    const OBJHANDLE walker = sim.FindVessel("UMmu_Capt-Corwin_Haddel");
    ASSERT_NE(walker, nullptr);
    EXPECT_STREQ(Interface(walker).GetClassNameA(), "UMmu");
    const VESSELSTATUS status = StatusOf("UMmu_Capt-Corwin_Haddel");
    // EVA position (0, 0, 3) and a push of 5 * (0.1 + 0.2) m/s, both along the vessel's +z.
    ExpectNear(status.rpos, {kShipPosition.x + 3, kShipPosition.y, kShipPosition.z}, "position");
    ExpectNear(status.rvel, {kShipVelocity.x + 1.5, kShipVelocity.y, kShipVelocity.z}, "velocity");
    MATRIX3 rotation{};
    Interface(walker).GetRotationMatrix(rotation);
    ExpectNear(rotation, kQuarterTurnAboutY);

    EXPECT_EQ(crew->GetCrewCount(), 1);
    EXPECT_STREQ(crew->GetLastEvaName(), "Corwin Haddel");
    EXPECT_STREQ(crew->GetLastEvaVesselName(), "UMmu_Capt-Corwin_Haddel");
    EXPECT_EQ(crew->FindLastEvaVessel(), walker);
    EXPECT_NEAR(oapiGetEmptyMass(ship), kShipMass + 60, 1e-9);
    EXPECT_EQ(PublishedFreeSeats(ship), 7);

    // A member without a code leaves under the name alone.
    ASSERT_EQ(crew->EvaMember("Jane Roe"), CrewManager::EvaResult::kDone);
    EXPECT_NE(sim.FindVessel("UMmu_Jane_Roe"), nullptr);
    EXPECT_STREQ(test_support::ReadRecord(test_support::SpawnFile(sim)).value().meshName,
                 "ummu/ummu");
}

TEST_F(CrewSpawnTest, ATakenNameGetsANumber) {
    Ship("UMmu_Capt-Corwin_Haddel");
    Ship("UMmu_Capt-Corwin_Haddel1");
    ASSERT_EQ(crew->EvaMember("Corwin Haddel"), CrewManager::EvaResult::kDone);
    EXPECT_NE(sim.FindVessel("UMmu_Capt-Corwin_Haddel2"), nullptr);
    EXPECT_STREQ(crew->GetLastEvaVesselName(), "UMmu_Capt-Corwin_Haddel");

    // A name cut to 38 characters makes room for its number.
    AirlockLink& link = LinkOf(*crew);
    const std::string longMember(40, 'a');
    const std::string cut = "UMmu_" + std::string(33, 'a');
    ASSERT_EQ(
        link.SpawnCrewVessel(longMember.c_str(), 30, 100, 60, 70, "m", nullptr, nullptr, nullptr),
        AirlockLink::SpawnResult::kInFreeSpace);
    EXPECT_NE(sim.FindVessel(cut), nullptr);
    ASSERT_EQ(
        link.SpawnCrewVessel(longMember.c_str(), 30, 100, 60, 70, "m", nullptr, nullptr, nullptr),
        AirlockLink::SpawnResult::kInFreeSpace);
    EXPECT_NE(sim.FindVessel(cut.substr(0, 37) + "1"), nullptr);
    EXPECT_STREQ(test_support::ReadRecord(test_support::SpawnFile(sim)).value().vesselName,
                 cut.c_str());
}

// The crew vessel is turned in the ship's frame by the angles as the simulator turns a vessel by
// AROT angles (R = Rx Ry Rz with m13 = -sin y); the ship stands unturned.
TEST_F(CrewSpawnTest, AnglesTurnTheCrewVessel) {
    struct Case {
        VECTOR3 angles;
        MATRIX3 rotation;
    };
    const Case cases[] = {
        // The quarter turn about x: rows (1, 0, 0), (0, 0, 1), (0, -1, 0).
        {{std::numbers::pi / 2, 0, 0}, {1, 0, 0, 0, 0, 1, 0, -1, 0}},
        // 30 degrees about y: rows (cos 30, 0, -sin 30), (0, 1, 0), (sin 30, 0, cos 30).
        {{std::numbers::pi / 6, 0, 0},
         {1, 0, 0, 0, 0.8660254037844386, 0.5, 0, -0.5, 0.8660254037844386}},
        {{0, std::numbers::pi / 6, 0},
         {0.8660254037844386, 0, -0.5, 0, 1, 0, 0.5, 0, 0.8660254037844386}},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(crew->SetEvaPlacement({0, 0, 3}, c.angles), CrewManager::Result::kDone);
        ASSERT_EQ(crew->EvaMember("Jane Roe"), CrewManager::EvaResult::kDone);
        MATRIX3 rotation{};
        Interface(sim.FindVessel("UMmu_Jane_Roe")).GetRotationMatrix(rotation);
        ExpectNear(rotation, c.rotation);
        sim.DeleteVessel(sim.FindVessel("UMmu_Jane_Roe"));
        crew->AddMember("Jane Roe", 41, 70, 60, "");
    }
}

TEST_F(CrewSpawnTest, SpawnSendsOutOfRangeNumbersAsDefaults) {
    struct Case {
        int age, evaValue, pulse;
        int sentAge, sentEvaValue, sentPulse;
    };
    const Case cases[] = {
        {130, 4001, 150, 41, 100, 60},
        {-1, -1, -1, 41, 100, 60},
        {0, 0, 0, 0, 0, 0},
        {120, 4000, 140, 120, 4000, 140},
    };
    AirlockLink& link = LinkOf(*crew);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.age);
        ASSERT_EQ(link.SpawnCrewVessel("Ab-Jo", c.age, c.evaValue, c.pulse, 70, "m", nullptr,
                                       nullptr, nullptr),
                  AirlockLink::SpawnResult::kInFreeSpace);
        const auto record = test_support::ReadRecord(test_support::SpawnFile(sim)).value();
        EXPECT_EQ(test_support::RecordDifferences(record, {.vesselName = "UMmu_Ab-Jo",
                                                           .meshName = "m",
                                                           .age = c.sentAge,
                                                           .pulse = c.sentPulse,
                                                           .evaValue = c.sentEvaValue,
                                                           .weight = 70}),
                  "");
    }
    AirlockLink unstarted{};
    EXPECT_EQ(unstarted.SpawnCrewVessel("Ab-Jo", 30, 100, 60, 70, "m", nullptr, nullptr, nullptr),
              AirlockLink::SpawnResult::kNoInterface);
}

TEST_F(CrewSpawnTest, RefusalsLeaveTheMemberAboard) {
    const std::string fortyChars(40, 'a');
    EXPECT_EQ(crew->EvaMember(fortyChars.c_str()), CrewManager::EvaResult::kNoSuchMember);
    EXPECT_EQ(crew->EvaMember(nullptr), CrewManager::EvaResult::kNoSuchMember);
    EXPECT_EQ(crew->EvaMember("Nobody"), CrewManager::EvaResult::kNoSuchMember);
    EXPECT_EQ(crew->EvaMember("Corwin_Haddel"), CrewManager::EvaResult::kNoSuchMember);
    ASSERT_EQ(crew->SetAirlockState(0), CrewManager::Result::kDone);
    EXPECT_EQ(crew->EvaMember("Corwin Haddel"), CrewManager::EvaResult::kAirlockClosed);
    EXPECT_EQ(crew->GetCrewCount(), 2);

    CrewManager empty;
    ASSERT_EQ(empty.Initialize(Ship("Empty")), StartResult::kStarted);
    ASSERT_EQ(empty.DefineAirlock(0, -1, 1, -1, 1, -1, 1), CrewManager::Result::kDone);
    EXPECT_EQ(empty.EvaMember("Corwin Haddel"), CrewManager::EvaResult::kNobodyAboard)
        << "nobody aboard, airlock closed";

    // The host creates no vessel: the member stays aboard, with mass and seats as they were.
    ASSERT_EQ(crew->SetAirlockState(1), CrewManager::Result::kDone);
    sim.Faults().refuseCreateVessel = true;
    EXPECT_EQ(crew->EvaMember("Corwin Haddel"), CrewManager::EvaResult::kMiscError);
    EXPECT_EQ(crew->GetCrewCount(), 2);
    EXPECT_DOUBLE_EQ(oapiGetEmptyMass(ship), kShipMass + 142);
    EXPECT_STREQ(crew->GetLastEvaName(), "");
    EXPECT_EQ(
        LinkOf(*crew).SpawnCrewVessel("Ab-Jo", 30, 100, 60, 70, "m", nullptr, nullptr, nullptr),
        AirlockLink::SpawnResult::kNotCreated);
}

TEST_F(CrewSpawnTest, TheDockedShipDecidesOnATransfer) {
    struct Case {
        const char* what;
        int seats;
        int receiverAboard;
        int receiverDoor;
        CrewManager::EvaResult result;
    };
    const Case cases[] = {
        {"no free seat", 1, 1, 1, CrewManager::EvaResult::kDockedShipFull},
        {"airlock closed", 8, 0, 0, CrewManager::EvaResult::kDockedAirlockClosed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto receiverCrew = DockedReceiver(0, c.seats);
        for (int i = 0; i < c.receiverAboard; ++i) receiverCrew->AddMember("Al", 30, 60, 70, "");
        receiverCrew->SetAirlockState(c.receiverDoor);
        EXPECT_EQ(crew->EvaMember("Corwin Haddel"), c.result);
        EXPECT_EQ(crew->GetCrewCount(), 2);
        EXPECT_EQ(sim.FindVessel("UMmuTReceiver"), nullptr);
        sim.Undock("Ship", 0);
        sim.DeleteVessel(receiver);
        sim.Frame();
    }

    // A ship without a crew manager publishes no airlock.
    const OBJHANDLE plain = Ship("Plain");
    sim.Dock("Ship", 0, "Plain", 0);
    EXPECT_EQ(crew->EvaMember("Corwin Haddel"), CrewManager::EvaResult::kDockedShipWithoutCrew);
    EXPECT_EQ(crew->GetCrewCount(), 2);

    // Docked at another port than the transfer port, the member goes into free space.
    ASSERT_EQ(crew->SetTransferDock(1), CrewManager::Result::kDone);
    EXPECT_EQ(crew->EvaMember("Corwin Haddel"), CrewManager::EvaResult::kDone);
    EXPECT_NE(sim.FindVessel("UMmu_Capt-Corwin_Haddel"), nullptr);
    (void)plain;
}

TEST_F(CrewSpawnTest, TransferReachesTheDockedShipsRoster) {
    const auto receiverCrew = DockedReceiver();
    oapiSetEmptyMass(receiver, kShipMass);
    CrewManagerTestPeer::SetWeight(*crew, 0, 72.6);
    ASSERT_EQ(crew->EvaMember("Corwin Haddel"), CrewManager::EvaResult::kTransferred);
    EXPECT_EQ(crew->GetCrewCount(), 1);
    EXPECT_STREQ(crew->GetLastEvaName(), "Corwin Haddel");

    // The transfer vessel stands at the centre of the receiver's box, (0, 0, 15) in its frame,
    // carrying the member's numbers; the file carries the member's record.
    const OBJHANDLE transfer = sim.FindVessel("UMmuTReceiver");
    ASSERT_NE(transfer, nullptr);
    ExpectNear(StatusOf("UMmuTReceiver").rpos,
               {kShipPosition.x, kShipPosition.y, kShipPosition.z + 55}, "transfer position");
    const VESSEL& carrier = Interface(transfer);
    const DWORD parents = carrier.AttachmentCount(true);
    ASSERT_GE(parents, 2U);
    const ATTACHMENTHANDLE data = carrier.GetAttachmentHandle(true, parents - 1);
    EXPECT_STREQ(carrier.GetAttachmentId(data), "U-Mm");
    VECTOR3 pos{}, dir{}, rot{};
    carrier.GetAttachmentParams(data, pos, dir, rot);
    ExpectNear(pos, {54, 65, 72}, "U-Mm numbers");
    const auto record = test_support::ReadRecord(test_support::TransferFile(sim)).value();
    EXPECT_EQ(test_support::RecordDifferences(record, {.vesselName = "UMmu_Capt-Corwin Haddel",
                                                       .age = 54,
                                                       .pulse = 65,
                                                       .evaValue = 100,
                                                       .weight = 72}),
              "");

    // The receiver's scan takes the member aboard.
    EXPECT_EQ(FramesUntilArrival(*receiverCrew), CrewManager::ArrivalResult::kTransferredIn);
    EXPECT_EQ(receiverCrew->GetCrewCount(), 1);
    EXPECT_STREQ(receiverCrew->GetMemberName(0), "Corwin Haddel");
    EXPECT_STREQ(receiverCrew->GetIdCode(0), "Capt");
    EXPECT_EQ(receiverCrew->GetAge(0), 54);
    EXPECT_EQ(receiverCrew->GetWeight(0), 72);
    EXPECT_STREQ(receiverCrew->GetLastArrivalName(), "Corwin Haddel");
    EXPECT_DOUBLE_EQ(oapiGetEmptyMass(receiver), kShipMass + 72);
    sim.Frame();  // the transfer vessel leaves the simulation at the end of the frame
    EXPECT_EQ(sim.FindVessel("UMmuTReceiver"), nullptr);
    EXPECT_FALSE(std::filesystem::exists(RootFile(crew_addon::kTransferFile)));
}

// Two ships whose names share more than a name field holds behind "UMmuT": the member arrives at
// the ship it was sent to, though the other scans first.
TEST_F(CrewSpawnTest, ATransferArrivesOnlyAtTheShipOfItsWholeName) {
    const std::string shared = "Interplanetary_cargo_hauler_Mark_7_";
    const auto meantCrew = Crew(Ship(shared + "Alpha"));
    const auto otherCrew = Crew(Ship(shared + "Beta"));
    sim.Dock("Ship", 0, shared + "Alpha", 0);
    ASSERT_EQ(crew->EvaMember("Jane Roe"), CrewManager::EvaResult::kTransferred);

    ASSERT_EQ(FramesUntilArrival(*otherCrew), CrewManager::ArrivalResult::kNone);
    EXPECT_EQ(FramesUntilArrival(*meantCrew), CrewManager::ArrivalResult::kTransferredIn);
    ASSERT_EQ(meantCrew->GetCrewCount(), 1);
    EXPECT_STREQ(meantCrew->GetMemberName(0), "Jane Roe");
    EXPECT_EQ(otherCrew->GetCrewCount(), 0);
}

TEST_F(CrewSpawnTest, EjectGoesToFreeSpaceWhateverTheAirlockAndDocking) {
    const auto receiverCrew = DockedReceiver();
    ASSERT_EQ(crew->SetAirlockState(0), CrewManager::Result::kDone);
    ASSERT_EQ(crew->SetEjectPlacement({1, 2, 3}, {0, 0, 0}, {0, 2, 0}), CrewManager::Result::kDone);
    ASSERT_EQ(crew->EjectMember("Jane Roe"), CrewManager::EvaResult::kDone);
    const auto record = test_support::ReadRecord(test_support::SpawnFile(sim)).value();
    EXPECT_EQ(record.ejectFlag, 1);
    ExpectNear(StatusOf("UMmu_Jane_Roe").rpos,
               {kShipPosition.x + 1, kShipPosition.y + 2, kShipPosition.z + 3}, "eject position");
    ExpectNear(StatusOf("UMmu_Jane_Roe").rvel,
               {kShipVelocity.x, kShipVelocity.y + 2, kShipVelocity.z}, "eject velocity");
    EXPECT_FALSE(LinkOf(*crew).Ejecting());
    EXPECT_FALSE(LinkOf(*crew).IgnoresDocking());
    EXPECT_EQ(receiverCrew->GetCrewCount(), 0);
    EXPECT_EQ(crew->EjectMember("Jane Roe"), CrewManager::EvaResult::kNoSuchMember);
}

}  // namespace
}  // namespace crew::test
