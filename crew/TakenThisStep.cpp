#include "crew/TakenThisStep.h"

#include <algorithm>
#include <vector>

#include "crew/ModuleState.h"

namespace crew {

namespace {

TakenList& List() {
    TakenList& list = TheModuleState().takenThisStep;
    const double now = oapiGetSysTime();
    if (now != list.stepTime) {
        list.stepTime = now;
        list.vessels.clear();
    }
    return list;
}

}  // namespace

bool WasTakenThisStep(OBJHANDLE vessel) {
    const std::vector<OBJHANDLE>& vessels = List().vessels;
    return std::find(vessels.begin(), vessels.end(), vessel) != vessels.end();
}

void MarkTakenThisStep(OBJHANDLE vessel) { List().vessels.push_back(vessel); }

}  // namespace crew
