// What a loaded module's image says about itself, read from its PE headers in memory: the names
// it exports and the libraries it imports from. Shared by the Windows test programs, the stand-in's
// (tests/windows/) and the simulator's test host (tests/orbiter-host/); each compiles it itself.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The names in the export table, in its order, then one entry kExportedByNumber for each function
// exported by number alone (no name leads to it), so that a list compared against the expected
// names shows it. Nothing for an image without headers or exports.
std::vector<std::string> ExportedNames(HMODULE module);
inline constexpr char kExportedByNumber[] = "(exported by number)";

// The names of the libraries the module imports from, in lower case (the system finds them
// ignoring case), in the import table's order.
std::vector<std::string> ImportedLibraries(HMODULE module);
