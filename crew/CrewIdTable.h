// The module-wide crew ID table: a member's function code to the mesh of the member's crew
// vessel. Built once per module from the names of the crew add-on's crew ID files, with built-in
// entries when the folder gives few.
#pragma once

namespace crew {

inline constexpr int kIdCodeEntries = 256;
inline constexpr int kIdEntries = 255;
inline constexpr int kIdCodeSize = 5;
inline constexpr int kIdTextSize = 25;

struct IdTable {
    char idCodes[kIdCodeEntries][kIdCodeSize];
    char idMeshes[kIdEntries][kIdTextSize];
    char idFunctions[kIdEntries][kIdTextSize];
    int idCount;
};

// The table itself; all empty and idCount 0 until LoadCrewIdTable runs.
IdTable& CrewIdTable();

// One entry as a crew ID file's name gives it.
struct IdEntry {
    char code[kIdCodeSize];
    char mesh[kIdTextSize];
    char function[kIdTextSize];
};

// Parses a file name of the form mesh-function-code.cfg (mesh part at most 18 characters, code 2
// to 4 characters). False when the name has not that form.
bool ParseIdFileName(const char* fileName, IdEntry& entry);

// Builds the table: entry 0, then one entry per valid file name of the crew ID folder, then the
// built-in entries when the folder gave at most 13.
void LoadCrewIdTable();

// The mesh of the first entry whose code equals `code` ignoring case; null for no match and for
// a null or empty code.
const char* FindIdMesh(const char* code);

}  // namespace crew
