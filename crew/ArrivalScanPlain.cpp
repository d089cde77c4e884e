// The arrival scan as a pass over every vessel of the simulation, asking the host about each.
// The module uses the index (ArrivalScanIndexed.cpp); this scan is built into a second module
// library for tests and benchmarks, which hold the two to the same decisions and costs.
#include "crew/ArrivalPass.h"
#include "crew/ArrivalScan.h"

namespace crew {

AirlockLink::ScanResult RunArrivalScan(AirlockLink& link, bool seatFree) {
    AirlockLink::ScanResult result = AirlockLink::ScanResult::kNothing;
    double step = 0.0;
    if (!ArrivalScanDue(link, seatFree, result, step)) return result;

    ArrivalPass pass(link);
    const OBJHANDLE own = link.VesselHandle();
    const DWORD count = oapiGetVesselCount();
    for (DWORD index = 0; index < count; ++index) {
        const OBJHANDLE candidate = oapiGetVesselByIndex(static_cast<int>(index));
        if (candidate == nullptr || candidate == own) continue;
        const VESSEL* crewVessel = oapiGetVesselInterface(candidate);
        if (crewVessel == nullptr) continue;
        const DWORD parents = CrewVesselAttachments(candidate, *crewVessel);
        if (parents == kNotArriving) continue;
        const AirlockLink::ScanResult found = pass.Visit(candidate, *crewVessel, parents);
        if (found != AirlockLink::ScanResult::kNothing) return found;
    }
    pass.End();
    return AirlockLink::ScanResult::kNothing;
}

}  // namespace crew
