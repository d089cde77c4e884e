// A small module that shares the ship module's library entry and exports an exit function, so a
// test can watch what unloading does. Built twice: exporting both exit names, and only the
// second one. The exit function appends its name and the handle it got to the host's debug line.
#include <cstdio>
#include <cstring>

#include "host/HostApi.h"

namespace {

void NoteExitCall(const char* name, HINSTANCE module) {
    char* line = oapiDebugString();
    const std::size_t used = std::strlen(line);
    if (used < kDebugStringSize) {
        std::snprintf(line + used, kDebugStringSize - used, "%s %p;", name,
                      static_cast<void*>(module));
    }
}

}  // namespace

#if defined(EXPORT_EXIT_MODULE)
QM_EXPORT void ExitModule(HINSTANCE module) { NoteExitCall("ExitModule", module); }
#endif

QM_EXPORT void opcDLLExit(HINSTANCE module) { NoteExitCall("opcDLLExit", module); }
