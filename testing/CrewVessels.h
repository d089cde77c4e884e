// Crew vessels of the crew add-on's class (the stand-in plays it), and the vessels of a class.
#pragma once

#include <string>
#include <vector>

#include "host/HostApi.h"
#include "sim/session/Simulator.h"

namespace test_support {

// A crew vessel made as an EVA makes one: the hand-over record naming it, with the member's
// numbers, is written first and the vessel reads it when it is created. At `status`, or at rest
// at the origin; throws sim::InputError when the simulator refuses it.
OBJHANDLE CreateCrewVessel(sim::Simulator& simulator, const std::string& name, int age, int pulse,
                           int weight, const VESSELSTATUS* status = nullptr);

// Names of the vessels of the class, in index order.
std::vector<std::string> VesselsOfClass(const sim::Simulator& simulator,
                                        const std::string& className);
// Crew vessels that can walk: of the crew class, and no transfer vessel.
std::vector<std::string> WalkingCrewVessels(const sim::Simulator& simulator);
// Transfer vessels under way ("UMmuT" + receiver), in index order.
std::vector<std::string> TransferVessels(const sim::Simulator& simulator);
bool IsTransferVesselName(const std::string& name);

}  // namespace test_support
