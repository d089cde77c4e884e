// How the crew code deletes a vessel: through the host, and forgotten by the arrival index, which
// otherwise would take a new vessel the host makes at the same address for the deleted one.
#pragma once

#include "host/HostApi.h"

namespace crew {

void DeleteVessel(OBJHANDLE handle);

}  // namespace crew
