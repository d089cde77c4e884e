// Crew coming aboard: crew vessels walking into the open airlock and transfer vessels addressed
// to this vessel, found by the arrival scan every 0.25 s of simulation time.
#include <cstring>

#include "crew/ArrivalScan.h"
#include "crew/CrewManager.h"
#include "crew/CrewText.h"
#include "crew/ModuleState.h"
#include "crew/TransfersInFlight.h"
#include "crew/VesselDeletion.h"
#include "host/CrewAddon.h"

namespace crew {

namespace {

// The arrival's texts as the roster takes them: as long as the record's arrival name.
constexpr int kArrivalTextSize = sizeof(AirlockLinkFields::arrivalName);
constexpr int kArrivalTextChars = kArrivalTextSize - 1;

}  // namespace

AirlockLink::ScanResult AirlockLink::ScanForArrivals() {
    return RunArrivalScan(*this, freeSeats >= 1);
}

CrewManager::ArrivalResult CrewManager::ProcessArrivals() {
    if (!Ready()) return ArrivalResult::kNotReady;
    if (!AirlockOpen()) return ArrivalResult::kNone;
    AirlockLink* link = Link();
    const AirlockLink::ScanResult result = RunArrivalScan(*link, crewCount < seatCount);
    if (result == AirlockLink::ScanResult::kTransferUnnamed) return SendOutUnnamedTransfer(*link);
    if (result != AirlockLink::ScanResult::kWalkedIn &&
        result != AirlockLink::ScanResult::kTransferredIn) {
        return ArrivalResult::kNone;
    }

    char text[kArrivalTextSize]{};
    link->GetArrivalName(text, kArrivalTextChars);
    char idCode[kStoredCodeChars + 1]{};
    char name[kStoredNameChars + 1]{};
    if (const char* hyphen = std::strchr(text, '-')) {
        CopyText(idCode, sizeof idCode, text, static_cast<std::size_t>(hyphen - text));
        CopyText(name, sizeof name, hyphen + 1, kStoredNameChars);
    } else {
        CopyText(name, sizeof name, text, kStoredNameChars);
    }

    if (link->GetArrivalVessel() == nullptr) return ArrivalResult::kNone;
    if (result != AirlockLink::ScanResult::kTransferredIn) oapiSetFocusObject(vesselHandle);
    link->DeleteArrivalVessel();
    CopyText(lastArrivalName, sizeof lastArrivalName, name, kStoredNameChars);
    if (AddMember(name, link->GetArrivalAge(), link->GetArrivalPulse(), link->GetArrivalWeight(),
                  idCode) == Result::kDone) {
        // The name as the roster holds it, cleaned of what a crew name may not hold, so that the
        // arrival's message finds the member.
        const CrewMember& added = roster[crewCount - 1];
        CopyText(lastArrivalName, sizeof lastArrivalName, added.name, sizeof added.name);
    }
    return result == AirlockLink::ScanResult::kTransferredIn ? ArrivalResult::kTransferredIn
                                                             : ArrivalResult::kWalkedIn;
}

CrewManager::ArrivalResult CrewManager::SendOutUnnamedTransfer(AirlockLink& link) {
    const OBJHANDLE transfer = link.GetArrivalVessel();
    link.SetArrivalVessel(nullptr);
    if (transfer == nullptr) return ArrivalResult::kNone;
    const char* memberString = link.ArrivalVesselName() + crew_addon::kVesselPrefixLength;
    SelectEvaMesh("");
    link.SetIgnoreDocking(1);
    const AirlockLink::SpawnResult spawned = link.SpawnCrewVessel(
        memberString, link.GetArrivalAge(), evaValue, link.GetArrivalPulse(),
        link.GetArrivalWeight(), TheModuleState().evaMeshName, &evaPosition, &evaAngles, nullptr);
    link.SetIgnoreDocking(0);
    // The class is installed: the transfer vessel is one. Without a crew vessel the transfer
    // vessel stays, and the next pass tries again.
    if (spawned != AirlockLink::SpawnResult::kInFreeSpace) return ArrivalResult::kNone;
    DeleteVessel(transfer);
    TransferEnded(transfer);
    CopyText(lastArrivalName, sizeof lastArrivalName, memberString, sizeof lastArrivalName - 1);
    return ArrivalResult::kTransferSentOutside;
}

}  // namespace crew
