// Reads a scenario file (a subset of the simulator's format) into a document. Malformed input
// throws InputError naming file and line.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "sim/scenario/ScenarioDocument.h"

namespace sim {

ScenarioDocument ReadScenarioFile(const std::filesystem::path& file);
ScenarioDocument ParseScenarioText(std::string_view text, const std::string& source);

}  // namespace sim
