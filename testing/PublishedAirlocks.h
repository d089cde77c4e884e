// A ship's published airlock as another vessel reads it: its first child attachment "UMmu".
#pragma once

#include <optional>
#include <string>

#include "host/CrewAddon.h"
#include "sim/session/Simulator.h"

namespace test_support {

// None when the vessel publishes no airlock (or there is no such vessel).
std::optional<crew_addon::PublishedAirlock> PublishedAirlockOf(const VESSEL& ship);
std::optional<crew_addon::PublishedAirlock> PublishedAirlockOf(const sim::Simulator& simulator,
                                                               const std::string& ship);

// The free seats and the door state (1 open, 0 closed) a ship publishes, truncated as readers
// take them; -1 without an airlock.
int PublishedFreeSeats(const sim::Simulator& simulator, const std::string& ship);
int PublishedAirlockState(const sim::Simulator& simulator, const std::string& ship);

}  // namespace test_support
