// The crew in the scenario: one crew line per member, written after the host's lines and read
// back line by line, the first line of the vessel's block emptying the roster. Without the crew
// add-on the crew lines are kept as read and written back unchanged; with it, so are the lines
// the roster cannot take (not valid, or beyond the seats), after the members' lines.
#include <cstring>

#include "crew/CrewLine.h"
#include "crew/CrewManager.h"
#include "crew/ModuleState.h"

namespace crew {

namespace {

// Room for the longest value a roster member gives.
constexpr std::size_t kValueSize = 128;

}  // namespace

CrewManager::Result CrewManager::SaveCrew(FILEHANDLE scn) const {
    if (!Ready() || crewCount < 1 || scn == nullptr) return Result::kRefused;
    // The host's function takes writable texts.
    char key[sizeof kCrewLineKey];
    std::memcpy(key, kCrewLineKey, sizeof key);
    for (int slot = 0; slot < crewCount; ++slot) {
        char value[kValueSize];
        FormatCrewLineValue(roster[slot], value, sizeof value);
        oapiWriteScenario_string(scn, key, value);
    }
    return Result::kDone;
}

CrewManager::Result CrewManager::LoadCrewLine(const char* line) {
    if (!Ready() || line == nullptr) return Result::kRefused;
    if (loadedCount == kNoCrewLinesRead) {
        ApplyCrewMassToHost(0.0);
        std::memset(roster, 0, sizeof roster);
        crewMass = 0.0;
        loadedCount = 0;
        crewCount = 0;
        PublishSeats();
        CountUnreadCrewLines(keptCrewLines, -1);
        keptCrewLines = KeptCrewLines{};
    }
    if (crewCount >= seatCount) return Result::kRefused;

    CrewMember member{};
    if (!ParseCrewLine(line, member)) return Result::kRefused;
    ++loadedCount;
    SeatMember(member);
    return Result::kDone;
}

CrewManager::Result CrewManager::KeepCrewLine(const char* line) {
    if (!IsCrewLine(line)) return Result::kRefused;
    if (Ready()) {
        // A line LoadCrewLine did not take: it found every seat taken, or the line not valid.
        const KeptCrewLines::Unread why = crewCount >= seatCount
                                              ? KeptCrewLines::Unread::kBeyondSeats
                                              : KeptCrewLines::Unread::kNotValid;
        if (keptCrewLines.KeepUnread(line, why)) return Result::kDone;
        ++TheModuleState().crewLinesNotKept;
        return Result::kRefused;
    }
    if (keptCrewLines.Keep(line)) return Result::kDone;
    ++TheModuleState().crewLinesNotKept;
    return Result::kRefused;
}

void CrewManager::SaveKeptCrewLines(FILEHANDLE scn) const { keptCrewLines.Write(scn); }

}  // namespace crew
