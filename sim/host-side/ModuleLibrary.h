// A vessel module library, loaded at run time as the simulator loads it: when a vessel of its
// class is created while none exists, and unloaded when the last such vessel is destroyed, so
// the module's library-wide state starts afresh each time. Its references to the host's
// functions resolve against the running program, which exports them.
#pragma once

#include <filesystem>
#include <string>

#include "host/HostApi.h"

namespace sim {

class ModuleLibrary {
  public:
    using InitFunction = VESSEL* (*)(OBJHANDLE, int);
    using ExitFunction = void (*)(VESSEL*);

    // Checks that the library loads and exports ovcInit and ovcExit (loading and unloading it
    // once); throws InputError when it does not.
    explicit ModuleLibrary(const std::filesystem::path& path);
    ~ModuleLibrary();
    ModuleLibrary(const ModuleLibrary&) = delete;
    ModuleLibrary& operator=(const ModuleLibrary&) = delete;

    // ovcInit for a new vessel, loading the library first when no vessel of it exists; null
    // when the module made no object (the library is then unloaded again if nothing else holds
    // it). Throws InputError when the library cannot be loaded.
    VESSEL* CreateVessel(OBJHANDLE vessel, int flightModel);
    // ovcExit, then unloading the library when it was the last vessel.
    void DestroyVessel(VESSEL* vessel);

    bool Loaded() const { return handle_ != nullptr; }
    // How often the library has been loaded for vessels.
    int Loads() const { return loads_; }

  private:
    void Load();
    void Unload();

    std::filesystem::path path_;
    void* handle_ = nullptr;
    InitFunction init_ = nullptr;
    ExitFunction exit_ = nullptr;
    int vessels_ = 0;
    int loads_ = 0;
};

}  // namespace sim
