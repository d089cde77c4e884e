// Crew lines kept as read by a crew manager that never got ready (the crew add-on is not
// installed), or that a ready one could not take (a line that is not valid, or one beyond the
// seats): it takes no member from them, and writes them back unchanged, in their order, so that
// saving a scenario does not lose the crew of a ship whose player has no crew add-on, nor a line
// the ship could not seat. The simulator drops the lines no reader takes.
#pragma once

#include <cstddef>

#include "host/HostApi.h"

namespace crew {

class KeptCrewLines {
  public:
    // Room for a full ship: every crew line a ship of 50 seats writes. A ship with the crew
    // add-on takes no more crew lines than it has seats either.
    static constexpr int kMostLines = 50;
    // Room for a line of 127 characters; the longest line a crew manager writes has 51 (the key,
    // a blank, a code of 4, a name of 25 and three numbers of up to three digits, with their
    // hyphens).
    static constexpr std::size_t kLineSize = 128;

    // Keeps the line as read. False, keeping nothing, when the line is null, longer than
    // kLineSize - 1 characters or kMostLines lines are kept already: such a line goes on to the
    // host as every line does that no reader of the ship takes, and the crew manager says on the
    // debug line that a save will not write it.
    bool Keep(const char* line);

    // Why a ready manager keeps a line unread.
    enum class Unread { kNotValid, kBeyondSeats };
    // Keeps the line as Keep does, counted by reason for the debug line (UnreadCrewLines).
    bool KeepUnread(const char* line, Unread why);
    // Lines kept by KeepUnread, by reason.
    int UnreadCount(Unread why) const { return unread[static_cast<int>(why)]; }
    // Writes the kept lines in their order, each with its key as read (the line's first word)
    // and the rest of the line, without the blanks after the key, as its value.
    void Write(FILEHANDLE scn) const;

  private:
    char lines[kMostLines][kLineSize]{};
    int count = 0;
    int unread[2]{};
};

// Lines that ready managers keep unread, in all ships of the module: a manager adds its own when
// it keeps one, and takes them away when it drops its kept lines or goes.
struct UnreadCrewLines {
    int notValid = 0;
    int beyondSeats = 0;
};
void CountUnreadCrewLines(const KeptCrewLines& kept, int sign);

// Writes the module's note about unread lines on the host's debug line, when there are any:
// "<addon> kept N crew lines unread (X not valid, Y beyond the seats): a save writes them back
// as read". False, with the line untouched, when there are none.
bool ShowUnreadCrewLines(const char* addonName);

}  // namespace crew
