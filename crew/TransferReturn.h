// A transfer vessel whose receiving ship is gone: its member goes back into free space as a crew
// vessel of the add-on's class, in the transfer vessel's place. And the member of a transfer
// vessel that nothing names.
#pragma once

#include "crew/TransferVessel.h"
#include "host/HostApi.h"

namespace crew {

// Replaces the transfer vessel, whose receiver is gone, by a crew vessel "UMmu_" + member string
// that carries the member; the hand-over file goes with the transfer vessel when it holds this
// member's record, and so does the module's record of the transfer. False, with nothing changed,
// when the host creates no crew vessel.
bool ReturnTransferToFreeSpace(OBJHANDLE transferVessel, const VESSEL& transfer,
                               const CarriedMember& member);

// The member a transfer vessel carries when nothing names it: nothing did (the sender's record
// was lost or overwritten, or the vessel came from a scenario saved by a module that kept no
// record), so the crew vessel is named kUnknownMember (with a number when that name is taken),
// and its age, pulse and weight are the ones the vessel's "U-Mm" attachment carries when it has
// one (`numbers`), else those a crew vessel of unknown data gets.
inline constexpr char kUnknownMember[] = "Unknown";
void NameUnknownMember(bool numbers, CarriedMember& member);

}  // namespace crew
