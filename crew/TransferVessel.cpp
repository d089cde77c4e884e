#include "crew/TransferVessel.h"

#include <cmath>
#include <cstring>

#include "crew/CrewText.h"
#include "crew/Truncate.h"
#include "host/CrewAddon.h"

namespace crew {

namespace {

// Six bytes to each of the six numbers: a double holds whole numbers below 2^53 exactly.
constexpr std::size_t kBytesPerNumber = 6;
constexpr std::size_t kNumbers = 6;
constexpr std::size_t kBytes = kBytesPerNumber * kNumbers;
constexpr double kByteValues = 256.0;
// Closes the bytes: vectors that end otherwise (zero ones, say) carry no member string.
constexpr char kMark[] = "QmT";
constexpr std::size_t kMarkChars = sizeof kMark - 1;
static_assert(kMemberChars + kMarkChars <= kBytes, "the member string and the mark fit");

using Bytes = unsigned char[kBytes];

double* Number(MemberVectors& vectors, std::size_t i) {
    VECTOR3& vector = i < 3 ? vectors.direction : vectors.rotation;
    return &vector.data[i % 3];
}

}  // namespace

bool ComposeTransferName(const char* receiverName, char (&name)[kTransferNameSize]) {
    name[0] = '\0';
    if (receiverName == nullptr) return false;
    const std::size_t room = kTransferNameSize - 1 - crew_addon::kVesselPrefixLength;
    if (BoundedLength(receiverName, room + 1) > room) return false;
    JoinText(name, sizeof name, crew_addon::kTransferVesselPrefix, receiverName);
    return true;
}

MemberVectors EncodeMember(const char* memberString) {
    Bytes bytes{};
    const std::size_t chars =
        memberString == nullptr ? 0 : BoundedLength(memberString, kMemberChars);
    if (chars > 0) std::memcpy(bytes, memberString, chars);
    std::memcpy(bytes + kBytes - kMarkChars, kMark, kMarkChars);

    MemberVectors vectors{};
    for (std::size_t i = 0; i < kNumbers; ++i) {
        double value = 0.0;
        for (std::size_t b = kBytesPerNumber; b-- > 0;) {
            value = value * kByteValues + bytes[i * kBytesPerNumber + b];
        }
        *Number(vectors, i) = value;
    }
    return vectors;
}

bool DecodeMember(const VECTOR3& direction, const VECTOR3& rotation,
                  char (&memberString)[kMemberChars + 1]) {
    std::memset(memberString, 0, sizeof memberString);
    MemberVectors vectors{direction, rotation};
    Bytes bytes{};
    for (std::size_t i = 0; i < kNumbers; ++i) {
        double value = *Number(vectors, i);
        if (!(value >= 0.0 && value < std::ldexp(1.0, 8 * kBytesPerNumber)) ||
            value != std::floor(value)) {
            return false;
        }
        for (std::size_t b = 0; b < kBytesPerNumber; ++b) {
            const double rest = std::floor(value / kByteValues);
            bytes[i * kBytesPerNumber + b] = static_cast<unsigned char>(value - rest * kByteValues);
            value = rest;
        }
    }
    if (std::memcmp(bytes + kBytes - kMarkChars, kMark, kMarkChars) != 0) return false;
    CopyText(memberString, sizeof memberString, reinterpret_cast<const char*>(bytes), kMemberChars);
    return true;
}

bool ReadCarriedMember(const VESSEL& vessel, CarriedMember& carried) {
    carried = CarriedMember{};
    const DWORD parents = vessel.AttachmentCount(true);
    if (parents == 0) return false;
    const ATTACHMENTHANDLE member = vessel.GetAttachmentHandle(true, parents - 1);
    if (member == nullptr) return false;
    const char* id = vessel.GetAttachmentId(member);
    if (id == nullptr || !EqualsLiteral(id, crew_addon::kMemberAttachmentId)) {
        return false;
    }
    VECTOR3 numbers{};
    VECTOR3 direction{};
    VECTOR3 rotation{};
    vessel.GetAttachmentParams(member, numbers, direction, rotation);
    carried.age = TruncateToInt(numbers.x);
    carried.pulse = TruncateToInt(numbers.y);
    carried.weight = TruncateToInt(numbers.z);
    carried.named = DecodeMember(direction, rotation, carried.memberString);
    return true;
}

}  // namespace crew
