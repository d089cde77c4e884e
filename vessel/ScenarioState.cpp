// The ship's block in a scenario: the crew lines on top of the host's own lines, and the
// transponder channel read back.
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "vessel/Quillmar.h"

namespace {

constexpr char kTransponderKey[] = "XPDR";
constexpr int kTransponderKeyLength = 4;

constexpr char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// True when `line` begins with the transponder keyword, letter case ignored. A longer keyword that
// begins with these four letters counts as well.
bool IsTransponderLine(const char* line) {
    for (int i = 0; i < kTransponderKeyLength; ++i) {
        if (LowerAscii(line[i]) != LowerAscii(kTransponderKey[i])) return false;
    }
    return true;
}

// The channel written right after the keyword, blanks before it allowed. False when no channel
// number (digits, no sign) stands there or it does not fit.
bool ReadTransponderChannel(const char* line, int& channel) {
    const char* text = line + kTransponderKeyLength;
    while (*text == ' ' || *text == '\t') ++text;
    if (*text < '0' || *text > '9') return false;
    errno = 0;
    const long value = std::strtol(text, nullptr, 10);
    if (errno == ERANGE || value > INT_MAX) return false;
    channel = static_cast<int>(value);
    return true;
}

}  // namespace

void Quillmar::clbkLoadStateEx(FILEHANDLE scn, void* status) {
    char* line = nullptr;
    while (oapiReadScenario_nextline(scn, line)) {
        if (line == nullptr) continue;
        if (crew.LoadCrewLine(line) == 1) continue;
        if (IsTransponderLine(line)) {
            ReadTransponderChannel(line, transponderChannel);
            EnableTransponder(true);
            SetTransponderChannel(static_cast<unsigned int>(transponderChannel));
        }
        ParseScenarioLineEx(line, status);
    }
}

void Quillmar::clbkSaveState(FILEHANDLE scn) {
    VESSEL2::clbkSaveState(scn);
    crew.SaveCrew(scn);
}
