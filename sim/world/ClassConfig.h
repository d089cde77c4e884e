// Whether a vessel class is installed in the root: the simulator creates a vessel of a class only
// from its configuration file, Config/Vessels/CLASS.cfg or else Config/CLASS.cfg, and ends with an
// error when there is none. Names are matched ignoring letter case, as on the simulator's system.
#pragma once

#include <filesystem>
#include <string_view>

namespace sim {

// The configuration file of the class under `root`, or an empty path when there is none.
std::filesystem::path FindClassConfig(const std::filesystem::path& root,
                                      std::string_view className);

}  // namespace sim
