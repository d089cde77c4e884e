// Planets with surfaces: a landed vessel stands at its longitude, latitude, heading and altitude on
// a sphere of the body's mean radius that turns with simulation time, and the host's state calls
// give its true position, the surface's velocity and its orientation; a vessel in free flight that
// goes below a surface is put on it.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "host/HostApi.h"
#include "sim/world/RigidBodyMotion.h"
#include "sim/world/SurfaceBodies.h"
#include "tests/sim/SimulatorFixture.h"

namespace {

using Surface = SimulatorTest;

constexpr double kDegree = std::numbers::pi / 180.0;

double Length(const VECTOR3& v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }

// The height at which the 1000 kg probe rests on the host's three default touchdown points (2 m
// under its centre, 1e6 N/m each) on the body.
double ProbeAltitude(const char* body) {
    return 2.0 - 1000.0 * sim::SurfaceGravity(*sim::FindSurfaceBody(body)) / 3e6;
}

TEST_F(Surface, LandedVesselsStandOnTheirTurningBody) {
    struct Case {
        const char* body;
        double radius;       // mean radius, m
        double siderealDay;  // s
    };
    const Case cases[] = {
        {"Earth", 6.37101e6, 86164.10132},
        {"Moon", 1.738e6, 2360588.15},
        {"Mars", 3.39e6, 88642.66435},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        const std::string name = std::string(c.body) + "Rover";
        LoadShips(name + ":Probe\n STATUS Landed " + c.body +
                  "\n POS 0 0\n HEADING 0\n ALT 2\nEND\n");
        const VESSEL* rover = Vessel(name);
        // The body has turned by this much since the stand-in's epoch (MJD 51544.5).
        const double turn = 2.0 * std::numbers::pi * sim.SimTime() / c.siderealDay;
        const double altitude = ProbeAltitude(c.body);
        const double r = c.radius + altitude;
        // At the equator: 2 pi r / siderealDay, m/s.
        const double surfaceSpeed = 2.0 * std::numbers::pi * r / c.siderealDay;

        VECTOR3 pos{}, vel{};
        rover->GetGlobalPos(pos);
        rover->GetGlobalVel(vel);
        EXPECT_NEAR(pos.x, r * std::cos(turn), 1e-6);
        EXPECT_NEAR(pos.y, 0.0, 1e-6);
        EXPECT_NEAR(pos.z, r * std::sin(turn), 1e-6);
        EXPECT_NEAR(Length(vel), surfaceSpeed, 1e-6);
        EXPECT_NEAR(vel.x * pos.x + vel.z * pos.z, 0.0, 1e-3) << "along the surface";

        // Facing north at longitude 0: x east, y up, z north (the global y axis).
        MATRIX3 rotation{};
        rover->GetRotationMatrix(rotation);
        EXPECT_NEAR(rotation.m12, std::cos(turn), 1e-12);
        EXPECT_NEAR(rotation.m23, 1.0, 1e-12);
        EXPECT_NEAR(rotation.m31, std::cos(turn), 1e-12);

        // The landed encoding: arot in the body's frame (90, 0, 90 degrees there), which does
        // not change as the body turns.
        VESSELSTATUS status{};
        rover->GetStatus(status);
        EXPECT_EQ(status.status, 1);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(status.rpos.data[i], pos.data[i]);
            EXPECT_EQ(status.rvel.data[i], vel.data[i]);
        }
        EXPECT_NEAR(status.vrot.x, altitude, 1e-12);
        EXPECT_NEAR(status.arot.x, 90 * kDegree, 1e-12);
        EXPECT_NEAR(status.arot.y, 0.0, 1e-12);
        EXPECT_NEAR(status.arot.z, 90 * kDegree, 1e-12);

        // Six hours on: it has gone round with the body, as high up, moving at the same speed.
        sim.SetStep(60.0);
        sim.Run(6 * 3600.0);
        sim.SetStep(0.02);
        const double later = 2.0 * std::numbers::pi * sim.SimTime() / c.siderealDay;
        rover->GetGlobalPos(pos);
        rover->GetGlobalVel(vel);
        EXPECT_NEAR(pos.x, r * std::cos(later), 1e-3);
        EXPECT_NEAR(pos.z, r * std::sin(later), 1e-3);
        EXPECT_NEAR(Length(vel), surfaceSpeed, 1e-6);
        VESSELSTATUS after{};
        rover->GetStatus(after);
        for (int i = 0; i < 3; ++i) EXPECT_NEAR(after.arot.data[i], status.arot.data[i], 1e-12);
        EXPECT_EQ(sim.StateLines(name)[0], std::string("STATUS Landed ") + c.body);
    }
}

// A landed vessel turned by SetRotationMatrix keeps that orientation against its surface as the
// body turns on: here turned to face east at longitude 0, latitude 0.
TEST_F(Surface, ALandedVesselKeepsItsTurnAgainstTheSurface) {
    LoadShips("Rover:Probe\n STATUS Landed Earth\n POS 0 0\n HEADING 0\nEND\n");
    // In the body's frame: x south (0, -1, 0), y up (1, 0, 0), z east (0, 0, 1).
    const MATRIX3 facingEast{0, 1, 0, -1, 0, 0, 0, 0, 1};
    const auto global = [&](double seconds) {
        const double a = 2.0 * std::numbers::pi * seconds / 86164.10132;
        const MATRIX3 turn{std::cos(a), 0, -std::sin(a), 0, 1, 0, std::sin(a), 0, std::cos(a)};
        MATRIX3 r{};
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 3; ++j) {
                for (int k = 0; k < 3; ++k) {
                    r.data[3 * i + j] += turn.data[3 * i + k] * facingEast.data[3 * k + j];
                }
            }
        }
        return r;
    };
    Vessel("Rover")->SetRotationMatrix(global(sim.SimTime()));
    sim.SetStep(60.0);
    sim.Run(3600.0);
    MATRIX3 now{};
    Vessel("Rover")->GetRotationMatrix(now);
    const MATRIX3 expected = global(sim.SimTime());
    for (int i = 0; i < 9; ++i) EXPECT_NEAR(now.data[i], expected.data[i], 1e-12) << i;
}

// Against another landed vessel the surface's turn alone remains: w x (difference of positions).
// B stands on stiff legs 100 m long, A on stiff pads at its centre: 100 m apart.
TEST_F(Surface, RelativePositionAndVelocityOfTwoLandedVessels) {
    LoadShips(
        "A:Probe\n GEAR 0 1e12\n STATUS Landed Earth\n POS 0 0\nEND\n"
        "B:Probe\n GEAR -100 1e12\n STATUS Landed Earth\n POS 0 0\nEND\n");
    VECTOR3 pos{}, vel{}, toBody{};
    Vessel("B")->GetRelativePos(sim.FindVessel("A"), pos);
    Vessel("B")->GetRelativeVel(sim.FindVessel("A"), vel);
    char earth[] = "Earth";
    Vessel("B")->GetRelativePos(oapiGetObjectByName(earth), toBody);
    EXPECT_NEAR(Length(pos), 100.0, 1e-6);
    EXPECT_NEAR(Length(vel), 100.0 * 2.0 * std::numbers::pi / 86164.10132, 1e-9);
    EXPECT_NEAR(Length(toBody), 6.37101e6 + 100.0, 1e-6);
}

// Simplified touchdown: a vessel in free flight that goes below the surface is put on it at that
// point, upright, resting on its touchdown points, and stays there. A vessel placed deep inside a
// body (as tests do at its centre, where the world does not move vessels out of bodies) never went
// below its surface and is left alone.
TEST_F(Surface, AVesselGoingBelowTheSurfaceTouchesDownAndStays) {
    LoadShips(
        "Faller:Probe\n STATUS Orbiting Earth\n RPOS 6371020 0 0\n RVEL -5 0 0\nEND\n"
        "Inside:Probe\n STATUS Orbiting Earth\n RPOS 1 2 3\n RVEL 0 0 1\nEND\n");
    sim.Run(1.0);
    EXPECT_EQ(sim.StateLines("Faller")[0], "STATUS Orbiting Earth");
    sim.Run(2.0);
    const auto lines = sim.StateLines("Faller");
    ASSERT_EQ(lines[0], "STATUS Landed Earth");
    ASSERT_EQ(lines[3].rfind("ALT ", 0), 0U);
    EXPECT_NEAR(std::stod(lines[3].substr(4)), ProbeAltitude("Earth"), 1e-9);
    VESSELSTATUS status{};
    Vessel("Faller")->GetStatus(status);
    EXPECT_NEAR(status.vdata[0].y, 0.0, 1e-9) << "latitude";
    // Where it went under, about 2 s on: the surface had turned east beneath it by w t.
    const double turnRate = 2.0 * std::numbers::pi / 86164.10132;
    EXPECT_NEAR(status.vdata[0].x, -2.01 * turnRate, 0.011 * turnRate) << "longitude";
    bool logged = false;
    for (const auto& line : sim.Transcript())
        logged = logged || line.rfind("touchdown Faller on Earth at POS", 0) == 0;
    EXPECT_TRUE(logged);

    sim.Run(10.0);
    VECTOR3 pos{};
    Vessel("Faller")->GetGlobalPos(pos);
    EXPECT_NEAR(Length(pos), 6.37101e6 + ProbeAltitude("Earth"), 1e-6)
        << "on the surface, not through it";
    const auto later = sim.StateLines("Faller");
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(later[i], lines[i]) << "the same place";
    EXPECT_EQ(sim.StateLines("Inside")[0], "STATUS Orbiting Earth");
}

// A frame of 2000 s, as at high time acceleration: a vessel 7000 km from the Earth's centre
// falling straight in at 7.7 km/s would end the frame 8400 km out on the far side. It stands where
// its path met the surface.
TEST_F(Surface, ALongFrameDoesNotCarryAVesselThroughThePlanet) {
    LoadShips("Faller:Probe\n STATUS Orbiting Earth\n RPOS 7000000 0 0\n RVEL -7700 0 0\nEND\n");
    sim.SetStep(2000.0);
    sim.Frame();
    EXPECT_EQ(sim.StateLines("Faller")[0], "STATUS Landed Earth");
    VECTOR3 pos{};
    Vessel("Faller")->GetGlobalPos(pos);
    EXPECT_NEAR(pos.x, 6.37101e6 + ProbeAltitude("Earth"), 1e-3)
        << "on the near side, where it went in";
    EXPECT_NEAR(pos.y, 0.0, 1e-3);
    EXPECT_NEAR(pos.z, 0.0, 1e-3);
}

}  // namespace
