// The entry point the system's loader calls in a DLL (linked with /entry:_DllMainCRTStartup).
// MSVC's runtime would construct the DLL's globals before handing over to DllMain and destroy them
// after DllMain saw the unload; this does the same, and DllMain stays the module's own.
#include <windows.h>

#include "host/msvc/ExitFunctions.h"
#include "host/msvc/Initialisers.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved);

extern "C" BOOL WINAPI _DllMainCRTStartup(HINSTANCE module, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) msvc_runtime::RunInitialisers();
    const BOOL ok = DllMain(module, reason, reserved);
    // A refused attach unloads the DLL at once, with no detach call.
    if (reason == DLL_PROCESS_DETACH || (reason == DLL_PROCESS_ATTACH && !ok)) {
        msvc_runtime::RunExitFunctions();
    }
    return ok;
}
