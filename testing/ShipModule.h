// The ship module as the tests, benchmarks and fuzzers load it into the stand-in simulator.
#pragma once

#include <filesystem>

#include "sim/session/Simulator.h"

namespace test_support {

inline constexpr char kShipClass[] = "Quillmar";

// The module library built beside the test programs.
std::filesystem::path ShipModulePath();

// Registers the module for the ship class.
void RegisterShipModule(sim::Simulator& simulator);

}  // namespace test_support
