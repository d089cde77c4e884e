#include "crew/TransferFile.h"

#include <cstring>

#include "crew/CrewText.h"
#include "crew/SpawnRecord.h"
#include "host/CrewAddon.h"
#include "host/Platform.h"

namespace transfer_file {

bool Read() { return spawn_record::Read(crew_addon::kTransferFile); }

bool RecordIsOf(const char* memberString) {
    char expected[sizeof spawnRecord.vesselName];
    crew_text::JoinText(expected, crew_addon::kNameFieldChars + 1, crew_addon::kCrewVesselPrefix,
                        memberString);
    return std::strncmp(spawnRecord.vesselName, expected, crew_addon::kNameFieldChars + 1) == 0;
}

bool FindMember(transfer_vessel::Carried& carried) {
    if (!Read() || spawnRecord.age != carried.age || spawnRecord.pulse != carried.pulse ||
        spawnRecord.weight != carried.weight) {
        return false;
    }
    const char* name = spawnRecord.vesselName;
    const std::size_t length = crew_text::BoundedLength(name, sizeof spawnRecord.vesselName);
    if (length == sizeof spawnRecord.vesselName ||
        !crew_text::StartsWith(name, crew_addon::kCrewVesselPrefix,
                               crew_addon::kVesselPrefixLength)) {
        return false;
    }
    crew_text::CopyText(carried.memberString, sizeof carried.memberString,
                        name + crew_addon::kVesselPrefixLength, transfer_vessel::kMemberChars);
    carried.named = true;
    return true;
}

void RemoveIfOf(const char* memberString) {
    if (!Read() || RecordIsOf(memberString)) platform::RemoveFile(crew_addon::kTransferFile);
}

}  // namespace transfer_file
