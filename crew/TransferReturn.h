// A transfer vessel whose receiving ship is gone: its member goes back into free space as a crew
// vessel of the add-on's class, in the transfer vessel's place.
#pragma once

#include "crew/TransferVessel.h"
#include "host/HostApi.h"

namespace transfer_return {

// Whether a vessel bears exactly the name (the host's look-up by name may ignore letter case).
bool VesselNamed(const char* name);

// Replaces the transfer vessel by a crew vessel "UMmu_" + member string that carries the member;
// the hand-over file goes with the transfer vessel when it holds this member's record. False,
// with nothing changed, when the host creates no crew vessel.
bool ToFreeSpace(OBJHANDLE transferVessel, const VESSEL& transfer,
                 const transfer_vessel::Carried& member);

}  // namespace transfer_return
