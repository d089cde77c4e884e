// The operating-system layer on Windows: the system's own calls; paths keep their backslashes.
#include <cstring>

#include "host/Platform.h"

namespace platform {

HINSTANCE OwnModuleHandle() {
    HMODULE module = nullptr;
    GetModuleHandleExA(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCSTR>(&OwnModuleHandle), &module);
    return module;
}

LibraryExitFunction FindExport(HINSTANCE module, const char* name) {
    if (module == nullptr || name == nullptr) return nullptr;
    return reinterpret_cast<LibraryExitFunction>(
        reinterpret_cast<void*>(GetProcAddress(module, name)));
}

bool NativePath(const char* path, char* out, std::size_t capacity) {
    if (capacity == 0) return false;
    const std::size_t length = std::strlen(path);
    const bool fits = length < capacity;
    const std::size_t kept = fits ? length : capacity - 1;
    std::memcpy(out, path, kept);
    out[kept] = '\0';
    return fits;
}

std::FILE* OpenFile(const char* path, const char* mode) {
    if (path == nullptr || mode == nullptr) return nullptr;
    return std::fopen(path, mode);
}

bool RemoveFile(const char* path) { return path != nullptr && std::remove(path) == 0; }

}  // namespace platform
