// The hand-over file of transfers as receivers read it. Every transfer writes its member's record
// there, so it holds the record of the transfer sent last, which need not be the one a receiver
// takes: a receiver takes nobody from it unless it holds the record meant for that receiver.
#pragma once

#include "crew/TransferVessel.h"

namespace crew {

// Reads the file into the hand-over record. False, with the record unchanged, when the file is
// missing or shorter than a record.
bool ReadTransferFile();

// Whether the hand-over record's name field is "UMmu_" followed by the member string, or, for a
// member string of kMemberChars characters (which may have been cut from the field), begins so.
bool TransferFileRecordIsOf(const char* memberString);

// The member the transfer vessel `transferVessel`, which names none, carries: the file's record,
// unless the member is aboard a ship of the module (ManagersAboard.h: the record is an old one),
// another transfer this module sent carries that member (TransfersInFlight.h) or another
// transfer vessel that names no member carries the record's age, pulse and weight (a peer's
// vessel the record was written for).
// When the vessel carries age, pulse and weight (`numbers`, in `carried`), the record must have
// them too; else the record gives them. False, with `carried` unchanged, when the file holds no
// such record.
bool FindMemberInTransferFile(OBJHANDLE transferVessel, bool numbers, CarriedMember& carried);

// Deletes the file when it holds the record of this member or no whole record; a record of
// another transfer stays for its receiver.
void RemoveTransferFileRecordOf(const char* memberString);

}  // namespace crew
