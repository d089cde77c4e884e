// How the crew code deletes a vessel: through the host, and forgotten by the arrival index, which
// otherwise would take a new vessel the host makes at the same address for the deleted one.
#pragma once

#include "host/HostApi.h"

namespace crew {

void DeleteVessel(OBJHANDLE handle);

// Forgets what the arrival index remembers of the vessel behind `handle`: a vessel the module
// has just made may stand at a deleted vessel's address, and is asked about anew.
void ForgetVessel(OBJHANDLE handle);

}  // namespace crew
