// Where the crew airlock sits for each docking port: the door state handed over, the airlock box
// that crew vessels must enter, and where a member leaving on foot is placed. Metres, vessel
// frame. For ports 0 and 3 to 6 the box is a 30 m cube centred on the EVA position; for ports 1
// and 2 the same cube centred on the vessel's origin.
#pragma once

#include "host/HostTypes.h"
#include "vessel/ShipTables.h"

enum class DoorOnPlacement {
    Keep,  // hand over the state the door already has
    Open,  // open the door
};

struct AirlockRow {
    DoorOnPlacement door;
    AirlockBox box;
    VECTOR3 evaPosition;
    VECTOR3 evaAngles;
};

// One row per docking port, in port order.
inline constexpr AirlockRow kAirlockRows[kDockCount] = {
    {DoorOnPlacement::Keep, {-15, 15, -15, 15, 194, 224}, {0, 0, 209}, {0, 0, 0}},
    {DoorOnPlacement::Open, {-15, 15, -15, 15, -15, 15}, {5.5, 0, -4.67}, {0, 0, 0}},
    {DoorOnPlacement::Open, {-15, 15, -15, 15, -15, 15}, {-5.5, 0, -4.67}, {0, 0, 0}},
    {DoorOnPlacement::Open, {5, 35, -15, 15, 32, 62}, {20, 0, 47}, {0, 0, 0}},
    {DoorOnPlacement::Open, {-35, -5, -15, 15, 32, 62}, {-20, 0, 47}, {0, 0, 0}},
    {DoorOnPlacement::Open, {-15, 15, -35, -5, 32, 62}, {0, -20, 47}, {0, 0, 0}},
    {DoorOnPlacement::Open, {-15, 15, 5, 35, 32, 62}, {0, 20, 47}, {0, 0, 0}},
};
