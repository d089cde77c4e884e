#include "crew/TransfersInFlight.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

#include "crew/CrewText.h"
#include "crew/ModuleState.h"
#include "host/CrewAddon.h"

namespace crew {

namespace {

constexpr std::size_t kKeyChars = sizeof kTransferLineKey - 1;
// A record's line value: the receiver, three numbers of at most 11 characters each, the member
// string, four blanks and the terminator.
constexpr std::size_t kValueSize = kTransferReceiverChars + 3 * 11 + kMemberChars + 5;

std::vector<TransferInFlight>& Records() { return TheModuleState().transfersInFlight; }

TransferInFlight* RecordFor(const char* receiverName) {
    for (TransferInFlight& record : Records()) {
        if (std::strcmp(record.receiver, receiverName) == 0) return &record;
    }
    return nullptr;
}

// Records the transfer to the receiver named by the first `length` characters of `receiverName`.
void Put(const char* receiverName, std::size_t length, OBJHANDLE vessel,
         const CarriedMember& member) {
    TransferInFlight record{{}, vessel, member};
    CopyText(record.receiver, sizeof record.receiver, receiverName, length);
    if (TransferInFlight* known = RecordFor(record.receiver)) {
        *known = record;
    } else {
        Records().push_back(record);
    }
}

const char* SkipBlanks(const char* text) {
    while (IsBlank(*text)) ++text;
    return text;
}

// A decimal integer of the int range followed by a blank, at `text`; moves `text` past it.
bool ReadNumber(const char*& text, int& value) {
    char* end = nullptr;
    errno = 0;
    const long number = std::strtol(text, &end, 10);
    if (end == text || !IsBlank(*end) || errno == ERANGE ||
        number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max()) {
        return false;
    }
    value = static_cast<int>(number);
    text = end;
    return true;
}

// Whether the record's transfer vessel is still in the simulation: a vessel bears its name and,
// once the record knows its vessel, is that vessel.
bool StillUnderWay(const TransferInFlight& record) {
    char name[kTransferNameSize];
    if (!ComposeTransferName(record.receiver, name)) return false;
    const OBJHANDLE found = oapiGetObjectByName(name);
    return found != nullptr && (record.vessel == nullptr || found == record.vessel);
}

}  // namespace

void TransferSent(OBJHANDLE transferVessel, const char* receiverName, const CarriedMember& member) {
    if (receiverName == nullptr) return;
    const std::size_t length = BoundedLength(receiverName, kTransferReceiverChars + 1);
    if (length <= kTransferReceiverChars) Put(receiverName, length, transferVessel, member);
}

bool FindTransferInFlight(OBJHANDLE transferVessel, const char* receiverName, bool numbers,
                          CarriedMember& member) {
    TransferInFlight* record = receiverName == nullptr ? nullptr : RecordFor(receiverName);
    if (record == nullptr || (record->vessel != nullptr && record->vessel != transferVessel)) {
        return false;
    }
    const CarriedMember& recorded = record->member;
    if (numbers && (recorded.age != member.age || recorded.pulse != member.pulse ||
                    recorded.weight != member.weight)) {
        return false;
    }
    record->vessel = transferVessel;
    member = recorded;
    return true;
}

void TransferEnded(const char* receiverName) {
    if (receiverName == nullptr) return;
    std::vector<TransferInFlight>& records = Records();
    std::erase_if(records, [receiverName](const TransferInFlight& r) {
        return std::strcmp(r.receiver, receiverName) == 0;
    });
}

void SaveTransfersInFlight(FILEHANDLE scn) {
    if (scn == nullptr) return;
    char key[sizeof kTransferLineKey];
    std::memcpy(key, kTransferLineKey, sizeof key);
    for (const TransferInFlight& record : Records()) {
        // A name with a blank could not be read back as one word.
        if (std::strpbrk(record.receiver, " \t") != nullptr || !StillUnderWay(record)) continue;
        char value[kValueSize];
        std::snprintf(value, sizeof value, "%s %d %d %d %s", record.receiver, record.member.age,
                      record.member.pulse, record.member.weight, record.member.memberString);
        oapiWriteScenario_string(scn, key, value);
    }
}

bool LoadTransferLine(const char* line) {
    if (line == nullptr || std::strncmp(line, kTransferLineKey, kKeyChars) != 0 ||
        !IsBlank(line[kKeyChars])) {
        return false;
    }
    const char* text = SkipBlanks(line + kKeyChars);
    const char* receiverEnd = text;
    while (*receiverEnd != '\0' && !IsBlank(*receiverEnd)) ++receiverEnd;
    const auto receiverLength = static_cast<std::size_t>(receiverEnd - text);
    if (receiverLength == 0 || receiverLength > kTransferReceiverChars) return true;
    const char* receiver = text;

    CarriedMember member;
    text = receiverEnd;
    for (int* value : {&member.age, &member.pulse, &member.weight}) {
        text = SkipBlanks(text);
        if (!ReadNumber(text, *value)) return true;
    }
    // One blank parts the weight from the member string, which may begin with a blank itself.
    ++text;
    std::size_t length = BoundedLength(text, kMemberChars);
    while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n')) --length;
    if (length == 0) return true;
    CopyText(member.memberString, sizeof member.memberString, text, length);
    member.named = true;
    Put(receiver, receiverLength, nullptr, member);
    return true;
}

}  // namespace crew
