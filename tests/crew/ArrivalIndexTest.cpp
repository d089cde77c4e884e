// The arrival index: what a pass looks at besides the crew vessels near its ship. A crew vessel
// made after a pass of the same frame, one that moved since the last frame, an airlock box
// reaching far beyond the index's cubes and vessels beyond the solar system's scale are all still
// found.
#include "CrewFixture.h"

namespace crew::test {
namespace {

class ArrivalIndexTest : public CrewTest {
  protected:
    // A crew vessel with its "U-Mm" attachment, 500 km from the ship.
    void WalkingCrewVessel(const std::string& name) {
        VESSELSTATUS status{};
        status.rpos = {5000, 0, 0};
        ASSERT_NE(sim.CreateVessel(name, "UMmu", &status), nullptr);
        sim.Walk(name, "Ship");
        sim.Place(name, "Ship", {0, 0, 5.0e5});
    }

    // One pass now, without a frame.
    CrewManager::ArrivalResult PassNow(CrewManager& manager) {
        return ScanUntilPass(LinkOf(manager), [&manager] { return manager.ProcessArrivals(); });
    }
};

TEST_F(ArrivalIndexTest, ACrewVesselMadeAfterAPassOfTheSameFrameIsSeenByTheNext) {
    const OBJHANDLE ship = Ship("Ship");
    auto crew = Crew(ship);
    sim.Frame();
    EXPECT_EQ(PassNow(*crew), CrewManager::ArrivalResult::kNone);
    WalkingCrewVessel("UMmu_Ab-Jo");
    sim.Place("UMmu_Ab-Jo", "Ship", {1, 2, 3});
    EXPECT_EQ(PassNow(*crew), CrewManager::ArrivalResult::kWalkedIn) << "no frame in between";
    EXPECT_STREQ(crew->GetMemberName(0), "Jo");
}

TEST_F(ArrivalIndexTest, ACrewVesselIsLookedForWhereItIsNow) {
    const OBJHANDLE ship = Ship("Ship");
    auto crew = Crew(ship);
    WalkingCrewVessel("UMmu_Ab-Jo");
    WalkingCrewVessel("UMmu_Cd-Al");
    sim.Frame();
    EXPECT_EQ(PassNow(*crew), CrewManager::ArrivalResult::kNone);
    // From far out to just outside the airlock's box: another cube of space.
    sim.Place("UMmu_Ab-Jo", "Ship", {40, 0, 0});
    sim.Frame();
    EXPECT_EQ(PassNow(*crew), CrewManager::ArrivalResult::kNone);
    // A few metres on, into the box, while the other stands still.
    sim.Place("UMmu_Ab-Jo", "Ship", {1, 2, 3});
    sim.Frame();
    EXPECT_EQ(PassNow(*crew), CrewManager::ArrivalResult::kWalkedIn);
    EXPECT_STREQ(crew->GetMemberName(0), "Jo");
}

TEST_F(ArrivalIndexTest, BoxesReachingFarAndVesselsFarOut) {
    struct Case {
        const char* what;
        VECTOR3 shipPosition;
        Box box;
        VECTOR3 crewOffset;  // in the ship's frame
    };
    const Case cases[] = {
        {"box around the ship", {7.0e6, 0, 0}, kCube, {14, -14, 14}},
        {"box 100 km across", {7.0e6, 0, 0}, {-1e5, 1e5, -1e5, 1e5, -1e5, 1e5}, {9e4, 0, -9e4}},
        {"small box 9 km out", {7.0e6, 0, 0}, {8990, 9010, -10, 10, -10, 10}, {9000, 5, 0}},
        {"beyond the cubes", {3.0e16, -2.0e16, 0}, kCube, {3, 2, 1}},
        {"astride the cubes' limit", {1.0e15 - 2, 0, 0}, {-5, 5, -5, 5, -5, 5}, {4, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        VESSELSTATUS status{};
        status.rpos = c.shipPosition;
        const OBJHANDLE ship = sim.CreateVessel("Ship", kShipClass, &status);
        ASSERT_NE(ship, nullptr);
        auto crew = Crew(ship, 8, 1, c.box);
        // Crew vessels elsewhere, on the ship's cube and beyond, which no pass takes.
        WalkingCrewVessel("UMmu_Far-Away");
        WalkingCrewVessel("UMmu_Ab-Jo");
        sim.Place("UMmu_Ab-Jo", "Ship", c.crewOffset);
        sim.Frame();
        EXPECT_EQ(PassNow(*crew), CrewManager::ArrivalResult::kWalkedIn);
        EXPECT_STREQ(crew->GetMemberName(0), "Jo");
        sim.Frame();
        EXPECT_EQ(sim.FindVessel("UMmu_Ab-Jo"), nullptr);
        EXPECT_NE(sim.FindVessel("UMmu_Far-Away"), nullptr);
        for (const std::string& name : sim.VesselNames()) sim.DeleteVessel(sim.FindVessel(name));
    }
}

}  // namespace
}  // namespace crew::test
