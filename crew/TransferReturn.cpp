#include "crew/TransferReturn.h"

#include <cstring>

#include "crew/CrewIdTable.h"
#include "crew/CrewText.h"
#include "crew/FreeVesselName.h"
#include "crew/MemberLimits.h"
#include "crew/SpawnRecord.h"
#include "crew/TakenThisStep.h"
#include "crew/TransferFile.h"
#include "crew/TransfersInFlight.h"
#include "crew/VesselDeletion.h"
#include "host/CrewAddon.h"

namespace crew {

namespace {

// The member's function code: the member string's part before its first hyphen, if any.
void IdCode(const char* memberString, char (&code)[kIdCodeSize]) {
    const char* hyphen = std::strchr(memberString, '-');
    const std::size_t length =
        hyphen == nullptr ? 0 : static_cast<std::size_t>(hyphen - memberString);
    CopyText(code, sizeof code, memberString, length);
}

// The record the crew vessel reads when it is created, as for a member leaving on EVA.
void WriteSpawnRecord(const CarriedMember& member, const char* crewName) {
    char code[kIdCodeSize];
    IdCode(member.memberString, code);
    const char* mesh = FindIdMesh(code);
    FillSpawnRecord({crewName, member.age, member.pulse, kDefaultEvaValue, member.weight}, 0);
    SetSpawnRecordMesh(mesh != nullptr ? mesh : crew_addon::kDefaultCrewMesh);
    SaveSpawnRecord(crew_addon::kSpawnFile);
}

}  // namespace

void NameUnknownMember(bool numbers, CarriedMember& member) {
    if (!numbers) {
        member.age = kUnknownAge;
        member.pulse = kUnknownPulse;
        member.weight = kUnknownWeight;
    }
    member.named = false;
    CopyText(member.memberString, sizeof member.memberString, kUnknownMember,
             sizeof kUnknownMember);
}

bool ReturnTransferToFreeSpace(OBJHANDLE transferVessel, const VESSEL& transfer,
                               const CarriedMember& member) {
    char crewName[crew_addon::kNameFieldSize];
    JoinText(crewName, sizeof crewName, crew_addon::kCrewVesselPrefix, member.memberString);
    WriteSpawnRecord(member, crewName);

    // In the transfer vessel's place and motion; it is in free flight already.
    VESSELSTATUS status{};
    transfer.GetStatus(status);
    char name[crew_addon::kNameFieldSize];
    std::memcpy(name, crewName, sizeof name);
    ReplaceChar(name, ' ', '_');
    ChooseFreeVesselName(name);
    const OBJHANDLE created = oapiCreateVessel(name, crew_addon::kCrewClassName, status);
    if (created == nullptr) return false;
    ForgetVessel(created);

    MarkTakenThisStep(transferVessel);
    DeleteVessel(transferVessel);
    RemoveTransferFileRecordOf(member.memberString);
    TransferEnded(transferVessel);
    return true;
}

}  // namespace crew
