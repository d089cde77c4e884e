#include "crew/ModuleState.h"

namespace crew {

ModuleState& TheModuleState() {
    static ModuleState state;
    return state;
}

void ResetModuleState() { TheModuleState() = ModuleState{}; }

}  // namespace crew
