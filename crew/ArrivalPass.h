// One pass of the arrival scan: what a ship does with each crew vessel it looks at, in the
// simulation's vessel order. Which vessels a pass looks at is the scan's choice (ArrivalScan.h);
// what it does with each is decided here, the same way for every scan.
#pragma once

#include "crew/AirlockLink.h"

namespace crew {

// Longest vessel name read from a candidate.
inline constexpr int kCandidateNameSize = 95;

// Advances the link's scan timer by the last step, which it gives in `step`. True when a pass
// runs now; otherwise the scan's result is in `result`.
bool ArrivalScanDue(AirlockLink& link, bool seatFree, AirlockLink::ScanResult& result,
                    double& step);

// What CrewVesselAttachments gives for a vessel that is no arrival.
inline constexpr DWORD kNotArriving = ~DWORD{0};

// Parent-side attachments a walking crew vessel has at least.
inline constexpr DWORD kFewestCrewAttachments = 2;

// Whether a class name is of the crew add-on's vessels (null: no).
bool IsCrewClass(const char* className);

// The number of parent-side attachments of a vessel that may be arriving: of the crew add-on's
// class, with two or more, or named as a transfer vessel with any number (one loaded from a
// scenario has lost the attachment its sender gave it). kNotArriving for any other vessel.
DWORD CrewVesselAttachments(OBJHANDLE handle, const VESSEL& candidate);

// Whether the name read from a candidate is a transfer vessel's.
bool IsTransferName(const char* name);

// What the last crew vessel that reached the member check carried: its name as read and the
// member data of its "U-Mm" attachment.
struct CheckedCrewVessel {
    char name[kCandidateNameSize];
    VECTOR3 data;
};

// Reads what the candidate's "U-Mm" attachment carries into `data` when it is a walking crew
// vessel (its last parent attachment is "U-Mm"); false, with `data` untouched, when it is not.
// `parents` is its parent attachment count.
bool ReadMemberAttachment(const VESSEL& candidate, DWORD parents, VECTOR3& data);

class ArrivalPass {
  public:
    // A pass of a link with a vessel and handle (ArrivalScanDue gave true).
    explicit ArrivalPass(AirlockLink& link);

    // A crew vessel (CrewVesselAttachments gave `parents`) met in vessel order. The scan's result
    // when the pass ends with it; kNothing when the pass goes on.
    AirlockLink::ScanResult Visit(OBJHANDLE candidate, const VESSEL& crewVessel, DWORD parents);

    // The pass met every vessel and ends without an arrival: the arrival fields keep the last
    // crew vessel that reached the member check, given here (null when none did).
    void End(const CheckedCrewVessel* lastChecked);
    // As End, with the last crew vessel this pass itself checked.
    void End();

  private:
    AirlockLink& link_;
    bool ownKnown_ = false;
    VECTOR3 ownLocal_{};
    // The names of the last two candidates read: the last checked one's is kept while the next
    // is read.
    CheckedCrewVessel checked_[2];
    int next_ = 0;
    bool anyChecked_ = false;

    const VECTOR3& OwnLocal();
    bool Inside(OBJHANDLE candidate);
    AirlockLink::ScanResult Transfer(OBJHANDLE candidate, const VESSEL& transfer);
};

}  // namespace crew
