// Two ships docked nose to nose at their ports 0, the scene of every transfer, and what is
// docked where.
#pragma once

#include <string>

#include "sim/session/Simulator.h"
#include "testing/ScenarioBuilder.h"

namespace test_support {

// Creates the two ships of the ship class during the run and docks them; with `openAirlocks`
// both then open their airlocks (key A).
void CreateDockedPair(sim::Simulator& simulator, const std::string& first,
                      const std::string& second, bool openAirlocks);

// Adds the two ships' blocks to a scenario, the first naming the second at its port 0.
ScenarioBuilder& AddDockedPair(ScenarioBuilder& scenario, const std::string& first,
                               Block firstLines, const std::string& second,
                               const Block& secondLines);

// The name of the vessel docked at the ship's port, or an empty name.
std::string DockedAt(const sim::Simulator& simulator, const std::string& ship, unsigned port);

}  // namespace test_support
