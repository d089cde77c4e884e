#include "crew/VesselDeletion.h"

#include "crew/ModuleState.h"

namespace crew {

void DeleteVessel(OBJHANDLE handle) {
    oapiDeleteVessel(handle, nullptr);
    ForgetVessel(handle);
}

void ForgetVessel(OBJHANDLE handle) {
    if (handle == nullptr) return;
    for (KnownVessel& known : TheModuleState().arrivalIndex.known) {
        if (known.handle == handle) known = KnownVessel{};
    }
}

}  // namespace crew
