// A crew member leaving a ship that stands on the ground steps onto it: where the place beside the
// airlock lies under the ground (an airlock low on a ship resting on its hull, or a ship sunk in),
// the crew vessel is made on the ground straight below that place instead. A crew vessel made
// under the ground would be thrown out of the body by the simulator's check of new states.
#pragma once

#include "host/HostApi.h"

namespace crew {

// Height of a standing crew member's centre above the ground, m.
inline constexpr double kStandingHeight = 1.0;

// Raises `rpos` (relative to the ship's reference body) to kStandingHeight above the ground when
// it lies lower and the ship is landed. The ground's radius is the ship's distance from the body's
// centre less its altitude, as its landed status gives them.
void KeepAboveGround(const VESSEL& ship, VECTOR3& rpos);

}  // namespace crew
