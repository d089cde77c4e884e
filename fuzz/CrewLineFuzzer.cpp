// A scenario line offered to the crew line reader: it must never read or write past a buffer, and
// a line it takes must give a member within the stored limits.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "crew/CrewLine.h"

namespace {

void Require(bool holds) {
    if (!holds) std::abort();
}

bool IsNameCharacter(char c) {
    return c == ' ' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The host hands lines over as zero-terminated texts.
    const std::string line(reinterpret_cast<const char*>(data), size);
    crew::CrewMember member{};
    if (!crew::ParseCrewLine(line.c_str(), member)) return 0;

    const std::size_t nameLength = strnlen(member.name, sizeof member.name);
    Require(nameLength <= 25);
    for (std::size_t i = 0; i < nameLength; ++i) Require(IsNameCharacter(member.name[i]));
    Require(strnlen(member.idCode, sizeof member.idCode) <= 4);
    Require(member.age >= 1 && member.age <= 140);
    Require(member.pulse >= 0 && member.pulse <= 180);
    Require(member.weight >= 5.0 && member.weight <= 300.0);

    // What is written back reads back as the same member.
    char value[128];
    crew::FormatCrewLineValue(member, value, sizeof value);
    const std::string written = std::string(crew::kCrewLineKey) + " " + value;
    crew::CrewMember again{};
    Require(crew::ParseCrewLine(written.c_str(), again));
    Require(std::strcmp(again.name, member.name) == 0);
    Require(std::strcmp(again.idCode, member.idCode) == 0);
    Require(again.age == member.age && again.pulse == member.pulse &&
            again.weight == member.weight);
    return 0;
}
