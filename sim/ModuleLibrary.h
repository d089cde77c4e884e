// A vessel module library loaded at run time. Its references to the host's functions resolve
// against the running program, which exports them.
#pragma once

#include <filesystem>
#include <string>

#include "host/HostApi.h"

namespace sim {

class ModuleLibrary {
  public:
    using InitFunction = VESSEL* (*)(OBJHANDLE, int);
    using ExitFunction = void (*)(VESSEL*);

    // Loads the library and looks up ovcInit and ovcExit; throws InputError when it cannot.
    explicit ModuleLibrary(const std::filesystem::path& path);
    ~ModuleLibrary();
    ModuleLibrary(const ModuleLibrary&) = delete;
    ModuleLibrary& operator=(const ModuleLibrary&) = delete;

    VESSEL* CreateVessel(OBJHANDLE vessel, int flightModel) const {
        return init_(vessel, flightModel);
    }
    void DestroyVessel(VESSEL* vessel) const { exit_(vessel); }
    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
    void* handle_ = nullptr;
    InitFunction init_ = nullptr;
    ExitFunction exit_ = nullptr;
};

}  // namespace sim
