// A name for a new crew vessel that no vessel bears yet.
#pragma once

#include "host/CrewAddon.h"

namespace crew {

// Leaves the name as it is when no vessel bears it; else the first free name with a number
// from 1 to 399 appended (the name cut so that the number fits), or the one with 399 when all
// are taken.
void ChooseFreeVesselName(char (&name)[crew_addon::kNameFieldSize]);

}  // namespace crew
