// A crew line of the scenario: the key "UMMUCREW" and the value code-name-age-pulse-weight,
// written with underscores in place of spaces.
#pragma once

#include <cstddef>

#include "crew/CrewMember.h"

namespace crew {

inline constexpr char kCrewLineKey[] = "UMMUCREW";

// Formats the value of a member's crew line into `value` (bounded by `size`).
void FormatCrewLineValue(const CrewMember& member, char* value, std::size_t size);

// Whether a scenario line begins with the key, in any letter case. A null line has no key.
bool IsCrewLine(const char* line);

// Reads a scenario line. True when it is a valid crew line (key in any letter case, then the
// value as the first word after it); `member` then holds the code, the name (underscores turned
// into spaces, then sanitized, at most kStoredNameChars characters), and the age, the pulse and
// the weight within their ranges (MemberLimits.h). On false `member` is unspecified.
bool ParseCrewLine(const char* line, CrewMember& member);

}  // namespace crew
