// A transfer sent by a ship of another add-on, exactly as the crew add-on's published hand-over
// lays it down: the member's record in the transfer file first, then a crew vessel named "UMmuT"
// followed by the receiver's name, the whole cut to a name field's 38 characters, whose "U-Mm"
// attachment carries the member's age, pulse and weight and nothing else.
#pragma once

#include <string>

#include "host/HostApi.h"
#include "sim/session/Simulator.h"

namespace test_support {

// "UMmuT" + receiver, cut to 38 characters.
std::string PeerTransferName(const std::string& receiver);

// Writes the record ("UMmu_" + member string) and makes the transfer vessel beside the receiver.
// Null when the simulator creates no vessel (a vessel of that name exists).
OBJHANDLE SendAsPeer(sim::Simulator& simulator, const std::string& receiver,
                     const std::string& memberString, int age, int pulse, int weight);

}  // namespace test_support
