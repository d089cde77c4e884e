// One stand-in simulator for a fuzzer's whole run, with the ship module registered, and what the
// targets read back from it.
#pragma once

#include <string>
#include <vector>

#include "sim/Simulator.h"

namespace fuzz_world {

inline constexpr char kShipClass[] = "Quillmar";

// The simulator, made at the first call on a fresh temporary root and ended at exit.
sim::Simulator& Simulator();

// Deletes every vessel and the transfer file, so that the next input starts from an empty world.
void Clear();

// Names of the members aboard the ship, in roster order, as its crew lines give them.
std::vector<std::string> Roster(const std::string& ship);

// Stops the run (a crash the fuzzer reports) when `holds` is false.
void Require(bool holds, const char* what);

}  // namespace fuzz_world
