// Faults a test can switch on in the host functions, to see how a module copes with them.
#pragma once

namespace sim {

struct HostFaults {
    bool refuseCreateVessel = false;  // oapiCreateVessel gives null
    bool nullAttachments = false;     // CreateAttachment gives null
    bool hideInterfaces = false;      // oapiGetVesselInterface gives null
};

}  // namespace sim
