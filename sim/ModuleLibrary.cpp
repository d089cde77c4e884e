#include "sim/ModuleLibrary.h"

#include "sim/SimPlatform.h"
#include "sim/Simulator.h"

namespace sim {

ModuleLibrary::ModuleLibrary(const std::filesystem::path& path) : path_(path) {
    if (!std::filesystem::is_regular_file(path)) {
        throw InputError("module library " + path.string() + " not found");
    }
    std::string reason;
    handle_ = os::LoadLibraryFile(path, &reason);
    if (handle_ == nullptr) {
        throw InputError("cannot load module library " + path.string() + ": " + reason);
    }
    init_ = reinterpret_cast<InitFunction>(os::FindLibraryFunction(handle_, "ovcInit"));
    exit_ = reinterpret_cast<ExitFunction>(os::FindLibraryFunction(handle_, "ovcExit"));
    if (init_ == nullptr || exit_ == nullptr) {
        os::UnloadLibrary(handle_);
        throw InputError("module library " + path.string() +
                         " does not export ovcInit and ovcExit");
    }
}

ModuleLibrary::~ModuleLibrary() { os::UnloadLibrary(handle_); }

}  // namespace sim
