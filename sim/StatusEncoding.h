// A VESSELSTATUS as the simulator reads and writes it. GetStatus gives a landed vessel in the
// landed encoding (status 1, vrot.x the altitude, arot the orientation in the planet's frame,
// vdata[0] longitude, latitude and heading); a new vessel's status is applied by the host itself,
// not through the module's clbkSetStateEx, and its fuel and thruster levels only when flag[0]
// asks for them (bit 2 fuel, bit 1 thrusters). The stand-in's planets do not turn: a planet's
// frame is the global frame.
#pragma once

#include "host/HostApi.h"

namespace sim {

class World;
struct SimVessel;

// Altitude of a landed vessel whose scenario gives none (no "ALT" line), metres.
inline constexpr double kDefaultLandedAltitude = 2.0;

VESSELSTATUS StatusOf(World& world, const SimVessel& vessel);
void ApplyStatus(World& world, SimVessel& vessel, const VESSELSTATUS& status);

}  // namespace sim
