// What the arrival scans cost the host, held to a budget by counts: host calls are exact, so a
// change that asks the host more per vessel fails here, naming the call that grew, whatever the
// machine's speed. In a frame in which any ship scans, the module may ask at most one call per
// vessel of the simulation (its handle) and one more per crew vessel (its position), beside what
// the ships' own work needs. The scene is the benchmark's crowded one made smaller: ships with open
// airlocks, resting, among crew vessels far from every airlock; it scales the same way. Crew
// vessels clustered beside a ship, outside its airlock box, cost no more.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "sim/session/Simulator.h"
#include "testing/Fleet.h"
#include "testing/ShipModule.h"

namespace robustness {
namespace {

constexpr int kShips = 100;
constexpr int kCrewVessels = 1000;
// Two scan cycles (a ship scans every 13 frames) to settle, then four measured.
constexpr int kWarmUpFrames = 26;
constexpr int kMeasuredFrames = 52;
// What a kind of call may grow by, per crew vessel and scanning frame, beyond its budget: the
// index asks about the last few vessels of the list anew in every frame, and reads each crew
// vessel's name once in every sweep of the list (0.75 s, 39 frames here).
constexpr double kSlack = 0.05;
// A ship's own calls in a frame with its airlock open (rotation rate, scan timer, its share of
// the passes, HUD and debug line): 2.24 measured, besides being listed once.
constexpr double kShipOwnCalls = 2.5;

struct SceneCost {
    std::map<std::string, double> calls;  // by kind, in the measured frames
    int scanningFrames = 0;               // frames in which the arrival index was read
};

enum class Crew { kFar, kBesideTheFirstShip };

SceneCost Measure(int crewVessels, Crew where = Crew::kFar) {
    sim::Simulator simulator;
    test_support::RegisterShipModule(simulator);
    test_support::AddVesselsAtRest(simulator, test_support::kShipClass, "Ship", kShips);
    if (where == Crew::kFar) {
        test_support::AddFarCrewVessels(simulator, crewVessels);
    } else {
        test_support::AddCrewVesselsBeside(simulator, "Ship0", crewVessels);
    }
    test_support::OpenAirlocks(simulator, "Ship", kShips);
    for (int i = 0; i < kWarmUpFrames; ++i) simulator.Frame();
    simulator.ResetHostCalls();
    SceneCost cost;
    for (int i = 0; i < kMeasuredFrames; ++i) {
        const auto listed = simulator.HostCalls().Of("oapiGetVesselByIndex");
        simulator.Frame();
        if (simulator.HostCalls().Of("oapiGetVesselByIndex") > listed) ++cost.scanningFrames;
    }
    for (const auto& kind : simulator.HostCalls().byKind) {
        cost.calls[kind.name] = static_cast<double>(kind.calls);
    }
    return cost;
}

// What the crew vessels add, kind by kind, per crew vessel and scanning frame.
void ExpectTwoCallsPerCrewVessel(const SceneCost& ships, const SceneCost& crowded) {
    ASSERT_EQ(crowded.scanningFrames, ships.scanningFrames);
    const double scanning = crowded.scanningFrames;

    // Each kind's growth from the ships alone to the ships among crew vessels.
    const std::map<std::string, double> perCrewVessel = {
        {"oapiGetVesselByIndex", 1.0},  // listed
        {"oapiGetGlobalPos", 1.0},      // where it is
    };
    double total = 0.0;
    for (const auto& [kind, calls] : crowded.calls) {
        const auto base = ships.calls.find(kind);
        const double growth =
            (calls - (base == ships.calls.end() ? 0.0 : base->second)) / (kCrewVessels * scanning);
        const auto budget = perCrewVessel.find(kind);
        EXPECT_LE(growth, (budget == perCrewVessel.end() ? 0.0 : budget->second) + kSlack)
            << kind << " per crew vessel and scanning frame";
        total += growth;
    }
    EXPECT_LE(total, 2.0 + kSlack) << "host calls per crew vessel and scanning frame";
}

TEST(ArrivalScanCost, CrewVesselsCostTwoHostCallsAndOtherVesselsOnePerScanningFrame) {
    const SceneCost ships = Measure(0);
    for (const Crew where : {Crew::kFar, Crew::kBesideTheFirstShip}) {
        SCOPED_TRACE(where == Crew::kFar ? "crew vessels far from every ship"
                                         : "crew vessels beside the first ship");
        ExpectTwoCallsPerCrewVessel(ships, Measure(kCrewVessels, where));
    }

    // The ships alone: each listed once per scanning frame, and its own work.
    const double scanning = ships.scanningFrames;
    const auto listed = ships.calls.find("oapiGetVesselByIndex");
    ASSERT_NE(listed, ships.calls.end());
    EXPECT_LE(listed->second / (kShips * scanning), 1.0) << "oapiGetVesselByIndex per vessel";
    double shipCalls = 0.0;
    for (const auto& [kind, calls] : ships.calls) shipCalls += calls;
    EXPECT_LE(shipCalls / (kShips * kMeasuredFrames), 1.0 + kShipOwnCalls)
        << "host calls per ship and frame";
}

}  // namespace
}  // namespace robustness
