// The transponder line of a ship's scenario block: the keyword "XPDR" and the channel number.
#pragma once

namespace quillmar::transponder_line {

// True when `line` begins with the keyword, letter case ignored. A longer keyword that begins
// with these four letters counts as well.
bool IsTransponderLine(const char* line);

// The channel written right after the keyword, blanks before it allowed. False, with `channel`
// untouched, when no channel number (digits, no sign) stands there or it does not fit an int.
bool ReadChannel(const char* line, int& channel);

}  // namespace quillmar::transponder_line
