#include "crew/CrewLine.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "crew/CrewText.h"
#include "crew/Truncate.h"

namespace crew {

namespace {

constexpr std::size_t kKeyChars = sizeof kCrewLineKey - 1;
constexpr std::size_t kMostValueChars = 399;
constexpr std::size_t kMostNumberChars = 5;

bool IsWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Characters of the text up to its end, the first hyphen or `limit`, whichever comes first.
std::size_t CharsBeforeHyphen(const char* text, std::size_t limit) {
    std::size_t chars = 0;
    while (chars < limit && text[chars] != '\0' && text[chars] != '-') ++chars;
    return chars;
}

// The decimal integer in the (at most) five characters at `text`, a hyphen among them ending it,
// read like the standard conversion: no digits give 0.
int ReadNumber(const char* text) {
    char digits[kMostNumberChars + 1];
    CopyText(digits, sizeof digits, text, CharsBeforeHyphen(text, kMostNumberChars));
    return static_cast<int>(std::strtol(digits, nullptr, 10));
}

// Moves `hyphen` to the next hyphen after it and reads the number that follows. False without a
// further hyphen or with a number outside the range.
bool ReadField(const char*& hyphen, MemberRange range, int& value) {
    hyphen = std::strchr(hyphen + 1, '-');
    if (hyphen == nullptr) return false;
    value = ReadNumber(hyphen + 1);
    return range.Holds(value);
}

}  // namespace

void FormatCrewLineValue(const CrewMember& member, char* value, std::size_t size) {
    if (size == 0) return;
    std::snprintf(value, size, "%.*s-%.*s-%i-%i-%i",
                  static_cast<int>(BoundedLength(member.idCode, sizeof member.idCode)),
                  member.idCode, static_cast<int>(BoundedLength(member.name, sizeof member.name)),
                  member.name, member.age, member.pulse, TruncateToInt(member.weight));
    ReplaceChar(value, ' ', '_');
}

bool IsCrewLine(const char* line) {
    if (line == nullptr || BoundedLength(line, kKeyChars) < kKeyChars) return false;
    char key[kKeyChars + 1];
    CopyText(key, sizeof key, line, kKeyChars);
    return EqualsIgnoringCase(key, kCrewLineKey);
}

bool ParseCrewLine(const char* line, CrewMember& member) {
    if (!IsCrewLine(line)) return false;

    const char* word = line + kKeyChars;
    while (IsWhiteSpace(*word)) ++word;
    std::size_t wordChars = 0;
    while (wordChars < kMostValueChars && word[wordChars] != '\0' &&
           !IsWhiteSpace(word[wordChars])) {
        ++wordChars;
    }
    char value[kMostValueChars + 1];
    CopyText(value, sizeof value, word, wordChars);

    member = CrewMember{};
    if (value[0] != '-') {
        CopyText(member.idCode, sizeof member.idCode, value,
                 CharsBeforeHyphen(value, kStoredCodeChars));
    }

    const char* hyphen = std::strchr(value, '-');
    if (hyphen == nullptr) return false;
    CopyText(member.name, sizeof member.name, hyphen + 1,
             CharsBeforeHyphen(hyphen + 1, kStoredNameChars));
    ReplaceChar(member.name, '_', ' ');
    SanitizeName(member.name);

    int weight = 0;
    if (!ReadField(hyphen, kAgeRange, member.age) ||
        !ReadField(hyphen, kPulseRange, member.pulse) || !ReadField(hyphen, kWeightRange, weight)) {
        return false;
    }
    member.weight = weight;
    return true;
}

}  // namespace crew
