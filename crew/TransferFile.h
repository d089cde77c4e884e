// The hand-over file of transfers as receivers read it. Every transfer writes its member's record
// there, so it holds the record of the transfer sent last, which need not be the one a receiver
// takes: a receiver takes nobody from it unless it holds the record meant for that receiver.
#pragma once

#include "crew/TransferVessel.h"

namespace crew {

// Reads the file into spawnRecord. False, with spawnRecord unchanged, when the file is missing or
// shorter than a record.
bool ReadTransferFile();

// Whether spawnRecord's name field is "UMmu_" followed by the member string.
bool TransferFileRecordIsOf(const char* memberString);

// The member a transfer vessel that names none carries: the file's record, when the file holds
// one with the vessel's age, pulse and weight. False when it does not.
bool FindMemberInTransferFile(CarriedMember& carried);

// Deletes the file when it holds the record of this member or no whole record; a record of
// another transfer stays for its receiver.
void RemoveTransferFileRecordOf(const char* memberString);

}  // namespace crew
