#include "RootFolder.h"

#include <windows.h>

#include <cstdio>

namespace {

bool IsDotEntry(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

bool CopyTree(const std::string& from, const std::string& to) {
    if (!CreateDirectoryA(to.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        return false;
    }
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((from + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    do {
        if (IsDotEntry(found.cFileName)) continue;
        const std::string source = from + "\\" + found.cFileName;
        const std::string target = to + "\\" + found.cFileName;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            ok = CopyTree(source, target) && ok;
        } else {
            ok = CopyFileA(source.c_str(), target.c_str(), TRUE) != FALSE && ok;
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return ok;
}

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (IsDotEntry(found.cFileName)) continue;
            const std::string entry = folder + "\\" + found.cFileName;
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                RemoveTree(entry);
            } else {
                DeleteFileA(entry.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

std::string FullPath(const char* path) {
    char full[MAX_PATH];
    const DWORD length = GetFullPathNameA(path, sizeof full, full, nullptr);
    if (length == 0 || length >= sizeof full) return "";
    return full;
}

bool RootFolder::Enter(const char* sample) {
    const std::string source = FullPath(sample);
    char temp[MAX_PATH];
    const DWORD tempLength = GetTempPathA(sizeof temp, temp);
    char current[MAX_PATH];
    const DWORD currentLength = GetCurrentDirectoryA(sizeof current, current);
    if (source.empty() || tempLength == 0 || tempLength >= sizeof temp || currentLength == 0 ||
        currentLength >= sizeof current) {
        std::fprintf(stderr, "cannot resolve the folders for %s\n", sample);
        return false;
    }
    char name[MAX_PATH];
    std::snprintf(name, sizeof name, "%sorbiter-host-%lu-%lu", temp,
                  static_cast<unsigned long>(GetCurrentProcessId()),
                  static_cast<unsigned long>(GetTickCount()));
    if (!CopyTree(source, name)) {
        std::fprintf(stderr, "cannot copy %s to %s\n", source.c_str(), name);
        RemoveTree(name);
        return false;
    }
    path_ = name;
    previous_ = current;
    if (!SetCurrentDirectoryA(path_.c_str())) {
        std::fprintf(stderr, "cannot change into %s\n", path_.c_str());
        return false;
    }
    return true;
}

RootFolder::~RootFolder() {
    if (path_.empty()) return;
    if (!previous_.empty()) SetCurrentDirectoryA(previous_.c_str());
    RemoveTree(path_);
}
