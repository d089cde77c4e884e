#include "testing/windows/ModuleImage.h"

#include <cctype>

namespace {

// The data directory `entry` of the module's image, or null when the image has no valid headers
// or no such directory.
const IMAGE_DATA_DIRECTORY* Directory(HMODULE module, int entry) {
    if (module == nullptr) return nullptr;
    const auto* base = reinterpret_cast<const unsigned char*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    if (dos->e_magic != IMAGE_DOS_SIGNATURE) return nullptr;
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    if (nt->Signature != IMAGE_NT_SIGNATURE ||
        nt->OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR_MAGIC) {
        return nullptr;
    }
    const IMAGE_DATA_DIRECTORY* directory = &nt->OptionalHeader.DataDirectory[entry];
    return directory->VirtualAddress != 0 && directory->Size != 0 ? directory : nullptr;
}

template <typename T>
const T* At(HMODULE module, DWORD rva) {
    return reinterpret_cast<const T*>(reinterpret_cast<const unsigned char*>(module) + rva);
}

}  // namespace

std::vector<std::string> ExportedNames(HMODULE module) {
    std::vector<std::string> names;
    const IMAGE_DATA_DIRECTORY* directory = Directory(module, IMAGE_DIRECTORY_ENTRY_EXPORT);
    if (directory == nullptr) return names;
    const auto* exports = At<IMAGE_EXPORT_DIRECTORY>(module, directory->VirtualAddress);
    const auto* nameRvas = At<DWORD>(module, exports->AddressOfNames);
    const auto* nameOrdinals = At<WORD>(module, exports->AddressOfNameOrdinals);
    for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
        names.emplace_back(At<char>(module, nameRvas[i]));
    }
    // The address table may have empty slots between ordinals; a filled slot that no name leads
    // to is a function exported by number alone.
    const auto* functionRvas = At<DWORD>(module, exports->AddressOfFunctions);
    for (DWORD f = 0; f < exports->NumberOfFunctions; ++f) {
        if (functionRvas[f] == 0) continue;
        bool named = false;
        for (DWORD i = 0; i < exports->NumberOfNames && !named; ++i) named = nameOrdinals[i] == f;
        if (!named) names.emplace_back(kExportedByNumber);
    }
    return names;
}

std::vector<std::string> ImportedLibraries(HMODULE module) {
    std::vector<std::string> libraries;
    const IMAGE_DATA_DIRECTORY* directory = Directory(module, IMAGE_DIRECTORY_ENTRY_IMPORT);
    if (directory == nullptr) return libraries;
    for (const auto* entry = At<IMAGE_IMPORT_DESCRIPTOR>(module, directory->VirtualAddress);
         entry->Name != 0; ++entry) {
        std::string name = At<char>(module, entry->Name);
        for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        libraries.push_back(name);
    }
    return libraries;
}
