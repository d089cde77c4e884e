// The simulator's operating-system calls on POSIX systems. The HUD canvas is a text surface that
// hands every text to its recorder; it keeps no pixels.
#include <dlfcn.h>
#include <stdlib.h>

#include <cerrno>
#include <cstring>

#include "sim/host-side/SimPlatform.h"

namespace sim::os {

namespace fs = std::filesystem;

const char kLibrarySuffix[] = ".so";

void* LoadLibraryFile(const fs::path& path, std::string* error) {
#if defined(QM_KEEP_LIBRARIES_MAPPED)
    // Under a coverage-guided fuzzer: the fuzzer keeps the counters of every instrumented library
    // it saw loaded, so a library may never leave the address space (module-wide state then
    // outlives the library's last vessel).
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
#else
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
#endif
    if (library == nullptr) {
        const char* reason = dlerror();
        *error = reason != nullptr ? reason : "unknown error";
    }
    return library;
}

void* FindLibraryFunction(void* library, const char* name) { return dlsym(library, name); }

void UnloadLibrary(void* library) { dlclose(library); }

fs::path ProgramFolder() {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path() : self.parent_path();
}

fs::path MakeTemporaryFolder(std::string_view prefix, std::string* error) {
    std::string pattern = (fs::temp_directory_path() / prefix).string() + "XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        *error = std::strerror(errno);
        return {};
    }
    return pattern;
}

struct HudCanvas::Impl {};

HudCanvas::HudCanvas() = default;
HudCanvas::~HudCanvas() = default;
void HudCanvas::DrawText(int, int, const char*, int) {}
void HudCanvas::BeginFrame() {}
const std::uint32_t* HudCanvas::Pixels() const { return nullptr; }
int HudCanvas::LineHeight() const { return 0; }

}  // namespace sim::os
