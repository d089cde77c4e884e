// Worlds for the benchmarks, built through the stand-in simulator's own interface and the
// test-support library, with the real vessel module loaded as vesselsim loads it. One simulator
// exists at a time.
#pragma once

#include <filesystem>
#include <memory>

#include "sim/session/Simulator.h"
#include "testing/Fleet.h"
#include "testing/ShipModule.h"

namespace bench {

using test_support::kShipClass;
// A class with no module: the simulator keeps such a vessel without calling into any module.
inline constexpr char kInertClass[] = "InertHull";

// The module library the benchmarks load.
inline std::filesystem::path ModulePath() { return test_support::ShipModulePath(); }
// The same module built with the arrival scan that walks every vessel for every ship, the
// reference the arrival index is measured against; empty when the build has none.
std::filesystem::path PlainScanModulePath();

// A simulator on a fresh sample root with the module `library` registered for the ship class.
std::unique_ptr<sim::Simulator> MakeSimulator(const std::filesystem::path& library = ModulePath());

}  // namespace bench
