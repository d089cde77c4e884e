// Many vessels at once, for frame costs and scans at scale: ships at rest, crew vessels far from
// every ship, open airlocks, and crewed scenario files.
#pragma once

#include <string>

#include "sim/session/Simulator.h"
#include "testing/ScenarioBuilder.h"

namespace test_support {

// `count` vessels of the class named PREFIX0, PREFIX1, ..., at rest in orbit 10 km apart.
// Throws sim::InputError when the simulator refuses one.
void AddVesselsAtRest(sim::Simulator& simulator, const std::string& className,
                      const std::string& prefix, int count);

// `count` crew vessels, each with its "U-Mm" attachment as a crew vessel has once it walks,
// standing far from every ship: every arrival scan examines each one in full.
void AddFarCrewVessels(sim::Simulator& simulator, int count);

// `count` crew vessels, each with its "U-Mm" attachment, standing within 10 m of the ship's
// centre: beside the ship, where crew walk, but far outside its airlock box.
void AddCrewVesselsBeside(sim::Simulator& simulator, const std::string& ship, int count);

// Presses A on each of the `count` ships named PREFIX0 ...: their airlocks open.
void OpenAirlocks(sim::Simulator& simulator, const std::string& prefix, int count);

// `ships` ships named Ship0 ... in orbit 10 km apart, with `crewLines` crew lines each; Ship0
// has the focus.
ScenarioBuilder CrewedScenario(int ships, int crewLines);

}  // namespace test_support
