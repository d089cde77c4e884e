// What a loaded module's image says about itself: the names it exports and the libraries it
// imports from, read from its PE headers in memory.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

std::vector<std::string> ExportedNames(HMODULE module);
std::vector<std::string> ImportedLibraries(HMODULE module);
