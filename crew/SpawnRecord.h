// The module-wide hand-over record (ModuleState::spawnRecord): both hand-over files are written
// from it and the transfer file is read back into it. Fields are only overwritten, never cleared.
#pragma once

#include "host/CrewAddon.h"

namespace crew {

// What both hand-over files carry of a member.
struct HandOverFields {
    const char* crewName;  // "UMmu_" + member string
    int age;
    int pulse;
    int evaValue;
    int weight;
};

// Overwrites the record's fields but the mesh; bytes behind the name's terminator stay.
void FillSpawnRecord(const HandOverFields& fields, int ejectFlag);

// Overwrites the record's mesh, cut to fit; bytes behind its terminator stay.
void SetSpawnRecordMesh(const char* mesh);

// Writes the whole record to the file (created or truncated). False when it cannot be opened.
bool SaveSpawnRecord(const char* path);

// Reads one whole record from the file into the record. False, with the record unchanged, when
// the file cannot be opened or holds less than a record.
bool LoadSpawnRecord(const char* path);

}  // namespace crew
