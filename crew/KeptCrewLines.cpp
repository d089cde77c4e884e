#include "crew/KeptCrewLines.h"

#include <algorithm>
#include <cstdio>

#include "crew/CrewText.h"
#include "crew/ModuleState.h"

namespace crew {

bool KeptCrewLines::Keep(const char* line) {
    if (line == nullptr) return false;
    const std::size_t length = BoundedLength(line, kLineSize);
    if (count >= kMostLines || length >= kLineSize) return false;
    CopyText(lines[count], kLineSize, line, length);
    ++count;
    return true;
}

bool KeptCrewLines::KeepUnread(const char* line, Unread why) {
    if (!Keep(line)) return false;
    ++unread[static_cast<int>(why)];
    UnreadCrewLines& all = TheModuleState().unreadCrewLines;
    ++(why == Unread::kNotValid ? all.notValid : all.beyondSeats);
    return true;
}

void CountUnreadCrewLines(const KeptCrewLines& kept, int sign) {
    UnreadCrewLines& all = TheModuleState().unreadCrewLines;
    all.notValid += sign * kept.UnreadCount(KeptCrewLines::Unread::kNotValid);
    all.beyondSeats += sign * kept.UnreadCount(KeptCrewLines::Unread::kBeyondSeats);
}

bool ShowUnreadCrewLines(const char* addonName) {
    const UnreadCrewLines& all = TheModuleState().unreadCrewLines;
    const int notValid = std::max(all.notValid, 0);
    const int beyondSeats = std::max(all.beyondSeats, 0);
    if (notValid + beyondSeats == 0) return false;
    char* line = oapiDebugString();
    if (line == nullptr) return true;
    std::snprintf(line, kDebugStringSize,
                  "%s kept %i crew lines unread (%i not valid, %i beyond the seats): a save "
                  "writes them back as read",
                  addonName == nullptr ? "" : addonName, notValid + beyondSeats, notValid,
                  beyondSeats);
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
