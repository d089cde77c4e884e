#include "testing/PeerTransfer.h"

#include "host/CrewAddon.h"
#include "testing/HandOverFiles.h"

namespace test_support {

std::string PeerTransferName(const std::string& receiver) {
    return (crew_addon::kTransferVesselPrefix + receiver).substr(0, crew_addon::kNameFieldChars);
}

OBJHANDLE SendAsPeer(sim::Simulator& simulator, const std::string& receiver,
                     const std::string& memberString, int age, int pulse, int weight) {
    const std::string name = PeerTransferName(receiver);
    if (simulator.FindVessel(name) != nullptr) return nullptr;
    WriteRecord(TransferFile(simulator),
                MakeRecord(crew_addon::kCrewVesselPrefix + memberString, age, pulse, weight));
    const OBJHANDLE transfer = simulator.CreateVessel(name, crew_addon::kCrewClassName);
    if (transfer == nullptr) return nullptr;
    simulator.Interface(transfer)->CreateAttachment(
        true, {static_cast<double>(age), static_cast<double>(pulse), static_cast<double>(weight)},
        {}, {}, crew_addon::kMemberAttachmentId);
    if (simulator.FindVessel(receiver) != nullptr) simulator.Place(name, receiver, {});
    return transfer;
}

}  // namespace test_support
