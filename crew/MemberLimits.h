// What a crew member's data may hold, and what a member of unknown data gets: every check and
// every fill of a member's name, code, age, pulse, weight and crew vessel number uses these.
#pragma once

#include <cstddef>

namespace crew {

// Texts: the roster's buffers, the characters stored in them, and the longest name looked up
// (a member leaving, say).
inline constexpr std::size_t kMemberNameSize = 40;
inline constexpr std::size_t kStoredNameChars = 25;
inline constexpr std::size_t kLookupNameChars = 39;
inline constexpr std::size_t kMemberCodeSize = 8;
inline constexpr std::size_t kStoredCodeChars = 4;

// Most members a roster holds, and so most seats; the roster has two slots more than it ever
// uses.
inline constexpr int kMostMembers = 100;
inline constexpr int kRosterSlots = kMostMembers + 2;

// A range a member's number is held to, both ends included.
struct MemberRange {
    int low;
    int high;
    constexpr bool Holds(int value) const { return value >= low && value <= high; }
    constexpr int Clamp(int value) const {
        return value < low ? low : (value > high ? high : value);
    }
};
// What a member added or read from a crew line may hold (years, beats, kilograms).
inline constexpr MemberRange kAgeRange{1, 140};
inline constexpr MemberRange kPulseRange{0, 180};
inline constexpr MemberRange kWeightRange{5, 300};
// What the pulse setters store.
inline constexpr MemberRange kSetPulseRange{0, 130};

// A member of unknown data: the age and pulse a crew vessel is sent in place of values out of
// range, and the weight a link record's arrival starts with.
inline constexpr int kUnknownAge = 41;
inline constexpr int kUnknownPulse = 60;
inline constexpr int kUnknownWeight = 60;
// The number every crew vessel of a crew manager gets unless it is set otherwise.
inline constexpr int kDefaultEvaValue = 100;

// What a crew vessel is sent: a value outside the range goes as the fallback.
struct SpawnLimit {
    int low;
    int high;
    int fallback;
    constexpr int Apply(int value) const {
        return (value < low || value > high) ? fallback : value;
    }
};
inline constexpr SpawnLimit kSpawnAgeLimit{0, 120, kUnknownAge};
inline constexpr SpawnLimit kSpawnPulseLimit{0, 140, kUnknownPulse};
inline constexpr SpawnLimit kSpawnEvaValueLimit{0, 4000, kDefaultEvaValue};

}  // namespace crew
