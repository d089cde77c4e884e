#include "crew/ModuleState.h"

ModuleState& TheModuleState() {
    static ModuleState state;
    return state;
}

void ResetModuleState() { TheModuleState() = ModuleState{}; }
