#include "crew/ArrivalPass.h"

#include <cstring>

#include "crew/CrewText.h"
#include "crew/TakenThisStep.h"
#include "crew/TransferAddress.h"
#include "crew/TransferFile.h"
#include "crew/TransferReturn.h"
#include "crew/TransferVessel.h"
#include "crew/TransfersInFlight.h"
#include "crew/Truncate.h"
#include "crew/VesselDeletion.h"
#include "host/CrewAddon.h"

namespace crew {

namespace {

// The candidate's name, every underscore turned into a space, and numbers as the arrival's.
void WriteArrivalFields(AirlockLink& link, const CheckedCrewVessel& checked) {
    char name[sizeof AirlockLinkFields::arrivalName];
    CopyText(name, sizeof name, checked.name, sizeof name - 1);
    ReplaceChar(name, '_', ' ');
    link.SetArrival(name, TruncateToInt(checked.data.x), TruncateToInt(checked.data.y),
                    TruncateToInt(checked.data.z));
}

// Takes the found crew vessel: deletes it at once when the record says so, else keeps it for
// the crew manager. Either way no other ship takes it in this step.
AirlockLink::ScanResult TakeArrival(AirlockLink& link, OBJHANDLE candidate,
                                    AirlockLink::ScanResult result) {
    MarkTakenThisStep(candidate);
    if (link.DeletesArrivalsAtOnce()) {
        oapiSetFocusObject(link.VesselHandle());
        DeleteVessel(candidate);
        link.SetArrivalVessel(nullptr);
    } else {
        link.SetArrivalVessel(candidate);
    }
    return result;
}

// The member a transfer vessel carries: the member string it names, the module's record of the
// transfer to `address` (the vessel's name behind its prefix), or the transfer file's record
// unless another transfer carries it; a record must have the numbers the vessel carries, if it
// carries any. When none of them holds, `member` is the unknown member (NameUnknownMember) and
// the result false.
bool IdentifyTransfer(OBJHANDLE candidate, const VESSEL& transfer, const char* address,
                      CarriedMember& member) {
    const bool numbers = ReadCarriedMember(transfer, member);
    if (numbers && member.named) return true;
    if (FindTransferInFlight(candidate, address, numbers, member)) return true;
    if (FindMemberInTransferFile(candidate, numbers, member)) return true;
    NameUnknownMember(numbers, member);
    return false;
}

// The candidate's whole name. False when it does not fit: the name could not be compared whole.
bool ReadWholeName(OBJHANDLE candidate, char (&name)[kTransferNameSize]) {
    std::memset(name, 0, sizeof name);
    oapiGetObjectName(candidate, name, static_cast<int>(sizeof name));
    return name[sizeof name - 1] == '\0' && BoundedLength(name, sizeof name) < sizeof name - 1;
}

}  // namespace

bool ArrivalScanDue(AirlockLink& link, bool seatFree, AirlockLink::ScanResult& result,
                    double& step) {
    result = AirlockLink::ScanResult::kNothing;
    step = oapiGetSimStep();
    if (!link.StepScanTimer(step)) return false;
    if (!link.DoorOpen() || !seatFree) return false;
    if (link.Vessel() == nullptr || link.VesselHandle() == nullptr) {
        result = AirlockLink::ScanResult::kNoVessel;
        return false;
    }
    link.SetArrivalVessel(nullptr);
    return true;
}

bool IsCrewClass(const char* className) {
    return className != nullptr &&
           StartsWith(className, crew_addon::kCrewClassPrefix, crew_addon::kCrewClassPrefixLength);
}

DWORD CrewVesselAttachments(OBJHANDLE handle, const VESSEL& candidate) {
    if (!IsCrewClass(candidate.GetClassNameA())) return kNotArriving;
    const DWORD parents = candidate.AttachmentCount(true);
    if (parents >= kFewestCrewAttachments) return parents;
    char name[kCandidateNameSize];
    name[0] = '\0';  // the host writes the rest
    oapiGetObjectName(handle, name, kCandidateNameSize);
    name[kCandidateNameSize - 1] = '\0';
    return IsTransferName(name) ? parents : kNotArriving;
}

bool IsTransferName(const char* name) {
    return StartsWith(name, crew_addon::kTransferVesselPrefix, crew_addon::kVesselPrefixLength);
}

bool ReadMemberAttachment(const VESSEL& candidate, DWORD parents, VECTOR3& data) {
    const ATTACHMENTHANDLE member = candidate.GetAttachmentHandle(true, parents - 1);
    if (member == nullptr) return false;
    const char* id = candidate.GetAttachmentId(member);
    if (id == nullptr || !EqualsLiteral(id, crew_addon::kMemberAttachmentId)) {
        return false;
    }
    data = VECTOR3{};
    VECTOR3 direction{};
    VECTOR3 rotation{};
    candidate.GetAttachmentParams(member, data, direction, rotation);
    return true;
}

ArrivalPass::ArrivalPass(AirlockLink& link) : link_(link) {}

// The own vessel's position in its own frame. Nothing moves during a pass, so a pass finds it
// once, when the first candidate reaches the box test.
const VECTOR3& ArrivalPass::OwnLocal() {
    if (!ownKnown_) {
        VECTOR3 ownGlobal{};
        oapiGetGlobalPos(link_.VesselHandle(), &ownGlobal);
        link_.Vessel()->Global2Local(ownGlobal, ownLocal_);
        ownKnown_ = true;
    }
    return ownLocal_;
}

// Whether the candidate is strictly inside the airlock box, in the own vessel's frame.
bool ArrivalPass::Inside(OBJHANDLE candidate) {
    VECTOR3 candidateGlobal{};
    oapiGetGlobalPos(candidate, &candidateGlobal);
    VECTOR3 candidateLocal{};
    link_.Vessel()->Global2Local(candidateGlobal, candidateLocal);
    const VECTOR3& own = OwnLocal();
    const VECTOR3 d{candidateLocal.x - own.x, candidateLocal.y - own.y, candidateLocal.z - own.z};
    return link_.Box().StrictlyContains(d);
}

AirlockLink::ScanResult ArrivalPass::Visit(OBJHANDLE candidate, const VESSEL& crewVessel,
                                           DWORD parents) {
    CheckedCrewVessel& read = checked_[next_];
    read.name[0] = '\0';  // the host writes the rest
    oapiGetObjectName(candidate, read.name, kCandidateNameSize);
    read.name[kCandidateNameSize - 1] = '\0';
    if (IsTransferName(read.name)) return Transfer(candidate, crewVessel);

    if (!ReadMemberAttachment(crewVessel, parents, read.data)) {
        return AirlockLink::ScanResult::kNothing;
    }
    next_ ^= 1;
    anyChecked_ = true;
    if (Inside(candidate) && !WasTakenThisStep(candidate)) {
        WriteArrivalFields(link_, read);
        return TakeArrival(link_, candidate, AirlockLink::ScanResult::kWalkedIn);
    }
    return AirlockLink::ScanResult::kNothing;
}

AirlockLink::ScanResult ArrivalPass::Transfer(OBJHANDLE candidate, const VESSEL& transfer) {
    if (WasTakenThisStep(candidate)) return AirlockLink::ScanResult::kNothing;
    char transferName[kTransferNameSize];
    if (!ReadWholeName(candidate, transferName)) return AirlockLink::ScanResult::kNothing;
    const char* address = transferName + crew_addon::kVesselPrefixLength;
    // A transfer this module sent names its member in its attachment, or the module has its
    // record: either way its address is the receiver's whole name.
    CarriedMember sent;
    const bool whole =
        (ReadCarriedMember(transfer, sent) && sent.named) || SentTransferTo(address, candidate);
    const Addressee addressee =
        ResolveAddress(address, link_.Vessel()->GetName(), candidate, whole);
    CarriedMember member;
    if (addressee != Addressee::kOwn) {
        // Addressed to another ship: passed over, unless there is no such ship.
        if (addressee == Addressee::kGone) {
            IdentifyTransfer(candidate, transfer, address, member);
            ReturnTransferToFreeSpace(candidate, transfer, member);
        }
        return AirlockLink::ScanResult::kNothing;
    }
    const bool known = IdentifyTransfer(candidate, transfer, address, member);
    char arrivalName[sizeof AirlockLinkFields::arrivalName];
    JoinText(arrivalName, sizeof arrivalName, crew_addon::kCrewVesselPrefix, member.memberString);
    link_.SetArrival(arrivalName, member.age, member.pulse, member.weight);
    if (!known) {
        // The crew manager sends the member out beside the airlock; the vessel stays until then.
        MarkTakenThisStep(candidate);
        link_.SetArrivalVessel(candidate);
        return AirlockLink::ScanResult::kTransferUnnamed;
    }
    RemoveTransferFileRecordOf(member.memberString);
    TransferEnded(candidate);
    return TakeArrival(link_, candidate, AirlockLink::ScanResult::kTransferredIn);
}

void ArrivalPass::End(const CheckedCrewVessel* lastChecked) {
    if (lastChecked != nullptr) WriteArrivalFields(link_, *lastChecked);
}

void ArrivalPass::End() { End(anyChecked_ ? &checked_[next_ ^ 1] : nullptr); }

}  // namespace crew
