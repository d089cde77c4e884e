// The host's own scenario lines of a vessel: what the base VESSEL2::clbkSaveState writes and
// what ParseScenarioLineEx understands. Keys are matched without regard to case; other lines are
// ignored. DOCKINFO links are noted and made once every vessel of the scenario exists.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace sim {

class World;
struct LoadContext;
struct SimVessel;

// Applies one line (already cut and trimmed) to the vessel as the host reads it: what can be read
// is taken, the rest keeps its value, and the load's warnings say what was assumed. DOCKINFO
// links are noted in the load.
void ParseStandardLine(LoadContext& load, SimVessel& vessel, std::string_view line);
// The same for the module's ParseScenarioLineEx, into the world's load in progress; the vessel's
// reference body becomes one of the world's bodies.
void ParseStandardLine(World& world, SimVessel& vessel, std::string_view line);

// The standard lines as (key, value) pairs: STATUS, RPOS, RVEL, AROT, VROT (when rotating) or,
// for a landed vessel, its surface lines as read (POS, BASE, HEADING, ALT),
// PRPLEVEL (non-empty tanks), DOCKINFO (when docked), XPDR (while the transponder is on).
std::vector<std::pair<std::string, std::string>> StandardLines(const SimVessel& vessel);

}  // namespace sim
