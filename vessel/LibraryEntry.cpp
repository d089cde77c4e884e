// What the module does when the host process loads and unloads it: announce itself to the host,
// and call the module's optional exit function once at the end.
#include "host/HostApi.h"
#include "host/Platform.h"

namespace {

// Looked up in this order; the first one the module exports is the exit function.
constexpr const char* kExitFunctionNames[] = {"ExitModule", "opcDLLExit"};

platform::LibraryExitFunction exitFunction = nullptr;

}  // namespace

namespace library_entry {

void OnProcessAttach(HINSTANCE module) {
    InitLib(module);
    exitFunction = nullptr;
    for (const char* name : kExitFunctionNames) {
        exitFunction = platform::FindExport(module, name);
        if (exitFunction != nullptr) break;
    }
}

void OnProcessDetach(HINSTANCE module) {
    platform::LibraryExitFunction exit = exitFunction;
    exitFunction = nullptr;
    if (exit != nullptr) exit(module);
}

}  // namespace library_entry
