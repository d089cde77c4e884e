// The arrival scan of a link record, told whether the vessel has a seat for an arrival.
#pragma once

#include "crew/AirlockLink.h"

namespace crew {

// One step of the scan (AirlockLink::ScanForArrivals). While `seatFree` is false a pass takes no
// arrival: crew vessels stay outside, a transfer vessel and its file stay where they are.
AirlockLink::ScanResult RunArrivalScan(AirlockLink& link, bool seatFree);

}  // namespace crew
