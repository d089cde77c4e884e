#include "crew/KeptCrewLines.h"

#include "crew/CrewText.h"

namespace crew {

bool KeptCrewLines::Keep(const char* line) {
    if (line == nullptr) return false;
    const std::size_t length = BoundedLength(line, kLineSize);
    if (count >= kMostLines || length >= kLineSize) return false;
    CopyText(lines[count], kLineSize, line, length);
    ++count;
    return true;
}

void KeptCrewLines::Write(FILEHANDLE scn) const {
    if (scn == nullptr) return;
    for (int i = 0; i < count; ++i) {
        // The host's function takes writable texts.
        char key[kLineSize];
        const char* line = lines[i];
        std::size_t keyChars = 0;
        while (line[keyChars] != '\0' && !IsBlank(line[keyChars])) ++keyChars;
        CopyText(key, sizeof key, line, keyChars);
        const char* rest = line + keyChars;
        while (IsBlank(*rest)) ++rest;
        char value[kLineSize];
        CopyText(value, sizeof value, rest, kLineSize - 1);
        oapiWriteScenario_string(scn, key, value);
    }
}

}  // namespace crew
