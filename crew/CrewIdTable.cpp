#include "crew/CrewIdTable.h"

#include <cstdio>
#include <cstring>
#include <iterator>

#include "crew/CrewText.h"
#include "crew/ModuleState.h"
#include "host/CrewAddon.h"
#include "host/Platform.h"

namespace crew {

namespace {

struct BuiltInEntry {
    const char* code;
    const char* mesh;
    const char* function;
};

constexpr BuiltInEntry kDefaultEntry{"", crew_addon::kDefaultCrewMesh, "passenger"};

constexpr BuiltInEntry kBuiltInEntries[] = {
    {"Capt", "ummu/ummup", "pilot"},
    {"Ast", "ummu/ummu", "astronaut"},
    {"Sec", "ummu/ummuSEC", "security"},
    {"Vip", "ummu/ummuVIP", "vip"},
    {"Sci", "ummu/ummuSCI", "scientist"},
    {"Bio", "ummu/ummuSCI", "biologist"},
    {"Doc", "ummu/ummuMED", "doctor"},
    {"Geo", "ummu/ummuSCI", "geologist"},
    {"Exo", "ummu/ummuSCI", "exobiologist"},
    {"Clim", "ummu/ummuSCI", "climatologist"},
    {"APhy", "ummu/ummuSCI", "astrophysicist"},
    {"Chem", "ummu/ummuSCI", "chemist"},
    {"Eng", "ummu/ummuTECH", "engineer"},
    {"Min", "ummu/ummuTECH", "miner"},
    {"Tech", "ummu/ummuTECH", "technician"},
    {"Spe", "ummu/ummuTECH", "mission specialist"},
};

// Entries the folder may fill, and the most it may fill for the built-ins still to be added.
constexpr int kMostEntries = 253;
constexpr int kMostEntriesWithBuiltIns = 14;
constexpr std::size_t kMostMeshPartChars = 18;
constexpr std::size_t kMostFunctionChars = 24;
constexpr std::size_t kFewestCodeChars = 2;
constexpr std::size_t kMostCodeChars = 4;
static_assert(kMostEntriesWithBuiltIns + std::size(kBuiltInEntries) <= kIdEntries);

void Store(int index, const char* code, const char* mesh, const char* function) {
    IdTable& table = CrewIdTable();
    CopyText(table.idCodes[index], kIdCodeSize, code, kIdCodeSize - 1);
    CopyText(table.idMeshes[index], kIdTextSize, mesh, kIdTextSize - 1);
    CopyText(table.idFunctions[index], kIdTextSize, function, kIdTextSize - 1);
}

}  // namespace

IdTable& CrewIdTable() { return TheModuleState().idTable; }

bool ParseIdFileName(const char* fileName, IdEntry& entry) {
    if (fileName == nullptr) return false;
    const char* firstHyphen = std::strchr(fileName, '-');
    if (firstHyphen == nullptr) return false;
    const auto meshChars = static_cast<std::size_t>(firstHyphen - fileName);
    if (meshChars > kMostMeshPartChars) return false;
    const char* function = firstHyphen + 1;
    const char* secondHyphen = std::strchr(function, '-');
    if (secondHyphen == nullptr) return false;
    const char* code = secondHyphen + 1;
    const char* stop = std::strchr(code, '.');
    if (stop == nullptr) return false;
    const auto codeChars = static_cast<std::size_t>(stop - code);
    if (codeChars < kFewestCodeChars || codeChars > kMostCodeChars) return false;

    char meshPart[kMostMeshPartChars + 1];
    CopyText(meshPart, sizeof meshPart, fileName, meshChars);
    std::snprintf(entry.mesh, sizeof entry.mesh, "ummu/%s", meshPart);
    const auto functionChars = static_cast<std::size_t>(secondHyphen - function);
    CopyText(entry.function, sizeof entry.function, function,
             functionChars < kMostFunctionChars ? functionChars : kMostFunctionChars);
    CopyText(entry.code, sizeof entry.code, code, codeChars);
    return true;
}

void LoadCrewIdTable() {
    IdTable& table = CrewIdTable();
    table = IdTable{};
    Store(0, kDefaultEntry.code, kDefaultEntry.mesh, kDefaultEntry.function);
    table.idCount = 1;

    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileA(crew_addon::kIdFilePattern, &found);
    if (search != INVALID_HANDLE_VALUE) {
        bool more = true;
        while (more && table.idCount < kMostEntries) {
            found.cFileName[sizeof found.cFileName - 1] = '\0';
            IdEntry entry{};
            if (ParseIdFileName(found.cFileName, entry)) {
                Store(table.idCount, entry.code, entry.mesh, entry.function);
                ++table.idCount;
            }
            more = FindNextFileA(search, &found) != 0;
        }
        FindClose(search);
    }

    if (table.idCount <= kMostEntriesWithBuiltIns) {
        for (const BuiltInEntry& builtIn : kBuiltInEntries) {
            Store(table.idCount, builtIn.code, builtIn.mesh, builtIn.function);
            ++table.idCount;
        }
    }
}

const char* FindIdMesh(const char* code) {
    if (code == nullptr || code[0] == '\0') return nullptr;
    const IdTable& table = CrewIdTable();
    for (int i = 0; i < kIdEntries && table.idMeshes[i][0] != '\0'; ++i) {
        if (EqualsIgnoringCase(table.idCodes[i], code)) return table.idMeshes[i];
    }
    return nullptr;
}

}  // namespace crew
