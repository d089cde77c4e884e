// The arrival scan through the module-wide index: a pass looks at the transfer vessels and at the
// crew vessels near its own vessel only, in vessel order, and decides about each exactly as a
// pass over every vessel does (ArrivalScanPlain.cpp, kept for tests and benchmarks).
#include <vector>

#include "crew/ArrivalIndex.h"
#include "crew/ArrivalScan.h"

namespace crew {

AirlockLink::ScanResult RunArrivalScan(AirlockLink& link, bool seatFree) {
    AirlockLink::ScanResult result = AirlockLink::ScanResult::kNothing;
    double step = 0.0;
    const bool due = ArrivalScanDue(link, seatFree, result, step);
    AdvanceIndexClock(&link, step);
    if (!due) return result;

    RefreshArrivalIndex();
    const OBJHANDLE own = link.VesselHandle();
    VECTOR3 ownGlobal{};
    oapiGetGlobalPos(own, &ownGlobal);
    const std::vector<IndexedCrewVessel>& visits =
        CrewVesselsNear(ownGlobal, *link.Vessel(), link.Box());

    ArrivalPass pass(link);
    for (const IndexedCrewVessel& candidate : visits) {
        if (candidate.handle == own) continue;
        // Asked about as a pass over every vessel asks: the index's memory of the vessel may be
        // older than the vessel, and the interface of a vessel deleted since is gone.
        const VESSEL* crewVessel = oapiGetVesselInterface(candidate.handle);
        if (crewVessel == nullptr) continue;
        const DWORD parents = CrewVesselAttachments(candidate.handle, *crewVessel);
        if (parents == kNotArriving) continue;
        const AirlockLink::ScanResult found = pass.Visit(candidate.handle, *crewVessel, parents);
        if (found != AirlockLink::ScanResult::kNothing) return found;
    }
    pass.End(LastCheckedCrewVessel(own));
    return AirlockLink::ScanResult::kNothing;
}

}  // namespace crew
