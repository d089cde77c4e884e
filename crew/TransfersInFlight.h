// The transfers this module's ships sent that no ship has ended yet, one for each receiver, with
// the member each transfer vessel carries. A simulator keeps of a vessel in a scenario only what
// the vessel's own class saves: a transfer vessel comes back from a load without the "U-Mm"
// attachment its sender gave it, and the hand-over file holds the record of the last transfer
// only. So every ship of the module writes these records into its own block, and the first of
// its ships that a load reads brings them back (the same record from several ships is one
// record), whichever of the ships were deleted before the save.
#pragma once

#include <cstddef>

#include "crew/TransferVessel.h"
#include "host/CrewAddon.h"
#include "host/HostApi.h"

namespace crew {

// "UMMUTRANSFER receiver age pulse weight length:member-string": the member string, which may hold
// blanks, is the rest of the line; a vessel name holds none. A simulator trims the blanks at the
// end of every scenario line, so the member string's length comes first: the blanks a read line
// lacks of it are those the simulator trimmed. Lines of earlier versions have no length
// ("UMMUTRANSFER receiver age pulse weight member-string") and still read.
inline constexpr char kTransferLineKey[] = "UMMUTRANSFER";

// The longest receiver name a transfer vessel's name holds behind its prefix.
inline constexpr std::size_t kTransferReceiverChars =
    kTransferNameSize - 1 - crew_addon::kVesselPrefixLength;

// One transfer under way. The records are kept in the module's state (crew/ModuleState.h) and grow
// only when a transfer starts or a scenario is read; a scan never allocates there.
struct TransferInFlight {
    char receiver[kTransferReceiverChars + 1];
    // The transfer vessel; null for a record read from a scenario until a scan asks for it.
    OBJHANDLE vessel;
    CarriedMember member;
};

// The sender made `transferVessel`, addressed to `receiverName`, carrying `member`. Replaces the
// record of an earlier transfer to that receiver.
void TransferSent(OBJHANDLE transferVessel, const char* receiverName, const CarriedMember& member);

// The member of the transfer vessel `transferVessel` addressed to `receiverName`, into `member`
// (named). False, with `member` unchanged, when no record of a transfer to that receiver is
// known, when the record belongs to another vessel of that name (one deleted since), or when
// `numbers` says the vessel carries age, pulse and weight (in `member`) and the record's differ.
// A record read from a scenario belongs to the first transfer vessel it is found for.
bool FindTransferInFlight(OBJHANDLE transferVessel, const char* receiverName, bool numbers,
                          CarriedMember& member);

// Whether the module has the record of a transfer to exactly `receiverName` that may be the one
// of `transferVessel` (its vessel, or a record read from a scenario not yet found): a transfer
// this module sent, addressed by the receiver's whole name.
bool SentTransferTo(const char* receiverName, OBJHANDLE transferVessel);

// Whether a transfer this module sent, with a vessel other than `transferVessel`, carries the
// member of this member string, its vessel still under way or lost since: the hand-over file's
// record of that member is that transfer's, never another transfer vessel's.
bool CarriedByAnotherTransfer(const char* memberString, OBJHANDLE transferVessel);

// The transfer of the vessel `transferVessel` has ended (arrived, or its member went into free
// space): its record goes, if the module has one. The record of another transfer to the same ship
// stays (a peer's vessel may bear a cut name, so two transfers to a ship can be under way).
void TransferEnded(OBJHANDLE transferVessel);

// Writes the record of every transfer whose vessel is still in the simulation. The records of
// transfers whose vessel was deleted are dropped, and the hand-over file with them when it holds
// such a member's record: no scan may give that member to a vessel after the load.
void SaveTransfersInFlight(FILEHANDLE scn);

// A record line as read: kNotARecord for a line of another key, kBroken for a record line that
// does not read whole, else kRead with the record (its vessel null).
enum class TransferLine { kNotARecord, kBroken, kRead };
TransferLine ParseTransferLine(const char* line, TransferInFlight& record);

// Takes a record line of a scenario. False, with nothing changed, for any other line; a record
// line that does not read whole is dropped (true).
bool LoadTransferLine(const char* line);

}  // namespace crew
