// The operating-system layer for platforms other than Windows.
#include <dirent.h>
#include <dlfcn.h>
#include <fnmatch.h>
#include <strings.h>
#include <sys/stat.h>

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

// Appends the elements of `rest` ('/'-separated) to the path `out` holds up to `length`, each
// element spelled as the folder above it has an entry equal to it ignoring letter case: the entry
// spelled exactly first, then every other that matches (a file system that tells case apart may
// hold "config" and "Config" side by side). True, with `out` terminated, when the whole path names
// an existing entry; bounded by `capacity`.
bool ResolveNoCase(char* out, std::size_t length, std::size_t capacity, const char* rest) {
    while (*rest == '/') ++rest;
    if (*rest == '\0') {
        out[length] = '\0';
        struct stat status {};
        return stat(length == 0 ? "." : out, &status) == 0;
    }
    const char* end = std::strchr(rest, '/');
    const std::size_t size = end ? static_cast<std::size_t>(end - rest) : std::strlen(rest);
    const char* next = rest + size;
    const std::size_t separator = length > 0 && out[length - 1] != '/' ? 1 : 0;
    if (length + separator + size + 1 > capacity) return false;
    const auto tryName = [&](const char* name) {
        if (separator) out[length] = '/';
        std::memcpy(out + length + separator, name, size);
        return ResolveNoCase(out, length + separator + size, capacity, next);
    };
    if (tryName(rest)) return true;
    // "." and ".." have no other spelling.
    if ((size == 1 && rest[0] == '.') || (size == 2 && rest[0] == '.' && rest[1] == '.')) {
        return false;
    }
    out[length] = '\0';
    DIR* folder = opendir(length == 0 ? "." : out);
    if (folder == nullptr) return false;
    bool found = false;
    while (!found) {
        const dirent* entry = readdir(folder);
        if (entry == nullptr) break;
        if (std::strlen(entry->d_name) != size || strncasecmp(entry->d_name, rest, size) != 0 ||
            std::strncmp(entry->d_name, rest, size) == 0) {
            continue;
        }
        found = tryName(entry->d_name);
    }
    closedir(folder);
    return found;
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
    char spelled[MAX_PATH];
    std::size_t i = 0;
    for (; path[i] != '\0'; ++i) {
        if (i + 1 >= capacity || i + 1 >= sizeof spelled) {
            out[0] = '\0';
            return false;
        }
        spelled[i] = path[i] == '\\' ? '/' : path[i];
    }
    spelled[i] = '\0';
    struct stat status {};
    if (stat(spelled, &status) == 0) {
        std::memcpy(out, spelled, i + 1);
        return true;
    }
    // Not there as spelled: what Windows finds, an existing file whose name differs only in letter
    // case; else, for a file to be made, its folder found so and the last element as spelled.
    std::size_t start = 0;
    if (spelled[0] == '/') {
        out[0] = '/';
        start = 1;
    }
    out[start] = '\0';
    if (ResolveNoCase(out, start, capacity, spelled + start)) return true;
    char* last = std::strrchr(spelled, '/');
    if (last != nullptr && last > spelled) {
        *last = '\0';
        out[start] = '\0';
        if (ResolveNoCase(out, start, capacity, spelled + start)) {
            const std::size_t folder = std::strlen(out);
            const std::size_t name = std::strlen(last + 1);
            if (folder + 1 + name < capacity) {
                out[folder] = '/';
                std::memcpy(out + folder + 1, last + 1, name + 1);
                return true;
            }
        }
        *last = '/';
    }
    std::memcpy(out, spelled, i + 1);
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
