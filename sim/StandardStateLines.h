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
struct SimVessel;

// Applies one line (already cut and trimmed) to the vessel; a malformed value of a known key is
// reported to the world's load error.
void ParseStandardLine(World& world, SimVessel& vessel, std::string_view line);

// The standard lines as (key, value) pairs: STATUS, RPOS, RVEL, AROT, VROT (when rotating) or,
// for a landed vessel, its surface lines as read (POS, BASE, HEADING, ALT),
// PRPLEVEL (non-empty tanks), DOCKINFO (when docked), XPDR (while the transponder is on).
std::vector<std::pair<std::string, std::string>> StandardLines(const SimVessel& vessel);

}  // namespace sim
