// A vessel's motion: what the world's frame reads of every vessel in every frame. The world keeps
// the records of the vessels in its list side by side, in the list's order (World::Frame passes
// over them as one array), and each vessel points at its own.
#pragma once

#include <bit>
#include <cstdint>

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

// Whether the vessel stands still in free space: not landed, no thruster that may fire, no
// velocity and no turn. Asked of every vessel in every frame, so the six components are tested
// at once: each is +0 or -0 exactly when its bits are zero but for the sign.
inline bool AtRest(const VesselMotion& motion) {
    const auto bits = [](double value) { return std::bit_cast<std::uint64_t>(value); };
    const std::uint64_t any = bits(motion.vel.x) | bits(motion.vel.y) | bits(motion.vel.z) |
                              bits(motion.angularVelocity.x) | bits(motion.angularVelocity.y) |
                              bits(motion.angularVelocity.z);
    return !motion.landed && !motion.mayThrust && (any << 1) == 0;
}

}  // namespace sim
