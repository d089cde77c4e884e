#include "tests/robustness/CrewCensus.h"

#include "crew/TransferVessel.h"
#include "crew/TransfersInFlight.h"
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

// The member of a member string ("Capt-Ada Kerr" gives "Ada Kerr").
std::string MemberOfString(const std::string& memberString) {
    return test_support::MemberOfCrewVesselName(crew_addon::kCrewVesselPrefix + memberString);
}

// The member strings of the transfers under way that the ships record, by receiver: what a
// transfer vessel loaded from a scenario, without the attachment its sender gave it, carries.
std::map<std::string, std::string> RecordedTransfers(const sim::Simulator& sim) {
    std::map<std::string, std::string> recorded;
    for (const std::string& ship : test_support::VesselsOfClass(sim, test_support::kShipClass)) {
        for (const std::string& line : sim.StateLines(ship)) {
            crew::TransferInFlight record{};
            if (crew::ParseTransferLine(line.c_str(), record) == crew::TransferLine::kRead) {
                recorded[record.receiver] = record.member.memberString;
            }
        }
    }
    return recorded;
}

// The member a transfer vessel carries: the member string of its "U-Mm" attachment, or, for one
// that names none, its sender's word, the ships' record of the transfer, or else the transfer
// file's.
std::string TransferMember(const sim::Simulator& sim, const std::string& vessel,
                           const std::map<std::string, std::string>& recorded,
                           const PeerMembers& peers) {
    const VESSEL* transfer = sim.Interface(sim.FindVessel(vessel));
    crew::CarriedMember carried;
    if (transfer != nullptr && crew::ReadCarriedMember(*transfer, carried) && carried.named) {
        return MemberOfString(carried.memberString);
    }
    if (const auto peer = peers.find(vessel); peer != peers.end()) return peer->second;
    const auto record = recorded.find(vessel.substr(crew_addon::kVesselPrefixLength));
    if (record != recorded.end()) return MemberOfString(record->second);
    return TransferFileMember(sim);
}

}  // namespace

Headcount CountEveryone(const sim::Simulator& sim, const PeerMembers& peers) {
    Headcount count;
    for (const std::string& ship : test_support::VesselsOfClass(sim, test_support::kShipClass)) {
        for (const std::string& name : test_support::RosterNames(sim, ship)) ++count[name];
    }
    const std::map<std::string, std::string> recorded = RecordedTransfers(sim);
    for (const std::string& vessel :
         test_support::VesselsOfClass(sim, crew_addon::kCrewClassName)) {
        if (test_support::IsTransferVesselName(vessel)) {
            ++count[TransferMember(sim, vessel, recorded, peers)];
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
