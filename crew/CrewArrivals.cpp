// Crew coming aboard: crew vessels walking into the open airlock and transfer vessels addressed
// to this vessel, found by a scan of all vessels every 0.25 s of simulation time.
#include <cstring>

#include "crew/ArrivalScan.h"
#include "crew/CrewManager.h"
#include "crew/CrewText.h"
#include "crew/SpawnRecord.h"
#include "crew/TakenThisStep.h"
#include "crew/TransferFile.h"
#include "crew/TransferReturn.h"
#include "crew/TransferVessel.h"
#include "crew/Truncate.h"
#include "host/CrewAddon.h"

namespace {

// Simulation seconds between passes: a pass runs once the gathered time is above this.
constexpr double kScanInterval = 0.25;
// Longest vessel name read from a candidate.
constexpr int kCandidateNameSize = 95;
constexpr std::size_t kArrivalNameChars = 39;
// Parent-side attachments a crew vessel has at least.
constexpr DWORD kFewestCrewAttachments = 2;
static_assert(kFewestCrewAttachments > 0, "0 attachments stands for a vessel that is no arrival");
// The arrival's texts as the roster takes them.
constexpr int kArrivalTextSize = 40;
constexpr int kArrivalTextChars = 39;
constexpr std::size_t kArrivalCodeChars = 5;
constexpr std::size_t kArrivalNameStoredChars = 25;

// The number of parent-side attachments of a crew vessel that may be arriving; 0 for any other
// vessel.
DWORD CrewVesselAttachments(const VESSEL& candidate) {
    const char* className = candidate.GetClassNameA();
    if (className == nullptr || !crew_text::StartsWith(className, crew_addon::kCrewClassPrefix,
                                                       crew_addon::kCrewClassPrefixLength)) {
        return 0;
    }
    const DWORD parents = candidate.AttachmentCount(true);
    return parents >= kFewestCrewAttachments ? parents : 0;
}

// The own vessel's position in its own frame. Nothing moves during a pass, so a pass finds it
// once, when the first candidate reaches the box test.
class OwnPosition {
  public:
    OwnPosition(const VESSEL& own, OBJHANDLE ownHandle) : own_(own), ownHandle_(ownHandle) {}

    const VESSEL& Own() const { return own_; }
    const VECTOR3& Local() {
        if (!known_) {
            VECTOR3 ownGlobal{};
            oapiGetGlobalPos(ownHandle_, &ownGlobal);
            own_.Global2Local(ownGlobal, local_);
            known_ = true;
        }
        return local_;
    }

  private:
    const VESSEL& own_;
    OBJHANDLE ownHandle_;
    bool known_ = false;
    VECTOR3 local_{};
};

// The candidate's position in the own vessel's frame, relative to the own vessel.
VECTOR3 Offset(OwnPosition& own, OBJHANDLE candidate) {
    VECTOR3 candidateGlobal{};
    oapiGetGlobalPos(candidate, &candidateGlobal);
    VECTOR3 candidateLocal{};
    own.Own().Global2Local(candidateGlobal, candidateLocal);
    const VECTOR3& ownLocal = own.Local();
    return VECTOR3{candidateLocal.x - ownLocal.x, candidateLocal.y - ownLocal.y,
                   candidateLocal.z - ownLocal.z};
}

bool Inside(const AirlockLink& link, const VECTOR3& d) {
    return link.zMin < d.z && d.z < link.zMax && link.yMin < d.y && d.y < link.yMax &&
           link.xMin < d.x && d.x < link.xMax;
}

// The candidate's name as the arrival's (at most 39 characters, the rest of the field cleared)
// with every underscore turned into a space.
void CopyNameWithSpaces(char (&arrivalName)[sizeof AirlockLink::arrivalName], const char* name) {
    constexpr std::size_t limit =
        kArrivalNameChars < sizeof arrivalName - 1 ? kArrivalNameChars : sizeof arrivalName - 1;
    std::size_t length = 0;
    for (; length < limit && name[length] != '\0'; ++length) {
        arrivalName[length] = name[length] == '_' ? ' ' : name[length];
    }
    std::memset(arrivalName + length, 0, sizeof arrivalName - length);
}

// The arrival fields of a pass. Every crew vessel that reaches the attachment check leaves its
// name and data there; only the last one's survive the pass, so they are written once, when the
// pass ends, rather than for each of the thousands of crew vessels a pass may see. Names are
// read into two buffers in turn, keeping the last such candidate's while the next is read.
class ArrivalFields {
  public:
    // Where the next candidate's name is read to.
    char* NextName() { return names_[next_]; }

    // The candidate whose name was read last reached the check, with this attachment data.
    void Reached(const VECTOR3& data) {
        data_ = data;
        last_ = next_;
        next_ ^= 1;
        any_ = true;
    }

    void WriteTo(AirlockLink& link) const {
        if (!any_) return;
        CopyNameWithSpaces(link.arrivalName, names_[last_]);
        link.arrivalAge = TruncateToInt(data_.x);
        link.arrivalPulse = TruncateToInt(data_.y);
        link.arrivalWeight = TruncateToInt(data_.z);
    }

  private:
    char names_[2][kCandidateNameSize];
    int next_ = 0;
    int last_ = 0;
    bool any_ = false;
    VECTOR3 data_{};
};

// Takes the found crew vessel: deletes it at once when the record says so, else keeps it for
// the crew manager. Either way no other ship takes it in this step.
int TakeArrival(AirlockLink& link, OBJHANDLE candidate, int result) {
    taken_this_step::Add(candidate);
    if (link.autoDeleteArrival == 1) {
        oapiSetFocusObject(link.vesselHandle);
        oapiDeleteVessel(candidate, nullptr);
        link.arrivalVessel = nullptr;
    } else {
        link.arrivalVessel = candidate;
    }
    return result;
}

// The member a transfer vessel carries: the member string it names, or the transfer file's record
// when it names none but the file holds a record with its numbers. False when neither holds.
bool IdentifyTransfer(const VESSEL& transfer, transfer_vessel::Carried& member) {
    if (!transfer_vessel::Read(transfer, member)) return false;
    return member.named || transfer_file::FindMember(member);
}

// The candidate's whole name. False when it does not fit: the name could not be compared whole.
bool ReadWholeName(OBJHANDLE candidate, char (&name)[transfer_vessel::kNameSize]) {
    std::memset(name, 0, sizeof name);
    oapiGetObjectName(candidate, name, static_cast<int>(sizeof name));
    return name[sizeof name - 1] == '\0' &&
           crew_text::BoundedLength(name, sizeof name) < sizeof name - 1;
}

}  // namespace

namespace arrival_scan {

int Run(AirlockLink& link, bool seatFree) {
    link.scanTimer += oapiGetSimStep();
    if (!(link.scanTimer > kScanInterval)) return 0;
    link.scanTimer = 0.0;
    if (link.airlockState != 1 || !seatFree) return 0;
    if (link.vessel == nullptr || link.vesselHandle == nullptr) return -3;

    link.arrivalVessel = nullptr;
    OwnPosition own(*link.vessel, link.vesselHandle);
    ArrivalFields fields;
    const DWORD count = oapiGetVesselCount();
    for (DWORD index = 0; index < count; ++index) {
        const OBJHANDLE candidate = oapiGetVesselByIndex(static_cast<int>(index));
        if (candidate == nullptr || candidate == link.vesselHandle) continue;
        const VESSEL* crewVessel = oapiGetVesselInterface(candidate);
        if (crewVessel == nullptr) continue;
        const DWORD parents = CrewVesselAttachments(*crewVessel);
        if (parents == 0) continue;

        char* name = fields.NextName();
        name[0] = '\0';  // the host writes the rest
        oapiGetObjectName(candidate, name, kCandidateNameSize);
        name[kCandidateNameSize - 1] = '\0';

        if (crew_text::StartsWith(name, crew_addon::kTransferVesselPrefix,
                                  crew_addon::kVesselPrefixLength)) {
            if (taken_this_step::Contains(candidate)) continue;
            transfer_vessel::Carried member;
            if (!IdentifyTransfer(*crewVessel, member)) continue;
            char transferName[transfer_vessel::kNameSize];
            if (!ReadWholeName(candidate, transferName)) continue;
            const char* addressee = transferName + crew_addon::kVesselPrefixLength;
            const char* ownName = link.vessel->GetName();
            if (ownName == nullptr || std::strcmp(addressee, ownName) != 0) {
                // Addressed to another ship: passed over, unless that ship is gone.
                if (!transfer_return::VesselNamed(addressee)) {
                    transfer_return::ToFreeSpace(candidate, *crewVessel, member);
                }
                continue;
            }
            fields.WriteTo(link);
            crew_text::JoinText(link.arrivalName, sizeof link.arrivalName,
                                crew_addon::kCrewVesselPrefix, member.memberString);
            link.arrivalAge = member.age;
            link.arrivalPulse = member.pulse;
            link.arrivalWeight = member.weight;
            transfer_file::RemoveIfOf(member.memberString);
            return TakeArrival(link, candidate, 2);
        }

        const ATTACHMENTHANDLE member = crewVessel->GetAttachmentHandle(true, parents - 1);
        if (member == nullptr) continue;
        const char* id = crewVessel->GetAttachmentId(member);
        if (id == nullptr || !crew_text::EqualsLiteral(id, crew_addon::kMemberAttachmentId)) {
            continue;
        }
        VECTOR3 data{};
        VECTOR3 direction{};
        VECTOR3 rotation{};
        crewVessel->GetAttachmentParams(member, data, direction, rotation);
        fields.Reached(data);

        if (Inside(link, Offset(own, candidate)) && !taken_this_step::Contains(candidate)) {
            fields.WriteTo(link);
            return TakeArrival(link, candidate, 1);
        }
    }
    fields.WriteTo(link);
    return 0;
}

}  // namespace arrival_scan

int AirlockLink::ScanForArrivals() { return arrival_scan::Run(*this, freeSeats >= 1); }

int CrewManager::ProcessArrivals() {
    if (!Ready()) return -1;
    if (airlockOpen == 0) return 0;
    AirlockLink* link = Link();
    const int result = arrival_scan::Run(*link, crewCount < seatCount);
    if (result <= 0) return 0;

    char text[kArrivalTextSize]{};
    link->GetArrivalName(text, kArrivalTextChars);
    char idCode[kArrivalCodeChars + 1]{};
    char name[kArrivalNameStoredChars + 1]{};
    if (const char* hyphen = std::strchr(text, '-')) {
        crew_text::CopyText(idCode, sizeof idCode, text, static_cast<std::size_t>(hyphen - text));
        crew_text::CopyText(name, sizeof name, hyphen + 1, kArrivalNameStoredChars);
    } else {
        crew_text::CopyText(name, sizeof name, text, kArrivalNameStoredChars);
    }

    if (link->arrivalVessel == nullptr) return 0;
    if (result != 2) oapiSetFocusObject(vesselHandle);
    oapiDeleteVessel(link->arrivalVessel, nullptr);
    link->arrivalVessel = nullptr;
    crew_text::CopyText(lastArrivalName, sizeof lastArrivalName, name, kArrivalNameStoredChars);
    if (AddMember(name, link->arrivalAge, link->arrivalPulse, link->arrivalWeight, idCode) == 1) {
        // The name as the roster holds it, cleaned of what a crew name may not hold, so that the
        // arrival's message finds the member.
        const CrewMember& added = roster[crewCount - 1];
        crew_text::CopyText(lastArrivalName, sizeof lastArrivalName, added.name, sizeof added.name);
    }
    return result == 2 ? 2 : 1;
}
