// The airlock as a ship's link record publishes it to other vessels: its box in the vessel's frame
// and its door.
#pragma once

#include "host/HostTypes.h"

namespace crew {

// The airlock's box in the vessel's frame: x, y and z ranges.
struct AirlockBox {
    float xMin, xMax, yMin, yMax, zMin, zMax;
    // Whether the offset from the vessel's origin lies strictly inside the box.
    bool StrictlyContains(const VECTOR3& offset) const {
        return zMin < offset.z && offset.z < zMax && yMin < offset.y && offset.y < yMax &&
               xMin < offset.x && offset.x < xMax;
    }
};

// The door's states, as the record holds them.
inline constexpr int kDoorClosed = 0;
inline constexpr int kDoorOpen = 1;

}  // namespace crew
