// One stand-in simulator for a fuzzer's whole run, with the ship module registered.
#pragma once

#include "sim/session/Simulator.h"

namespace fuzz_world {

// The simulator, made at the first call on a fresh temporary root and ended at exit.
sim::Simulator& Simulator();

// Deletes every vessel and the transfer file, so that the next input starts from an empty world.
void Clear();

// Stops the run (a crash the fuzzer reports) when `holds` is false.
void Require(bool holds, const char* what);

}  // namespace fuzz_world
