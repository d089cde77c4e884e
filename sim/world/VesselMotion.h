// A vessel's motion: what the world's frame reads of every vessel in every frame. The world keeps
// the records of the vessels in its list side by side, in the list's order (World::Frame passes
// over them as one array), and each vessel points at its own.
#pragma once

#include "host/HostApi.h"

namespace sim {

struct VesselMotion {
    // Relative to the reference body, which sits at the global origin. A landed vessel's follow
    // from its spot and the turn of its body's surface (sim/world/Surface.h).
    VECTOR3 pos{};
    VECTOR3 vel{};
    VECTOR3 angularVelocity{};  // rad/s, vessel frame
    bool landed = false;        // see SimVessel::surfaceLines
    bool mayThrust = false;     // false only while every thruster is known to be at level 0
};

}  // namespace sim
