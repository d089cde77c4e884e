#include "crew/TransferFile.h"

#include <cstring>

#include "crew/CrewText.h"
#include "crew/ManagersAboard.h"
#include "crew/ModuleState.h"
#include "crew/SpawnRecord.h"
#include "crew/TransfersInFlight.h"
#include "host/CrewAddon.h"
#include "host/Platform.h"

namespace crew {

namespace {

// Whether a transfer vessel other than `transferVessel` carries the record's age, pulse and weight
// and names no member: the vessel of a ship of another add-on that the record was written for.
bool RecordFitsAnotherVessel(OBJHANDLE transferVessel) {
    const crew_addon::HandOverRecord& spawnRecord = TheModuleState().spawnRecord;
    const DWORD count = oapiGetVesselCount();
    for (DWORD index = 0; index < count; ++index) {
        const OBJHANDLE handle = oapiGetVesselByIndex(static_cast<int>(index));
        const VESSEL* vessel = handle == nullptr || handle == transferVessel
                                   ? nullptr
                                   : oapiGetVesselInterface(handle);
        const char* name = vessel == nullptr ? nullptr : vessel->GetName();
        CarriedMember other;
        if (name != nullptr &&
            StartsWith(name, crew_addon::kTransferVesselPrefix, crew_addon::kVesselPrefixLength) &&
            ReadCarriedMember(*vessel, other) && !other.named && other.age == spawnRecord.age &&
            other.pulse == spawnRecord.pulse && other.weight == spawnRecord.weight) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool ReadTransferFile() { return LoadSpawnRecord(crew_addon::kTransferFile); }

bool TransferFileRecordIsOf(const char* memberString) {
    const crew_addon::HandOverRecord& spawnRecord = TheModuleState().spawnRecord;
    char expected[sizeof spawnRecord.vesselName];
    JoinText(expected, crew_addon::kNameFieldSize, crew_addon::kCrewVesselPrefix, memberString);
    // A member string of kMemberChars characters may be a longer one cut (a peer's record may
    // fill the whole field): the record is this member's when it begins with it.
    const std::size_t compared = BoundedLength(memberString, kMemberChars + 1) >= kMemberChars
                                     ? crew_addon::kVesselPrefixLength + kMemberChars
                                     : crew_addon::kNameFieldSize;
    return std::strncmp(spawnRecord.vesselName, expected, compared) == 0;
}

bool FindMemberInTransferFile(OBJHANDLE transferVessel, bool numbers, CarriedMember& carried) {
    const crew_addon::HandOverRecord& spawnRecord = TheModuleState().spawnRecord;
    if (!ReadTransferFile() ||
        (numbers && (spawnRecord.age != carried.age || spawnRecord.pulse != carried.pulse ||
                     spawnRecord.weight != carried.weight))) {
        return false;
    }
    const char* name = spawnRecord.vesselName;
    const std::size_t length = BoundedLength(name, sizeof spawnRecord.vesselName);
    if (length == sizeof spawnRecord.vesselName ||
        !StartsWith(name, crew_addon::kCrewVesselPrefix, crew_addon::kVesselPrefixLength)) {
        return false;
    }
    char memberString[kMemberChars + 1];
    CopyText(memberString, sizeof memberString, name + crew_addon::kVesselPrefixLength,
             kMemberChars);
    // A record of a member who is aboard a ship of the module is an old one: its transfer ended.
    if (AboardAShipOfTheModule(memberString) ||
        CarriedByAnotherTransfer(memberString, transferVessel) ||
        RecordFitsAnotherVessel(transferVessel)) {
        return false;
    }
    std::memcpy(carried.memberString, memberString, sizeof memberString);
    carried.age = spawnRecord.age;
    carried.pulse = spawnRecord.pulse;
    carried.weight = spawnRecord.weight;
    carried.named = true;
    return true;
}

void RemoveTransferFileRecordOf(const char* memberString) {
    if (!ReadTransferFile() || TransferFileRecordIsOf(memberString))
        platform::RemoveFile(crew_addon::kTransferFile);
}

}  // namespace crew
