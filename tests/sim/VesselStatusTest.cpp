// A vessel created from a VESSELSTATUS gets its state from the host, as in the simulator: fuel
// and thruster levels only when flag[0] asks for them, a landed status in its landed encoding,
// and never through the module's clbkSetStateEx. GetStatus gives a landed vessel the same
// encoding back.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "host/HostApi.h"
#include "sim/host-side/HostStop.h"
#include "sim/text/TextParsing.h"
#include "sim/world/SurfaceBodies.h"
#include "tests/sim/SimulatorFixture.h"

namespace {

using VesselStatus = SimulatorTest;

bool HasLine(const nlohmann::json& state, const std::string& line) {
    return std::find(state.begin(), state.end(), line) != state.end();
}

TEST_F(VesselStatus, FuelAndThrusterLevelsOnlyWhenTheFlagsAskForThem) {
    struct Case {
        const char* name;
        DWORD flags;
        double engMain;
        double fuelAfter;
        double mainAfter;  // main minus retro, as GetStatus gives it
        double hoverAfter;
    };
    const Case cases[] = {
        {"TankerNone", 0, 0.5, 1.0, 0.0, 0.0},    {"TankerFuel", 2, 0.5, 0.25, 0.0, 0.0},
        {"TankerThrust", 1, 0.5, 1.0, 0.5, 0.7},  {"TankerBoth", 3, 0.5, 0.25, 0.5, 0.7},
        {"TankerRetro", 1, -0.4, 1.0, -0.4, 0.7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        VESSELSTATUS status{};
        status.rpos = {1, 2, 3};
        status.fuel = 0.25;
        status.eng_main = c.engMain;
        status.eng_hovr = 0.7;
        status.flag[0] = c.flags;
        OBJHANDLE vessel = oapiCreateVessel(c.name, "Probe", status);
        ASSERT_NE(vessel, nullptr);
        VESSELSTATUS back{};
        oapiGetVesselInterface(vessel)->GetStatus(back);
        EXPECT_DOUBLE_EQ(back.fuel, c.fuelAfter);
        EXPECT_DOUBLE_EQ(back.eng_main, c.mainAfter);
        EXPECT_DOUBLE_EQ(back.eng_hovr, c.hoverAfter);
        EXPECT_EQ(sim.Describe(c.name)["pos"], nlohmann::json::array({1.0, 2.0, 3.0}));
        EXPECT_FALSE(HasLine(sim.Describe(c.name)["state"], "SETSTATE 1"))
            << "the module's clbkSetStateEx is not called";
    }
}

TEST_F(VesselStatus, FreeFlightAndLandedEncodings) {
    VESSELSTATUS flying{};
    flying.rvel = {0, 7000, 0};
    flying.vrot = {0.1, 0.2, 0.3};
    flying.arot = {0.4, 0.5, 0.6};
    ASSERT_NE(oapiCreateVessel("Flyer", "Probe", flying), nullptr);
    const auto flyer = sim.Describe("Flyer");
    EXPECT_EQ(flyer["angvel"], nlohmann::json::array({0.1, 0.2, 0.3}));
    EXPECT_TRUE(HasLine(flyer["state"], "STATUS Orbiting Earth"));

    // Landed: vrot.x is the altitude, arot the orientation on the surface, vdata[0] longitude,
    // latitude and heading; the vessel does not turn. It rests on its touchdown points (the
    // host's defaults, 2 m under the 1000 kg probe's centre), whatever altitude it was given.
    const auto restingOn = [](const char* body) {
        return 2.0 - 1000.0 * sim::SurfaceGravity(*sim::FindSurfaceBody(body)) / 3e6;
    };
    char moon[] = "moon";
    VESSELSTATUS landed{};
    landed.status = 1;
    landed.rbody = oapiGetObjectByName(moon);
    landed.vrot = {3.5, 0.2, 0.3};
    landed.arot = {0.4, 0.5, 0.6};
    landed.vdata[0] = {0.5, -0.25, 1.0};
    ASSERT_NE(landed.rbody, nullptr);
    OBJHANDLE lander = oapiCreateVessel("Lander", "Probe", landed);
    ASSERT_NE(lander, nullptr);
    const auto described = sim.Describe("Lander");
    EXPECT_EQ(described["angvel"], nlohmann::json::array({0.0, 0.0, 0.0}));
    EXPECT_EQ(described["state"][0], "STATUS Landed Moon");
    EXPECT_TRUE(HasLine(described["state"], "ALT " + sim::text::FormatNumber(restingOn("Moon"))))
        << described["state"].dump();
    VESSELSTATUS back{};
    oapiGetVesselInterface(lander)->GetStatus(back);
    EXPECT_EQ(back.status, 1);
    EXPECT_EQ(back.rbody, landed.rbody);
    EXPECT_DOUBLE_EQ(back.vrot.x, restingOn("Moon"));
    EXPECT_DOUBLE_EQ(back.vrot.y, 0.0);
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR((&back.arot.x)[i], (&landed.arot.x)[i], 1e-12) << i;
        EXPECT_NEAR((&back.vdata[0].x)[i], (&landed.vdata[0].x)[i], 1e-12) << i;
    }

    // A landed vessel read from a scenario rests on its points too, with an ALT line or without.
    LoadShips(
        "Rover:Probe\n STATUS Landed Earth\n POS -80.675 28.5\n HEADING 90\n ALT 1.25\nEND\n"
        "Crate:Probe\n STATUS Landed Earth\n POS 0 0\nEND\n");
    oapiGetVesselInterface(sim.FindVessel("Rover"))->GetStatus(back);
    EXPECT_EQ(back.status, 1);
    EXPECT_DOUBLE_EQ(back.vrot.x, restingOn("Earth"));
    EXPECT_NEAR(back.vdata[0].z, 3.141592653589793 / 2, 1e-12);
    oapiGetVesselInterface(sim.FindVessel("Crate"))->GetStatus(back);
    EXPECT_DOUBLE_EQ(back.vrot.x, restingOn("Earth"));
}

TEST_F(VesselStatus, BodiesAreFoundByNameButHaveNoInterface) {
    char earth[] = "EARTH";
    OBJHANDLE body = oapiGetObjectByName(earth);
    ASSERT_NE(body, nullptr);
    char name[8];
    oapiGetObjectName(body, name, sizeof name);
    EXPECT_STREQ(name, "Earth");
    EXPECT_THROW(oapiGetVesselInterface(body), sim::HostStop);
}

}  // namespace
