// What a transfer vessel carries. Its name, "UMmuT" followed by the receiving ship's whole name,
// addresses one ship only; its "U-Mm" attachment carries the member's age, pulse and weight in
// the position vector and the member string in the direction and rotation vectors, which carry
// nothing else, so that the vessel names its member without the hand-over file that every
// transfer shares.
#pragma once

#include <cstddef>

#include "host/HostApi.h"

namespace crew {

// Room for a transfer vessel's name: the prefix, a ship name of the host's longest and the
// terminator, with room to spare.
inline constexpr std::size_t kTransferNameSize = 300;
// The longest member string a transfer carries: as much as the hand-over record's name field
// holds behind "UMmu_".
inline constexpr std::size_t kMemberChars = 33;

// "UMmuT" followed by the receiver's whole name. False, with `name` empty, when the receiver's
// name is null or too long for a name of kTransferNameSize bytes.
bool ComposeTransferName(const char* receiverName, char (&name)[kTransferNameSize]);

// The direction and rotation vectors that carry the member string (cut to kMemberChars).
struct MemberVectors {
    VECTOR3 direction;
    VECTOR3 rotation;
};
MemberVectors EncodeMember(const char* memberString);

// The member string the vectors carry, into `memberString`. False, with `memberString` empty,
// when they carry none (a transfer vessel made by a sender that leaves them zero).
bool DecodeMember(const VECTOR3& direction, const VECTOR3& rotation,
                  char (&memberString)[kMemberChars + 1]);

// What a transfer vessel's last parent attachment "U-Mm" carries.
struct CarriedMember {
    int age = 0;
    int pulse = 0;
    int weight = 0;
    // Whether the member string was found; empty when not.
    bool named = false;
    char memberString[kMemberChars + 1]{};
};

// Reads the vessel's last parent attachment; false when it is not "U-Mm".
bool ReadCarriedMember(const VESSEL& vessel, CarriedMember& carried);

}  // namespace crew
