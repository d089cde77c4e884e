// A crew member leaving a landed ship where the place beside the airlock lies under the ground
// is made on the ground straight below it, standing; above the ground, or from a ship in flight,
// the place is kept.
#include <cmath>

#include "CrewFixture.h"
#include "crew/GroundPlacement.h"

namespace crew::test {
namespace {

constexpr double kMoonRadius = 1.738e6;
// The member leaves at the ship's centre, so that only the ship's height decides.
constexpr VECTOR3 kAtTheCentre{0, 0, 0};

double Length(const VECTOR3& v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }

TEST_F(CrewTest, ACrewMemberLeavingALandedShipStepsOntoTheGround) {
    struct Case {
        const char* what;
        bool landed;
        double altitude;  // of the ship's centre (landed) or above the mean radius (in flight)
        bool raised;      // made on the ground below it
    };
    const Case cases[] = {
        {"a ship sunk 30 m in", true, -30.0, true},
        {"just under the standing height", true, 0.5, true},
        {"above the ground", true, 5.0, false},
        {"in flight, inside the body", false, -30.0, false},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        VESSELSTATUS status{};
        char moon[] = "Moon";
        status.rbody = oapiGetObjectByName(moon);
        if (c.landed) {
            status.status = 1;
            status.vrot.x = c.altitude;  // the ship's class has no module: it keeps this
            status.vdata[0] = {0.3, 0.6, 1.0};
        } else {
            status.rpos = {0, 0, kMoonRadius + c.altitude};
            status.rvel = {1600, 0, 0};
        }
        const std::string name = "Ship" + std::to_string(++n);
        const OBJHANDLE ship = sim.CreateVessel(name, kShipClass, &status);
        auto crew = Crew(ship);
        crew->AddMember("Jo Ann", 30, 60, 70, "Sci");
        ASSERT_EQ(crew->SetEvaPlacement(kAtTheCentre, {0, 0, 0}), CrewManager::Result::kDone);
        VECTOR3 beside{};
        Interface(ship).Local2Rel(kAtTheCentre, beside);
        ASSERT_EQ(crew->EvaMember("Jo Ann"), CrewManager::EvaResult::kDone);

        const auto made = sim.CreationStatus("UMmu_Sci-Jo_Ann");
        ASSERT_TRUE(made.has_value());
        const VECTOR3& at = made->rpos;
        if (c.raised) {
            EXPECT_NEAR(Length(at), kMoonRadius + kStandingHeight, 1e-6) << "on the ground";
            for (int i = 0; i < 3; ++i) {
                EXPECT_NEAR(at.data[i] / Length(at), beside.data[i] / Length(beside), 1e-12)
                    << "straight below the place beside the airlock, axis " << i;
            }
        } else {
            for (int i = 0; i < 3; ++i) EXPECT_NEAR(at.data[i], beside.data[i], 1e-6) << i;
        }
        for (const std::string& vessel : sim.VesselNames()) {
            sim.DeleteVessel(sim.FindVessel(vessel));
        }
    }
}

}  // namespace
}  // namespace crew::test
