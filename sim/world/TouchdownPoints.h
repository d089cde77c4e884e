// The points a vessel stands on when landed, and where it rests on them. As in the simulator, each
// point is a spring and damper between the vessel and the ground; at rest the springs carry the
// vessel's weight, Σ stiffness × compression = m g, along the local vertical, and the vessel's
// centre stands as high above the surface as that leaves it. The stand-in stands a landed vessel
// upright (its y axis up), which is how the simulator rests a vessel whose first three points lie
// at one height.
#pragma once

#include <span>

#include "host/HostTypes.h"

namespace sim {

// What the simulator gives a vessel that sets no touchdown points of its own.
inline constexpr TOUCHDOWNVTX kDefaultTouchdownPoints[] = {
    {{0.0, -2.0, 10.0}, 1e6, 1e5, 0.5, 0.1},
    {{-3.0, -2.0, -5.0}, 1e6, 1e5, 0.5, 0.1},
    {{3.0, -2.0, -5.0}, 1e6, 1e5, 0.5, 0.1},
};

// The fewest points a vessel may set: the plane it rests on.
inline constexpr unsigned long kFewestTouchdownPoints = 3;

// Height of the vessel's centre above the ground when it rests upright on the points carrying
// `weight` (N). A set whose points have no stiffness leaves the lowest point on the ground.
double RestAltitude(std::span<const TOUCHDOWNVTX> points, double weight);

}  // namespace sim
