// Crew vessels and transfer vessels that a ship of this module took in the current step. The
// simulator deletes a vessel only at the end of the frame: until then every other ship's scan
// still sees it where it was, and would take its member a second time. A scan passes over the
// vessels listed here; the list starts afresh in each frame.
#pragma once

#include <vector>

#include "host/HostApi.h"

namespace crew {

// Whether the vessel was taken in the current step.
bool WasTakenThisStep(OBJHANDLE vessel);

// Records that the vessel was taken in the current step.
void MarkTakenThisStep(OBJHANDLE vessel);

// The list, in the module's state (crew/ModuleState.h). The host's system time stays the same
// through a frame and moves on with the next, so it tells one step from the next without a
// callback at the end of each.
struct TakenList {
    double stepTime = -1.0;
    // Kept between steps, so that a frame allocates only when more are taken than ever before.
    std::vector<OBJHANDLE> vessels;
};

}  // namespace crew
