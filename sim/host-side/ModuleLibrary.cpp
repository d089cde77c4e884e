#include "sim/host-side/ModuleLibrary.h"

#include "sim/host-side/SimPlatform.h"
#include "sim/text/InputError.h"

namespace sim {

ModuleLibrary::ModuleLibrary(const std::filesystem::path& path) : path_(path) {
    if (!std::filesystem::is_regular_file(path)) {
        throw InputError("module library " + path.string() + " not found");
    }
    // A library that cannot serve is reported when it is registered, before anything runs.
    Load();
    Unload();
}

ModuleLibrary::~ModuleLibrary() { Unload(); }

void ModuleLibrary::Load() {
    std::string reason;
    handle_ = os::LoadLibraryFile(path_, &reason);
    if (handle_ == nullptr) {
        throw InputError("cannot load module library " + path_.string() + ": " + reason);
    }
    init_ = reinterpret_cast<InitFunction>(os::FindLibraryFunction(handle_, "ovcInit"));
    exit_ = reinterpret_cast<ExitFunction>(os::FindLibraryFunction(handle_, "ovcExit"));
    if (init_ == nullptr || exit_ == nullptr) {
        Unload();
        throw InputError("module library " + path_.string() +
                         " does not export ovcInit and ovcExit");
    }
}

void ModuleLibrary::Unload() {
    if (handle_ != nullptr) os::UnloadLibrary(handle_);
    handle_ = nullptr;
    init_ = nullptr;
    exit_ = nullptr;
}

VESSEL* ModuleLibrary::CreateVessel(OBJHANDLE vessel, int flightModel) {
    if (vessels_ == 0) {
        Load();
        ++loads_;
    }
    ++vessels_;
    VESSEL* object = init_(vessel, flightModel);
    if (object == nullptr && --vessels_ == 0) Unload();
    return object;
}

void ModuleLibrary::DestroyVessel(VESSEL* vessel) {
    exit_(vessel);
    if (--vessels_ == 0) Unload();
}

}  // namespace sim
