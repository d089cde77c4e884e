// The module-wide hand-over record: both hand-over files are written from it and the transfer
// file is read back into it. Fields are only overwritten, never cleared.
#pragma once

#include "host/CrewAddon.h"

namespace crew {

inline crew_addon::HandOverRecord spawnRecord{};

// Writes the whole record to the file (created or truncated). False when it cannot be opened.
bool SaveSpawnRecord(const char* path);

// Reads one whole record from the file into spawnRecord. False, with spawnRecord unchanged, when
// the file cannot be opened or holds less than a record.
bool LoadSpawnRecord(const char* path);

}  // namespace crew
