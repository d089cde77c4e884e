// Writes the simulation as a scenario file: the sections of the scenario it was loaded from in
// their order (uninterpreted ones exactly as read), the environment and focus as they stand now,
// and every vessel's block as its clbkSaveState writes it (an inert vessel's block as read).
#pragma once

#include <ostream>

#include "sim/scenario/ScenarioDocument.h"

namespace sim {

class World;

// `document` may be null when nothing was loaded.
void WriteScenario(std::ostream& out, const ScenarioDocument* document, World& world);

}  // namespace sim
