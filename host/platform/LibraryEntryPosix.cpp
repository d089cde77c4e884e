// The library entry for platforms other than Windows: the loader runs these when the module is
// loaded into the process and when it is unloaded.
#include "host/Platform.h"

namespace {

// Looked up once, while the loader holds the library; unloading cannot look it up again.
HINSTANCE moduleHandle = nullptr;

__attribute__((constructor)) void ProcessAttach() {
    moduleHandle = platform::OwnModuleHandle();
    library_entry::OnProcessAttach(moduleHandle);
}

__attribute__((destructor)) void ProcessDetach() { library_entry::OnProcessDetach(moduleHandle); }

}  // namespace
