// Leaving the vessel: a member goes out on EVA (to free space, or to the ship docked at the
// transfer port) or is ejected; the link record makes the member's crew vessel
// (CrewVesselSpawn.cpp), and the member leaves the roster once it exists.
#include <cstdio>
#include <optional>

#include "crew/CrewManager.h"
#include "crew/CrewText.h"
#include "crew/ModuleState.h"
#include "crew/Truncate.h"
#include "host/CrewAddon.h"
#include "host/Platform.h"

namespace crew {

namespace {

// Room for the member string: code (up to 7), hyphen, name (up to 39).
constexpr std::size_t kMemberStringSize = 48;

// The refusal that both ways out of the vessel begin with, if one applies.
std::optional<CrewManager::EvaResult> LeavingRefusal(const CrewManager& crew, const char* name) {
    if (!crew.Ready()) return CrewManager::EvaResult::kMiscError;
    if (name == nullptr || TooLongToLookUp(name)) {
        return CrewManager::EvaResult::kNoSuchMember;
    }
    if (crew.GetCrewCount() < 1) return CrewManager::EvaResult::kNobodyAboard;
    return std::nullopt;
}

// Whether the crew vessel class is installed: its add-on module alone is not enough, the
// simulator needs the class's configuration file to create one.
bool CrewClassInstalled() {
    for (const char* path : crew_addon::kClassConfigFiles) {
        if (std::FILE* file = platform::OpenFile(path, "rb")) {
            std::fclose(file);
            return true;
        }
    }
    return false;
}

}  // namespace

CrewManager::EvaResult CrewManager::EvaMember(const char* name) {
    if (const std::optional<EvaResult> refusal = LeavingRefusal(*this, name)) return *refusal;
    lastEvaName[0] = '\0';
    if (!AirlockOpen()) return EvaResult::kAirlockClosed;

    AirlockLink* link = Link();
    if (const VESSEL* own = oapiGetVesselInterface(vesselHandle)) {
        const int port = link->TransferDock();
        if (AirlockLink::DockedVessel(*own, port) != nullptr) {
            const int seats = link->GetDockedFreeSeats(port);
            if (seats == 0) return EvaResult::kDockedShipFull;
            if (seats < 0) return EvaResult::kDockedShipWithoutCrew;
        }
    }
    const int slot = FindMember(name);
    if (slot < 0) return EvaResult::kNoSuchMember;
    return LeaveVessel(slot, false);
}

CrewManager::EvaResult CrewManager::EjectMember(const char* name) {
    if (const std::optional<EvaResult> refusal = LeavingRefusal(*this, name)) return *refusal;
    lastEvaName[0] = '\0';
    const int slot = FindMember(name);
    if (slot < 0) return EvaResult::kNoSuchMember;
    return LeaveVessel(slot, true);
}

CrewManager::EvaResult CrewManager::LeaveVessel(int slot, bool eject) {
    // Refused as when the add-on is missing; the member stays aboard.
    if (!CrewClassInstalled()) return EvaResult::kMiscError;
    const CrewMember& member = roster[slot];
    char memberString[kMemberStringSize];
    if (member.idCode[0] != '\0') {
        std::snprintf(
            memberString, sizeof memberString, "%.*s-%.*s",
            static_cast<int>(BoundedLength(member.idCode, sizeof member.idCode)), member.idCode,
            static_cast<int>(BoundedLength(member.name, sizeof member.name)), member.name);
    } else {
        CopyText(memberString, sizeof memberString, member.name, sizeof member.name);
    }
    SelectEvaMesh(member.idCode);
    char vesselName[crew_addon::kNameFieldSize];
    JoinText(vesselName, sizeof vesselName, crew_addon::kCrewVesselPrefix, memberString);
    ReplaceChar(vesselName, ' ', '_');
    CopyText(lastEvaVesselName, sizeof lastEvaVesselName, vesselName, sizeof vesselName);

    AirlockLink* link = Link();
    AirlockLink::SpawnResult result = AirlockLink::SpawnResult::kNotCreated;
    const int weight = TruncateToInt(member.weight);
    if (eject) {
        link->SetIgnoreDocking(1);
        link->SetEjectFlag(1);
        result = link->SpawnCrewVessel(memberString, member.age, evaValue, member.pulse, weight,
                                       TheModuleState().evaMeshName, &ejectPosition, &ejectAngles,
                                       &ejectVelocity);
        link->SetEjectFlag(0);
        link->SetIgnoreDocking(0);
    } else {
        result =
            link->SpawnCrewVessel(memberString, member.age, evaValue, member.pulse, weight,
                                  TheModuleState().evaMeshName, &evaPosition, &evaAngles, nullptr);
    }

    switch (result) {
        case AirlockLink::SpawnResult::kInFreeSpace:
        case AirlockLink::SpawnResult::kTransfer:
            CopyText(lastEvaName, sizeof lastEvaName, member.name, sizeof member.name);
            RemoveSlot(slot);
            return result == AirlockLink::SpawnResult::kInFreeSpace ? EvaResult::kDone
                                                                    : EvaResult::kTransferred;
        case AirlockLink::SpawnResult::kDockedAirlockClosed:
            return EvaResult::kDockedAirlockClosed;
        case AirlockLink::SpawnResult::kNoDockedAirlock:
            return EvaResult::kDockedShipWithoutCrew;
        case AirlockLink::SpawnResult::kTransferUnderWay:
            return EvaResult::kTransferUnderWay;
        default:
            return EvaResult::kMiscError;
    }
}

}  // namespace crew
