// One roster entry of a crew manager.
#pragma once

#include "crew/MemberLimits.h"

namespace crew {

struct CrewMember {
    // At most kStoredNameChars characters: letters, digits and spaces.
    char name[kMemberNameSize];
    int age;        // years, within kAgeRange
    int pulse;      // within kPulseRange
    double weight;  // kilograms, a whole number within kWeightRange
    // Function code, at most kStoredCodeChars characters, may be empty.
    char idCode[kMemberCodeSize];
};

}  // namespace crew
