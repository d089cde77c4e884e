// Reading and writing a vessel's scenario block through the FILEHANDLE the host hands to its
// callbacks: what oapiReadScenario_nextline and oapiWriteScenario_string do for a module, and
// what the host's own default callbacks do for themselves, which is no call into the host.
#pragma once

#include <string_view>

#include "host/HostApi.h"

namespace sim {

// The block's next line (a writable copy the host keeps until the next call); false after the
// last line, or when `scn` is not the block being read.
bool NextScenarioLine(FILEHANDLE scn, char*& line);

// Adds "ITEM VALUE" (or "ITEM" when the value is empty) to the block being written; nothing when
// `scn` is not that block.
void WriteScenarioLine(FILEHANDLE scn, std::string_view item, std::string_view value);

}  // namespace sim
