// A VESSELSTATUS as the simulator reads and writes it. GetStatus gives a landed vessel in the
// landed encoding (status 1, rpos and rvel its true position and velocity relative to the body,
// the surface's turn included, vrot.x the altitude, arot the orientation in the body's frame,
// vdata[0] longitude, latitude and heading in radians); a new vessel's status is applied by the
// host itself, not through the module's clbkSetStateEx, a landed one at its vdata[0] and
// altitude, turned by arot in the body's frame, and its fuel and thruster levels only when
// flag[0] asks for them (bit 2 fuel, bit 1 thrusters).
#pragma once

#include "host/HostApi.h"

namespace sim {

class World;
struct SimVessel;

VESSELSTATUS StatusOf(World& world, const SimVessel& vessel);
void ApplyStatus(World& world, SimVessel& vessel, const VESSELSTATUS& status);

}  // namespace sim
