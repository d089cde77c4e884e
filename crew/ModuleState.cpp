#include "crew/ModuleState.h"

namespace crew {

namespace {

// Set while the one object exists: it is made on first use and destroyed with the module's other
// static objects, when the library is unloaded or the process ends. A plain flag, so that it can
// still be read after that.
constinit bool stateExists = false;

struct StateHolder {
    ModuleState state;
    StateHolder() { stateExists = true; }
    ~StateHolder() { stateExists = false; }
    StateHolder(const StateHolder&) = delete;
    StateHolder& operator=(const StateHolder&) = delete;
};

}  // namespace

ModuleState& TheModuleState() {
    static StateHolder holder;
    return holder.state;
}

bool ModuleStateExists() { return stateExists; }

void ResetModuleState() { TheModuleState() = ModuleState{}; }

}  // namespace crew
