#include "sim/ModuleLibrary.h"

#include <dlfcn.h>

#include "sim/Simulator.h"

namespace sim {

ModuleLibrary::ModuleLibrary(const std::filesystem::path& path) : path_(path) {
    if (!std::filesystem::is_regular_file(path)) {
        throw InputError("module library " + path.string() + " not found");
    }
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) {
        const char* reason = dlerror();
        throw InputError("cannot load module library " + path.string() + ": " +
                         (reason ? reason : "unknown error"));
    }
    init_ = reinterpret_cast<InitFunction>(dlsym(handle_, "ovcInit"));
    exit_ = reinterpret_cast<ExitFunction>(dlsym(handle_, "ovcExit"));
    if (init_ == nullptr || exit_ == nullptr) {
        dlclose(handle_);
        throw InputError("module library " + path.string() +
                         " does not export ovcInit and ovcExit");
    }
}

ModuleLibrary::~ModuleLibrary() { dlclose(handle_); }

}  // namespace sim
