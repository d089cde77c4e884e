#include "testing/Fleet.h"

#include "host/CrewAddon.h"
#include "testing/ShipModule.h"

namespace test_support {
namespace {

constexpr double kSpacing = 10000.0;     // metres between neighbouring vessels
constexpr double kCrewDistance = 5.0e6;  // crew vessels stand far from every ship
constexpr double kOrbitRadius = 6.778e6;
constexpr double kEpochMjd = 51544.5;

VESSELSTATUS AtRest(double x, double y) {
    VESSELSTATUS status{};
    status.rpos = {kOrbitRadius + x, y, 0.0};
    status.fuel = 1.0;
    return status;
}

}  // namespace

void AddVesselsAtRest(sim::Simulator& simulator, const std::string& className,
                      const std::string& prefix, int count) {
    for (int i = 0; i < count; ++i) {
        const VESSELSTATUS status = AtRest(kSpacing * i, 0.0);
        simulator.CreateVessel(prefix + std::to_string(i), className, &status);
    }
}

void AddFarCrewVessels(sim::Simulator& simulator, int count) {
    for (int i = 0; i < count; ++i) {
        const VESSELSTATUS status = AtRest(kSpacing * i, kCrewDistance);
        const std::string name = "UMmu_Crew-Walker_" + std::to_string(i);
        simulator.CreateVessel(name, crew_addon::kCrewClassName, &status);
        simulator.GiveMemberAttachment(name);
    }
}

void AddCrewVesselsBeside(sim::Simulator& simulator, const std::string& ship, int count) {
    for (int i = 0; i < count; ++i) {
        const std::string name = "UMmu_Crew-Beside_" + std::to_string(i);
        simulator.CreateVessel(name, crew_addon::kCrewClassName);
        simulator.Place(name, ship, {i % 10 - 4.5, (i / 10) % 10 - 4.5, (i / 100) % 10 - 4.5});
        simulator.GiveMemberAttachment(name);
    }
}

void OpenAirlocks(sim::Simulator& simulator, const std::string& prefix, int count) {
    for (int i = 0; i < count; ++i) simulator.PressKey(prefix + std::to_string(i), "A");
}

ScenarioBuilder CrewedScenario(int ships, int crewLines) {
    ScenarioBuilder scenario;
    scenario.Environment(kEpochMjd).Focus("Ship0");
    for (int i = 0; i < ships; ++i) {
        Block lines{
            "STATUS Orbiting Earth", "RPOS " + std::to_string(kOrbitRadius + kSpacing * i) + " 0 0",
            "RVEL 0 7668.5 0",       "AROT 0 0 0",
            "PRPLEVEL 0:1",          "XPDR 466"};
        for (int c = 0; c < crewLines; ++c) {
            lines.push_back("UMMUCREW Crew-Member_" + std::to_string(c) + "-" +
                            std::to_string(20 + c % 40) + "-70-75");
        }
        scenario.Vessel("Ship" + std::to_string(i), kShipClass, lines);
    }
    return scenario;
}

}  // namespace test_support
