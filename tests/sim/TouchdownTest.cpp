// The ground as the simulator has it: its bodies' radii, masses and surface gravity; a landed
// vessel resting on the springs of its touchdown points (the host's three defaults when it sets
// none) with its weight; a vessel put in free flight inside a body moved out of it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <span>
#include <string>

#include "sim/world/SurfaceBodies.h"
#include "sim/world/TouchdownPoints.h"
#include "testing/RootFiles.h"
#include "tests/sim/SimulatorFixture.h"

namespace {

using Touchdown = SimulatorTest;

// The altitude in the vessel's saved ALT line.
double SavedAltitude(const sim::Simulator& simulator, const std::string& vessel) {
    for (const std::string& line : simulator.StateLines(vessel)) {
        if (line.rfind("ALT ", 0) == 0) return std::stod(line.substr(4));
    }
    ADD_FAILURE() << vessel << " saves no ALT line";
    return 0.0;
}

void ExpectAt(const sim::Simulator& simulator, const std::string& vessel, const VECTOR3& want) {
    const auto pos = simulator.Describe(vessel)["pos"];
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(pos[i].get<double>(), want.data[i], 1e-6) << vessel << " axis " << i;
    }
}

TEST(TouchdownBodies, RadiusMassAndGravityAreTheSimulators) {
    struct Case {
        const char* name;
        double radius;       // m
        double siderealDay;  // s
        double gravity;      // m/s^2, G M / R^2
    };
    const Case cases[] = {
        {"Earth", 6.37101e6, 86164.10132, 9.8202},  {"Moon", 1.738e6, 2360588.15, 1.6231},
        {"Mars", 3.39e6, 88642.66435, 3.7268},      {"Mercury", 2.4394e6, 5067034.512, 3.7025},
        {"Venus", 6.05184e6, -20996797.02, 8.8700},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const sim::SurfaceBody* body = sim::FindSurfaceBody(c.name);
        ASSERT_NE(body, nullptr);
        EXPECT_EQ(body->meanRadius, c.radius);
        EXPECT_EQ(body->siderealDay, c.siderealDay);
        EXPECT_NEAR(sim::SurfaceGravity(*body), c.gravity, 1e-4);
    }
}

TEST(TouchdownSprings, RestAltitudeCarriesTheWeight) {
    const TOUCHDOWNVTX uneven[] = {{{0, -3, 5}, 1e6, 1e5, 0.5, 0.1},
                                   {{-4, -2, -5}, 1e6, 1e5, 0.5, 0.1},
                                   {{4, -2, -5}, 1e6, 1e5, 0.5, 0.1}};
    const TOUCHDOWNVTX soft[] = {{{0, -2, 5}, 0, 0, 0.5, 0.1},
                                 {{-4, -2, -5}, 0, 0, 0.5, 0.1},
                                 {{4, -2, -5}, 0, 0, 0.5, 0.1}};
    struct Case {
        const char* what;
        std::span<const TOUCHDOWNVTX> points;
        double weight;  // N
        double altitude;
    };
    const Case cases[] = {
        {"defaults, weightless", sim::kDefaultTouchdownPoints, 0.0, 2.0},
        {"defaults, 3e6 N: each spring 1 m in", sim::kDefaultTouchdownPoints, 3e6, 1.0},
        {"the lowest point alone carries 5e5 N", uneven, 5e5, 2.5},
        {"2.5e6 N brings the others down too", uneven, 2.5e6, 1.5},
        {"springs without stiffness: the lowest point on the ground", soft, 1e6, 2.0},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(sim::RestAltitude(c.points, c.weight), c.altitude, 1e-9) << c.what;
    }
}

// Today's ship sets no touchdown points: the simulator carries its full 134 478 800 kg on its
// three default springs, and saved ALT -70.757 on the Moon. So does the stand-in now.
TEST_F(Touchdown, AVesselWithoutPointsSinksOnTheDefaultsAsInTheSimulator) {
    struct Case {
        const char* body;
        const char* lines;  // after STATUS
        double altitude;
    };
    const Case cases[] = {
        {"Moon", "  MASS 134478800\n", -70.76},
        {"Earth", "  MASS 134478800\n", -438.2},
        {"Earth", "", 2.0 - 1000.0 * 9.8202 / 3e6},
        // Gear of its own, three springs of 1e9 N/m at 3 m: 7 cm in on the Moon.
        {"Moon", "  MASS 134478800\n  GEAR -3 1e9\n", 2.9272},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string name = "Lander" + std::to_string(++n);
        SCOPED_TRACE(name);
        LoadShips(name + ":Probe\n  STATUS Landed " + c.body + "\n" + c.lines +
                  "  POS -20.5 35.8\n  HEADING 90\n  ALT 2\nEND\n");
        EXPECT_NEAR(SavedAltitude(sim, name), c.altitude, 0.01);
        sim.Run(3.0);
        EXPECT_NEAR(SavedAltitude(sim, name), c.altitude, 0.01) << "and stays there";
        VECTOR3 pos{};
        Vessel(name)->GetRelativePos(oapiGetObjectByName(const_cast<char*>(c.body)), pos);
        const double radius = sim::FindSurfaceBody(c.body)->meanRadius;
        EXPECT_NEAR(std::sqrt(pos.x * pos.x + pos.y * pos.y + pos.z * pos.z), radius + c.altitude,
                    0.01);
    }
}

TEST(TouchdownFreeFlight, AVesselPutInsideItsBodyIsMovedOutAsTheSimulatorMovesIt) {
    sim::SimulatorOptions options;
    options.moveOutOfBodies = true;
    sim::Simulator simulator(options);
    simulator.RegisterModule("Probe", QM_PROBE_MODULE);
    test_support::WriteRootFile(simulator, "inside.scn",
                                "BEGIN_SHIPS\n"
                                "Deep:Probe\n  STATUS Orbiting Moon\n  RPOS 1000 -1737000 0\nEND\n"
                                "Above:Probe\n  STATUS Orbiting Moon\n  RPOS 0 1738001 0\nEND\n"
                                "END_SHIPS\n");
    simulator.LoadScenario(simulator.Root() / "inside.scn");
    ExpectAt(simulator, "Deep", {0.0, 0.0, 1911800.0});
    EXPECT_EQ(simulator.StateLines("Deep")[0], "STATUS Orbiting Moon");
    ExpectAt(simulator, "Above", {0.0, 1738001.0, 0.0});

    // A state a module hands over (oapiCreateVessel) is checked the same way.
    VESSELSTATUS status{};
    status.rbody = oapiGetObjectByName(const_cast<char*>("Earth"));
    status.rpos = {6.37e6, 0.0, 0.0};
    simulator.CreateVessel("Buried", "Probe", &status);
    ExpectAt(simulator, "Buried", {0.0, 0.0, 7008111.0});
    const auto& lines = simulator.Transcript();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "moved Deep from inside Moon to 0 0 1911800"),
              lines.end());
    EXPECT_NE(
        std::find(lines.begin(), lines.end(), "moved Buried from inside Earth to 0 0 7008111"),
        lines.end());
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& line) { return line.rfind("moved ", 0) == 0; }),
              2);
}

}  // namespace
