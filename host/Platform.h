// The thin operating-system layer. On Windows the module uses the system's own calls; on every
// other platform this header declares stand-ins with the same names and meaning, implemented in
// host/platform/. Nothing outside host/ needs to know which platform it is built for.
#pragma once

#include <cstdint>
#include <cstdio>

#if defined(_WIN32)

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#define QM_EXPORT extern "C" __declspec(dllexport)
#if defined(QM_BUILDING_HOST)
#define QM_HOST_API __declspec(dllexport)
#else
#define QM_HOST_API __declspec(dllimport)
#endif

#else  // not Windows

#define QM_EXPORT extern "C" __attribute__((visibility("default")))
#define QM_HOST_API __attribute__((visibility("default")))

using DWORD = std::uint32_t;
using UINT = unsigned int;
using WORD = std::uint16_t;
using BOOL = int;
using HINSTANCE = void*;
using HANDLE = void*;
inline HANDLE const INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1));
inline constexpr int MAX_PATH = 260;

// A device context: only named by the host's older HUD callback, never drawn on by the module.
using HDC = struct HDC__*;

// The part of a directory entry that the module reads.
struct WIN32_FIND_DATAA {
    DWORD dwFileAttributes;
    char cFileName[MAX_PATH];
};

// Wildcard file-name search ('*' and '?' in the last path element). Backslashes in the pattern
// separate folders, as on Windows.
HANDLE FindFirstFileA(const char* pattern, WIN32_FIND_DATAA* found);
BOOL FindNextFileA(HANDLE search, WIN32_FIND_DATAA* found);
BOOL FindClose(HANDLE search);

#endif

namespace platform {

// Function looked up by name in a library; called with the library's handle.
using LibraryExitFunction = void (*)(HINSTANCE);

// The handle of the library (or program) that holds this code.
HINSTANCE OwnModuleHandle();

// The library's own export `name`, or null when it has none.
LibraryExitFunction FindExport(HINSTANCE module, const char* name);

// Opens a file named with backslash separators, relative to the working folder.
std::FILE* OpenFile(const char* path, const char* mode);

// Deletes a file named with backslash separators; false when it could not be deleted.
bool RemoveFile(const char* path);

// Writes the path this platform opens for `path`, bounded by `capacity` (always terminated when
// capacity > 0): every backslash turned into this platform's separator and, as Windows finds
// files, letter case ignored: where the path does not exist as spelled, an existing file whose
// elements differ from it only in letter case, else (a file to be made) its folder found so and
// its last element as spelled. Returns false when the path was cut. OpenFile, RemoveFile and
// FindFirstFileA open what it writes.
bool NativePath(const char* path, char* out, std::size_t capacity);

}  // namespace platform

// The library entry. A module defines these two functions; the platform layer calls them when
// the library is loaded into a process and when it is unloaded (DllMain on Windows).
namespace library_entry {
void OnProcessAttach(HINSTANCE module);
void OnProcessDetach(HINSTANCE module);
}  // namespace library_entry
