// Crew coming aboard: crew vessels walking into the open airlock, transfer vessels addressed to
// the ship, the scan's cadence, and a full ship that leaves arrivals waiting outside.
#include <filesystem>
#include <utility>

#include "CrewFixture.h"
#include "crew/SpawnRecord.h"
#include "crew/TransferVessel.h"
#include "testing/CrewVessels.h"
#include "testing/HandOverFiles.h"

namespace crew::test {
namespace {

class CrewArrivalsTest : public CrewShipTest {
  protected:
    // A crew vessel of the add-on's class, far from the ship, carrying the member's numbers.
    OBJHANDLE CrewVessel(const std::string& name, int age = 54, int pulse = 65, int weight = 82) {
        VESSELSTATUS status{};
        status.rpos = {5000, 0, 0};
        const OBJHANDLE vessel =
            test_support::CreateCrewVessel(sim, name, age, pulse, weight, &status);
        EXPECT_NE(vessel, nullptr) << name;
        return vessel;
    }
};

TEST_F(CrewArrivalsTest, ACrewVesselWalkingInComesAboard) {
    struct Case {
        const char* vessel;
        const char* name;
        const char* idCode;
    };
    const Case cases[] = {
        {"UMmu_Capt-Corwin_Haddel", "Corwin Haddel", "Capt"},
        {"UMmu_Corwin_Haddel", "Corwin Haddel", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.vessel);
        crew->RemoveMember("Corwin Haddel");
        CrewVessel(c.vessel, 54, 65, 82);
        sim.Walk(c.vessel, "Ship");
        ASSERT_EQ(FramesUntilArrival(*crew), CrewManager::ArrivalResult::kWalkedIn);
        EXPECT_NE(sim.FindVessel(c.vessel), nullptr) << "deleted vessels stay to the frame's end";
        sim.Frame();
        EXPECT_EQ(sim.FindVessel(c.vessel), nullptr) << "the crew vessel is gone";
        EXPECT_EQ(sim.Focus(), ship);
        ASSERT_EQ(crew->GetCrewCount(), 1);
        EXPECT_STREQ(crew->GetMemberName(0), c.name);
        EXPECT_STREQ(crew->GetIdCode(0), c.idCode);
        EXPECT_EQ(crew->GetAge(0), 54);
        EXPECT_EQ(crew->GetPulse(0), 65);
        EXPECT_EQ(crew->GetWeight(0), 82);
        EXPECT_STREQ(crew->GetLastArrivalName(), c.name);
        EXPECT_EQ(oapiGetEmptyMass(ship), kShipMass + 82);
        EXPECT_EQ(PublishedFreeSeats(ship), 7);
    }
}

TEST_F(CrewArrivalsTest, OnlyACrewVesselStrictlyInsideTheBoxIsTaken) {
    CrewVessel("UMmu_Ab-Jo", 30, 60, 70);
    sim.Place("UMmu_Ab-Jo", "Ship", {0, 0, 0});
    EXPECT_EQ(FramesUntilArrival(*crew), CrewManager::ArrivalResult::kNone)
        << "no U-Mm attachment yet";

    sim.Walk("UMmu_Ab-Jo", "Ship");
    for (const VECTOR3 face : {VECTOR3{15, 0, 0}, VECTOR3{0, -15, 0}, VECTOR3{0, 0, 15}}) {
        sim.Place("UMmu_Ab-Jo", "Ship", face);
        EXPECT_EQ(FramesUntilArrival(*crew), CrewManager::ArrivalResult::kNone) << "on a face";
    }
    EXPECT_EQ(LinkOf(*crew).GetArrivalAge(), 30) << "read also when outside";
    EXPECT_STREQ(LinkOf(*crew).ArrivalVesselName(), "UMmu Ab-Jo");

    ASSERT_EQ(crew->SetAirlockState(0), CrewManager::Result::kDone);
    sim.Place("UMmu_Ab-Jo", "Ship", {14.9, 0, 0});
    EXPECT_EQ(FramesUntilArrival(*crew), CrewManager::ArrivalResult::kNone) << "airlock closed";
    ASSERT_EQ(crew->SetAirlockState(1), CrewManager::Result::kDone);
    EXPECT_EQ(FramesUntilArrival(*crew), CrewManager::ArrivalResult::kWalkedIn);
    EXPECT_STREQ(crew->GetMemberName(0), "Jo");
}

// A pass leaves in the arrival fields the last crew vessel that reached the attachment check,
// whatever comes after it: a crew vessel without "U-Mm", or a transfer for another ship.
TEST_F(CrewArrivalsTest, APassLeavesTheLastCheckedCrewVesselInTheArrivalFields) {
    for (const auto& [name, age] : {std::pair{"UMmu_Ab-Jo", 30}, std::pair{"UMmu_Cd-Li", 40}}) {
        CrewVessel(name, age, 61, 71);
        sim.Walk(name, "Ship");
        sim.Place(name, "Ship", {100, 0, 0});
    }
    CrewVessel("UMmu_Ef-Mo", 50);  // no "U-Mm": not checked
    AirlockLink& link = LinkOf(*crew);
    EXPECT_EQ(FramesUntilArrival(*crew), CrewManager::ArrivalResult::kNone);
    EXPECT_STREQ(link.ArrivalVesselName(), "UMmu Cd-Li");
    EXPECT_EQ(link.GetArrivalAge(), 40);
    EXPECT_EQ(link.GetArrivalPulse(), 61);
    EXPECT_EQ(link.GetArrivalWeight(), 71);

    const OBJHANDLE foreign = CrewVessel("UMmuTOther");
    Interface(foreign).CreateAttachment(true, VECTOR3{1, 2, 3}, VECTOR3{}, VECTOR3{}, "U-Mm");
    sim.DeleteVessel(sim.FindVessel("UMmu_Cd-Li"));
    link.SetArrival(std::string(39, 'x').c_str(), 0, 0, 0);
    EXPECT_EQ(FramesUntilArrival(*crew), CrewManager::ArrivalResult::kNone);
    EXPECT_STREQ(link.ArrivalVesselName(), "UMmu Ab-Jo") << "written before the pass ends";
    EXPECT_EQ(link.GetArrivalAge(), 30);
}

TEST_F(CrewArrivalsTest, ScanRunsAtTheFirstStepBeyondAQuarterSecond) {
    struct Case {
        double step;
        std::vector<int> passFrames;  // frames 1 to 9 after which a pass ran
    };
    const Case cases[] = {{0.1, {3, 6, 9}}, {0.125, {3, 6, 9}}, {0.3, {1, 2, 3, 4, 5, 6, 7, 8, 9}}};
    AirlockLink& link = LinkOf(*crew);
    const auto scan = [&link] { return link.ScanForArrivals(); };
    for (int door : {1, 0}) {
        ASSERT_EQ(link.SetAirlockState(door),
                  AirlockLink::Result::kDone);  // closed, the timer restarts all the same
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "step " << c.step << " door " << door);
            sim.SetStep(c.step);
            sim.Frame();
            ScanUntilPass(link, scan);  // the timer starts from zero
            std::vector<int> passes;
            for (int frame = 1; frame <= 9; ++frame) {
                sim.Frame();
                EXPECT_EQ(scan(), AirlockLink::ScanResult::kNothing);
                if (link.ScanTimer() == 0.0) passes.push_back(frame);
            }
            EXPECT_EQ(passes, c.passFrames);
        }
    }
}

// A transfer vessel waiting for another ship (its airlock closed, say) holds up no one: the pass
// goes on to the vessels after it. Once that ship is gone, the member goes back into free space
// as a crew vessel, which can walk in like any other.
TEST_F(CrewArrivalsTest, ATransferForAnotherShipIsPassedOverAndReturnsWhenItsShipIsGone) {
    const OBJHANDLE other = Ship("Other");
    const OBJHANDLE foreign = CrewVessel("UMmuTOther");
    const crew::MemberVectors member = crew::EncodeMember("Sci-Max Poe");
    Interface(foreign).CreateAttachment(true, VECTOR3{44, 66, 77}, member.direction,
                                        member.rotation, "U-Mm");
    sim.Place("UMmuTOther", "Ship", {0, 0, 0});
    CrewVessel("UMmu_Ab-Jo", 30, 60, 70);
    sim.Walk("UMmu_Ab-Jo", "Ship");

    EXPECT_EQ(FramesUntilArrival(*crew), CrewManager::ArrivalResult::kWalkedIn)
        << "the walker comes later in the index order";
    EXPECT_STREQ(crew->GetMemberName(0), "Jo");
    EXPECT_NE(sim.FindVessel("UMmuTOther"), nullptr) << "left for its own ship";

    sim.DeleteVessel(other);
    EXPECT_EQ(FramesUntilArrival(*crew), CrewManager::ArrivalResult::kNone);
    EXPECT_EQ(sim.FindVessel("UMmuTOther"), nullptr);
    ASSERT_NE(sim.FindVessel("UMmu_Sci-Max_Poe"), nullptr);
    sim.Walk("UMmu_Sci-Max_Poe", "Ship");
    EXPECT_EQ(FramesUntilArrival(*crew), CrewManager::ArrivalResult::kWalkedIn);
    EXPECT_STREQ(crew->GetMemberName(1), "Max Poe");
    EXPECT_STREQ(crew->GetIdCode(1), "Sci");
    EXPECT_EQ(crew->GetAge(1), 44);
    EXPECT_EQ(crew->GetWeight(1), 77);
}

TEST_F(CrewArrivalsTest, AFullShipLeavesArrivalsWaitingOutside) {
    ASSERT_EQ(crew->SetSeatCount(1), CrewManager::Result::kDone);
    ASSERT_EQ(crew->AddMember("Al", 30, 60, 70, ""), CrewManager::Result::kDone);
    // Re-placing the airlock publishes the whole seat count although the roster is full.
    ASSERT_EQ(crew->DefineAirlock(1, -15, 15, -15, 15, -15, 15), CrewManager::Result::kDone);
    ASSERT_EQ(PublishedFreeSeats(ship), 1);

    // A walker and a transfer vessel addressed to this ship, with its file.
    CrewVessel("UMmu_Ab-Jo", 30, 60, 70);
    sim.Walk("UMmu_Ab-Jo", "Ship");
    test_support::WriteRecord(test_support::TransferFile(sim),
                              test_support::MakeRecord("UMmu_Sci-Max Poe", 44, 66, 77));
    const OBJHANDLE transfer = CrewVessel("UMmuTShip");
    Interface(transfer).CreateAttachment(true, VECTOR3{44, 66, 77}, VECTOR3{}, VECTOR3{}, "U-Mm");
    sim.Place("UMmuTShip", "Ship", {1, 1, 1});

    EXPECT_EQ(FramesUntilArrival(*crew), CrewManager::ArrivalResult::kNone);
    EXPECT_NE(sim.FindVessel("UMmu_Ab-Jo"), nullptr);
    EXPECT_NE(sim.FindVessel("UMmuTShip"), nullptr);
    EXPECT_TRUE(std::filesystem::exists(RootFile(crew_addon::kTransferFile)));
    EXPECT_EQ(crew->GetCrewCount(), 1);
    EXPECT_STREQ(crew->GetLastArrivalName(), "") << "nothing announced";

    // Seats free again: both come aboard, the walker first in the index order.
    ASSERT_EQ(crew->SetSeatCount(3), CrewManager::Result::kDone);
    EXPECT_EQ(FramesUntilArrival(*crew), CrewManager::ArrivalResult::kWalkedIn);
    EXPECT_EQ(FramesUntilArrival(*crew), CrewManager::ArrivalResult::kTransferredIn);
    EXPECT_STREQ(crew->GetMemberName(2), "Max Poe");
    EXPECT_STREQ(crew->GetIdCode(2), "Sci");
    EXPECT_EQ(crew->GetWeight(2), 77);
    EXPECT_FALSE(std::filesystem::exists(RootFile(crew_addon::kTransferFile)));
    sim.Frame();  // the vessels taken aboard leave the simulation at the end of a frame

    // The link alone goes by the seats it publishes.
    AirlockLink& link = LinkOf(*crew);
    ASSERT_EQ(link.SetFreeSeats(0), AirlockLink::Result::kDone);
    CrewVessel("UMmu_Cd-Lu");
    sim.Walk("UMmu_Cd-Lu", "Ship");
    const auto scan = [&link] { return link.ScanForArrivals(); };
    EXPECT_EQ(ScanUntilPass(link, scan), AirlockLink::ScanResult::kNothing);
    ASSERT_EQ(link.SetFreeSeats(1), AirlockLink::Result::kDone);
    EXPECT_EQ(ScanUntilPass(link, scan), AirlockLink::ScanResult::kWalkedIn);
    EXPECT_EQ(link.GetArrivalVessel(), sim.FindVessel("UMmu_Cd-Lu")) << "kept for the manager";
}

TEST_F(CrewArrivalsTest, TheScanCanDeleteTheArrivalItself) {
    AirlockLink& link = LinkOf(*crew);
    ASSERT_EQ(link.SetAutoDeleteArrival(1), AirlockLink::Result::kDone);
    CrewVessel("UMmu_Ab-Jo");
    sim.Walk("UMmu_Ab-Jo", "Ship");
    EXPECT_EQ(FramesUntilArrival(*crew), CrewManager::ArrivalResult::kNone)
        << "the scan took it; the manager adds nobody";
    EXPECT_EQ(sim.FindVessel("UMmu_Ab-Jo"), nullptr);
    EXPECT_EQ(crew->GetCrewCount(), 0);
}

}  // namespace
}  // namespace crew::test
