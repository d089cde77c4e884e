// The operating-system layer for platforms other than Windows.
#include <dirent.h>
#include <dlfcn.h>
#include <fnmatch.h>

#include <cstring>
#include <new>

#include "host/Platform.h"

namespace {

// One running file-name search: the open folder and the pattern its names must match.
struct FileSearch {
    DIR* folder;
    char pattern[MAX_PATH];
};

bool NextMatch(FileSearch* search, WIN32_FIND_DATAA* found) {
    while (dirent* entry = readdir(search->folder)) {
        // Windows compares file names without regard to letter case; so does the search here, so
        // that one folder gives the same files on every system.
        if (fnmatch(search->pattern, entry->d_name, FNM_CASEFOLD) != 0) continue;
        std::memset(found, 0, sizeof *found);
        std::snprintf(found->cFileName, sizeof found->cFileName, "%s", entry->d_name);
        return true;
    }
    return false;
}

}  // namespace

HANDLE FindFirstFileA(const char* pattern, WIN32_FIND_DATAA* found) {
    if (pattern == nullptr || found == nullptr) return INVALID_HANDLE_VALUE;
    char path[MAX_PATH];
    if (!platform::NativePath(pattern, path, sizeof path)) return INVALID_HANDLE_VALUE;
    char* slash = std::strrchr(path, '/');
    const char* namePattern = slash ? slash + 1 : path;
    const char* folderName = ".";
    if (slash) {
        *slash = '\0';
        folderName = path[0] ? path : "/";
    }
    auto* search = new (std::nothrow) FileSearch{};
    if (search == nullptr) return INVALID_HANDLE_VALUE;
    std::snprintf(search->pattern, sizeof search->pattern, "%s", namePattern);
    search->folder = opendir(folderName);
    if (search->folder == nullptr || !NextMatch(search, found)) {
        if (search->folder) closedir(search->folder);
        delete search;
        return INVALID_HANDLE_VALUE;
    }
    return search;
}

BOOL FindNextFileA(HANDLE search, WIN32_FIND_DATAA* found) {
    if (search == nullptr || search == INVALID_HANDLE_VALUE || found == nullptr) return 0;
    return NextMatch(static_cast<FileSearch*>(search), found) ? 1 : 0;
}

BOOL FindClose(HANDLE search) {
    if (search == nullptr || search == INVALID_HANDLE_VALUE) return 0;
    auto* running = static_cast<FileSearch*>(search);
    closedir(running->folder);
    delete running;
    return 1;
}

namespace platform {

HINSTANCE OwnModuleHandle() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&OwnModuleHandle), &info) == 0) return nullptr;
    // Loaded already: this only looks the library up and counts one more reference, which
    // FindExport's caller never drops; the library stays loaded as long as the process runs or
    // until its loader unloads it.
    void* handle = dlopen(info.dli_fname, RTLD_LAZY | RTLD_NOLOAD);
    if (handle != nullptr) dlclose(handle);
    return handle;
}

LibraryExitFunction FindExport(HINSTANCE module, const char* name) {
    if (module == nullptr || name == nullptr) return nullptr;
    void* symbol = dlsym(module, name);
    if (symbol == nullptr) return nullptr;
    // dlsym also searches the library's dependencies; only the library's own export counts.
    Dl_info own{};
    Dl_info found{};
    if (dladdr(reinterpret_cast<void*>(&OwnModuleHandle), &own) == 0 ||
        dladdr(symbol, &found) == 0 || own.dli_fbase != found.dli_fbase) {
        return nullptr;
    }
    return reinterpret_cast<LibraryExitFunction>(symbol);
}

bool NativePath(const char* path, char* out, std::size_t capacity) {
    if (capacity == 0) return false;
    std::size_t i = 0;
    for (; path[i] != '\0'; ++i) {
        if (i + 1 >= capacity) {
            out[i] = '\0';
            return false;
        }
        out[i] = path[i] == '\\' ? '/' : path[i];
    }
    out[i] = '\0';
    return true;
}

std::FILE* OpenFile(const char* path, const char* mode) {
    char native[MAX_PATH];
    if (path == nullptr || !NativePath(path, native, sizeof native)) return nullptr;
    return std::fopen(native, mode);
}

bool RemoveFile(const char* path) {
    char native[MAX_PATH];
    if (path == nullptr || !NativePath(path, native, sizeof native)) return false;
    return std::remove(native) == 0;
}

}  // namespace platform
