#include "crew/TransferFile.h"

#include <cstring>

#include "crew/CrewText.h"
#include "crew/SpawnRecord.h"
#include "host/CrewAddon.h"
#include "host/Platform.h"

namespace crew {

bool ReadTransferFile() { return LoadSpawnRecord(crew_addon::kTransferFile); }

bool TransferFileRecordIsOf(const char* memberString) {
    char expected[sizeof spawnRecord.vesselName];
    JoinText(expected, crew_addon::kNameFieldSize, crew_addon::kCrewVesselPrefix, memberString);
    return std::strncmp(spawnRecord.vesselName, expected, crew_addon::kNameFieldSize) == 0;
}

bool FindMemberInTransferFile(CarriedMember& carried) {
    if (!ReadTransferFile() || spawnRecord.age != carried.age ||
        spawnRecord.pulse != carried.pulse || spawnRecord.weight != carried.weight) {
        return false;
    }
    const char* name = spawnRecord.vesselName;
    const std::size_t length = BoundedLength(name, sizeof spawnRecord.vesselName);
    if (length == sizeof spawnRecord.vesselName ||
        !StartsWith(name, crew_addon::kCrewVesselPrefix, crew_addon::kVesselPrefixLength)) {
        return false;
    }
    CopyText(carried.memberString, sizeof carried.memberString,
             name + crew_addon::kVesselPrefixLength, kMemberChars);
    carried.named = true;
    return true;
}

void RemoveTransferFileRecordOf(const char* memberString) {
    if (!ReadTransferFile() || TransferFileRecordIsOf(memberString))
        platform::RemoveFile(crew_addon::kTransferFile);
}

}  // namespace crew
