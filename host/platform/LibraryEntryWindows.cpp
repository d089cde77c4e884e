// The library entry on Windows: the system's loader calls DllMain when the module is loaded into
// the process and when it is unloaded.
#include "host/Platform.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID /*reserved*/) {
    switch (reason) {
        case DLL_PROCESS_ATTACH:
            library_entry::OnProcessAttach(module);
            break;
        case DLL_PROCESS_DETACH:
            library_entry::OnProcessDetach(module);
            break;
        default:  // thread attach and detach need nothing
            break;
    }
    return TRUE;
}
