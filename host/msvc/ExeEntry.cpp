// The entry point of a console program (lld-link's default for /subsystem:console). MSVC's
// runtime would split the command line, construct the globals, call main and exit with its
// result; ucrtbase splits the command line, and exit flushes and closes the C streams.
#include <cstdlib>

#include "host/msvc/ExitFunctions.h"
#include "host/msvc/Initialisers.h"

extern "C" {
// ucrtbase's command-line split; mingw-w64's headers do not declare it. 1 asks for the arguments
// as typed, without wildcard expansion.
int __cdecl _configure_narrow_argv(int mode);
int* __cdecl __p___argc();
char*** __p___argv();

// The program's main. C++ allows no call to main by that name, so it is reached by its symbol:
// "main" on x64, "_main" on x86, where C names carry the user label prefix.
#define QM_SYMBOL_TEXT(prefix) #prefix
#define QM_C_SYMBOL(prefix, name) QM_SYMBOL_TEXT(prefix) name
int ProgramMain(int argc, char** argv) __asm__(QM_C_SYMBOL(__USER_LABEL_PREFIX__, "main"));

int mainCRTStartup() {
    if (_configure_narrow_argv(1) != 0) std::exit(255);
    msvc_runtime::RunInitialisers();
    const int status = ProgramMain(*__p___argc(), *__p___argv());
    msvc_runtime::RunExitFunctions();
    std::exit(status);
}
}
