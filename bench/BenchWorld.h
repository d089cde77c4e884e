// Worlds for the benchmarks, built through the stand-in simulator's own interface with the real
// vessel module loaded as vesselsim loads it. One simulator exists at a time.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "sim/Simulator.h"

namespace bench {

inline constexpr char kShipClass[] = "Quillmar";
// A class with no module: the simulator keeps such a vessel without calling into any module.
inline constexpr char kInertClass[] = "InertHull";

// The module library the benchmarks load.
std::filesystem::path ModulePath();
// The same module built with the arrival scan that walks every vessel for every ship, the
// reference the arrival index is measured against; empty when the build has none.
std::filesystem::path PlainScanModulePath();

// A simulator on a fresh sample root with the module `library` registered for the Quillmar
// class.
std::unique_ptr<sim::Simulator> MakeSimulator(const std::filesystem::path& library = ModulePath());

// `count` vessels of `className` named PREFIX0, PREFIX1, ..., at rest, 10 km apart.
void AddVessels(sim::Simulator& simulator, const std::string& className, const std::string& prefix,
                int count);

// `count` crew vessels of the crew add-on, each with its "U-Mm" attachment as a crew vessel has
// once it walks, standing far from every ship: every arrival scan examines each one in full.
void AddCrewVessels(sim::Simulator& simulator, int count);

// Presses A on each of the `count` ships named PREFIX0 ...: their airlocks open.
void OpenAirlocks(sim::Simulator& simulator, const std::string& prefix, int count);

// A scenario file of `ships` Quillmars with `crewLines` UMMUCREW lines each.
void WriteCrewedScenario(const std::filesystem::path& file, int ships, int crewLines);

}  // namespace bench
