// Crew vessels and transfer vessels that a ship of this module took in the current step. The
// simulator deletes a vessel only at the end of the frame: until then every other ship's scan
// still sees it where it was, and would take its member a second time. A scan passes over the
// vessels listed here; the list starts afresh in each frame.
#pragma once

#include "host/HostApi.h"

namespace taken_this_step {

// Whether the vessel was taken in the current step.
bool Contains(OBJHANDLE vessel);

// Records that the vessel was taken in the current step.
void Add(OBJHANDLE vessel);

// Empties the list, as a freshly loaded module has it: a later session's step may have the same
// system time and its vessels the handles of vessels long gone.
void Forget();

}  // namespace taken_this_step
