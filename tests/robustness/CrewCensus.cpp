#include "tests/robustness/CrewCensus.h"

#include "crew/TransferVessel.h"
#include "host/CrewAddon.h"
#include "testing/CrewVessels.h"
#include "testing/HandOverFiles.h"
#include "testing/Roster.h"
#include "testing/ShipModule.h"

namespace robustness {
namespace {

// The member in the transfer file: its name field, "UMmu_" + member string.
std::string TransferFileMember(const sim::Simulator& sim) {
    const auto record = test_support::ReadRecord(test_support::TransferFile(sim));
    if (!record) return "(no transfer file)";
    return test_support::MemberOfCrewVesselName(test_support::FieldText(record->vesselName));
}

// The member a transfer vessel carries: the member string of its "U-Mm" attachment, or, for one
// that names none, the transfer file's.
std::string TransferMember(const sim::Simulator& sim, const std::string& vessel) {
    const VESSEL* transfer = sim.Interface(sim.FindVessel(vessel));
    transfer_vessel::Carried carried;
    if (transfer != nullptr && transfer_vessel::Read(*transfer, carried) && carried.named) {
        return test_support::MemberOfCrewVesselName(crew_addon::kCrewVesselPrefix +
                                                    std::string(carried.memberString));
    }
    return TransferFileMember(sim);
}

}  // namespace

Headcount CountEveryone(const sim::Simulator& sim) {
    Headcount count;
    for (const std::string& ship : test_support::VesselsOfClass(sim, test_support::kShipClass)) {
        for (const std::string& name : test_support::RosterNames(sim, ship)) ++count[name];
    }
    for (const std::string& vessel :
         test_support::VesselsOfClass(sim, crew_addon::kCrewClassName)) {
        if (test_support::IsTransferVesselName(vessel)) {
            ++count[TransferMember(sim, vessel)];
        } else {
            ++count[test_support::MemberOfCrewVesselName(vessel)];
        }
    }
    return count;
}

std::string Difference(const Headcount& expected, const Headcount& found) {
    std::string text;
    for (const auto& [name, number] : expected) {
        const auto seen = found.find(name);
        const int seenNumber = seen == found.end() ? 0 : seen->second;
        if (seenNumber != number) {
            text += name + ": expected " + std::to_string(number) + ", found " +
                    std::to_string(seenNumber) + "; ";
        }
    }
    for (const auto& [name, number] : found) {
        if (expected.count(name) == 0) {
            text += name + ": expected 0, found " + std::to_string(number) + "; ";
        }
    }
    return text;
}

}  // namespace robustness
