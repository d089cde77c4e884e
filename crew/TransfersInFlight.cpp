#include "crew/TransfersInFlight.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

#include "crew/CrewText.h"
#include "crew/ModuleState.h"
#include "crew/TransferFile.h"
#include "host/CrewAddon.h"

namespace crew {

namespace {

constexpr std::size_t kKeyChars = sizeof kTransferLineKey - 1;
// A record's line value: the receiver, three numbers of at most 11 characters each, the member
// string's length of at most 2 digits and its colon, the member string, four blanks and the
// terminator.
constexpr std::size_t kValueSize = kTransferReceiverChars + 3 * 11 + 3 + kMemberChars + 5;
constexpr char kLengthMark = ':';
constexpr std::size_t kMostLengthDigits = 2;

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

// The member string's length and its mark at `text`, as a record line of this version has them;
// moves `text` past them. False, leaving `text`, for a line of an earlier version.
bool ReadMemberLength(const char*& text, std::size_t& length) {
    const char* digit = text;
    std::size_t value = 0;
    while (*digit >= '0' && *digit <= '9' &&
           static_cast<std::size_t>(digit - text) < kMostLengthDigits) {
        value = value * 10 + static_cast<std::size_t>(*digit - '0');
        ++digit;
    }
    if (digit == text || *digit != kLengthMark) return false;
    length = value;
    text = digit + 1;
    return true;
}

// The characters of a line's rest up to `most`, without a line end the reader left.
std::size_t RestLength(const char* text, std::size_t most) {
    std::size_t length = BoundedLength(text, most);
    while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n')) --length;
    return length;
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

bool SentTransferTo(const char* receiverName, OBJHANDLE transferVessel) {
    const TransferInFlight* record = receiverName == nullptr ? nullptr : RecordFor(receiverName);
    return record != nullptr && (record->vessel == nullptr || record->vessel == transferVessel);
}

bool CarriedByAnotherTransfer(const char* memberString, OBJHANDLE transferVessel) {
    for (const TransferInFlight& record : Records()) {
        if (record.vessel != transferVessel &&
            std::strcmp(record.member.memberString, memberString) == 0) {
            return true;
        }
    }
    return false;
}

void TransferEnded(OBJHANDLE transferVessel) {
    std::erase_if(Records(), [transferVessel](const TransferInFlight& record) {
        return record.vessel == transferVessel;
    });
}

void SaveTransfersInFlight(FILEHANDLE scn) {
    if (scn == nullptr) return;
    std::vector<TransferInFlight>& records = Records();
    for (auto record = records.begin(); record != records.end();) {
        if (StillUnderWay(*record)) {
            ++record;
        } else {
            RemoveTransferFileRecordOf(record->member.memberString);
            record = records.erase(record);
        }
    }
    char key[sizeof kTransferLineKey];
    std::memcpy(key, kTransferLineKey, sizeof key);
    for (const TransferInFlight& record : records) {
        // A name with a blank could not be read back as one word.
        if (std::strpbrk(record.receiver, " \t") != nullptr) continue;
        const CarriedMember& member = record.member;
        char value[kValueSize];
        const auto length = static_cast<unsigned>(BoundedLength(member.memberString, kMemberChars));
        std::snprintf(value, sizeof value, "%s %d %d %d %u%c%s", record.receiver, member.age,
                      member.pulse, member.weight, length, kLengthMark, member.memberString);
        oapiWriteScenario_string(scn, key, value);
    }
}

TransferLine ParseTransferLine(const char* line, TransferInFlight& record) {
    if (line == nullptr || std::strncmp(line, kTransferLineKey, kKeyChars) != 0 ||
        !IsBlank(line[kKeyChars])) {
        return TransferLine::kNotARecord;
    }
    record = TransferInFlight{};
    const char* text = SkipBlanks(line + kKeyChars);
    const char* receiverEnd = text;
    while (*receiverEnd != '\0' && !IsBlank(*receiverEnd)) ++receiverEnd;
    const auto receiverLength = static_cast<std::size_t>(receiverEnd - text);
    if (receiverLength == 0 || receiverLength > kTransferReceiverChars)
        return TransferLine::kBroken;
    CopyText(record.receiver, sizeof record.receiver, text, receiverLength);

    CarriedMember& member = record.member;
    text = receiverEnd;
    for (int* value : {&member.age, &member.pulse, &member.weight}) {
        text = SkipBlanks(text);
        if (!ReadNumber(text, *value)) return TransferLine::kBroken;
    }
    // One blank parts the weight from the member string, which may begin with a blank itself.
    ++text;
    std::size_t length = 0;
    if (ReadMemberLength(text, length)) {
        const std::size_t present = RestLength(text, length + 1);
        if (present == 0 || length > kMemberChars || present > length) return TransferLine::kBroken;
        CopyText(member.memberString, sizeof member.memberString, text, present);
        std::memset(member.memberString + present, ' ', length - present);
        member.memberString[length] = '\0';
    } else {
        length = RestLength(text, kMemberChars);
        if (length == 0) return TransferLine::kBroken;
        CopyText(member.memberString, sizeof member.memberString, text, length);
    }
    member.named = true;
    return TransferLine::kRead;
}

bool LoadTransferLine(const char* line) {
    TransferInFlight record;
    const TransferLine read = ParseTransferLine(line, record);
    if (read == TransferLine::kRead) {
        Put(record.receiver, BoundedLength(record.receiver, sizeof record.receiver), nullptr,
            record.member);
    }
    return read != TransferLine::kNotARecord;
}

}  // namespace crew
