#include "ModuleImage.h"

namespace {

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
    for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
        names.emplace_back(At<char>(module, nameRvas[i]));
    }
    return names;
}

std::vector<std::string> ImportedLibraries(HMODULE module) {
    std::vector<std::string> libraries;
    const IMAGE_DATA_DIRECTORY* directory = Directory(module, IMAGE_DIRECTORY_ENTRY_IMPORT);
    if (directory == nullptr) return libraries;
    for (const auto* entry = At<IMAGE_IMPORT_DESCRIPTOR>(module, directory->VirtualAddress);
         entry->Name != 0; ++entry) {
        libraries.emplace_back(At<char>(module, entry->Name));
    }
    return libraries;
}
