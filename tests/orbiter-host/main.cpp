// orbiter.exe, the test host: a stand-in for the simulator's executable, built in the simulator's
// own C++ ABI (MSVC) from the project's declaration of the interface (host/) as its host side, so
// that it exports the interface's functions and classes under the names the real orbiter.exe
// exports them. Run under Wine as
//   orbiter.exe Quillmar.dll examples/root
// it copies the sample root folder to a temporary working folder, loads the module with
// LoadLibrary and drives it as the simulator does: ovcInit/ovcExit for several ships, class
// set-up, scenario load and save, frames (rotation limits, a crew vessel walking in, a transfer
// between docked ships), buffered keys (an EVA with its crew vessel and hand-over file), HUD
// drawing through a Sketchpad that draws with GDI into a real bitmap, a ship without the crew
// add-on, unloading. It calls the module's callbacks through the slots of the ABI table
// (VesselBySlot.h), not through host/Vessel.h, and checks what arrives in the host's functions
// against the module's own set-up tables; the last line counts passed and failed checks, and the
// exit status is 0 only when every check passed.
//
// What this proves: the module's imports resolve by their MSVC names against an executable that
// exports them; its objects have the simulator's layout and vtable order as the ABI table gives
// them; values cross the boundary intact; it needs no runtime DLL beyond the system's. What only a
// run in the real simulator can prove: that the real orbiter.exe exports every name the module
// imports
// (`llvm-readobj --coff-exports orbiter.exe` on an installation, compared with
// `llvm-readobj --coff-imports Quillmar.dll`), and everything this host only records instead of
// doing as the simulator does: physics, docking, the default HUD, the scenario parser, the
// graphics client's Sketchpad, and the crew add-on's own module.
#include <windows.h>

#include <cstdio>
#include <string>

#include "Check.h"
#include "ModuleChecks.h"
#include "RootFolder.h"

namespace {

constexpr char kModuleClass[] = "Quillmar";

const char* modulePath = nullptr;
bool moduleLoaded = false;

void CheckLibraryLoad() { moduleLoaded = LoadModule(modulePath, kModuleClass); }

// A fault inside the module (a call through a wrong vtable slot, a bad layout) ends the run; say
// where, so that the run's output names it like any other failed check.
LONG WINAPI ReportCrash(EXCEPTION_POINTERS* info) {
    std::printf("FAILED in group \"%s\": exception 0x%08lx at %p\n", check::CurrentGroup(),
                static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode),
                info->ExceptionRecord->ExceptionAddress);
    std::printf("%d passed, %d failed\n", check::Passed(), check::Failed() + 1);
    std::fflush(stdout);
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: orbiter.exe MODULE.dll SAMPLE_ROOT_FOLDER\n");
        return 2;
    }
    // Resolved before the working folder changes.
    const std::string module = FullPath(argv[1]);
    RootFolder root;
    if (module.empty() || !root.Enter(argv[2])) return 2;

    SetUnhandledExceptionFilter(ReportCrash);
    modulePath = module.c_str();
    check::Group("library load (InitLib, exports)", CheckLibraryLoad);
    if (moduleLoaded) RunModuleChecks();

    std::printf("%d passed, %d failed\n", check::Passed(), check::Failed());
    return check::Failed() == 0 && moduleLoaded ? 0 : 1;
}
