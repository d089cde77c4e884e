// The arrival scan through the module-wide index: a pass looks at the transfer vessels and at the
// crew vessels near its own vessel only, in vessel order, and decides about each exactly as a
// pass over every vessel does (ArrivalScanPlain.cpp, kept for tests and benchmarks).
#include <algorithm>
#include <cmath>
#include <vector>

#include "crew/ArrivalIndex.h"
#include "crew/ArrivalScan.h"

namespace crew {

namespace {

// How far from the own vessel's origin a point of its airlock box can lie.
double BoxReach(const AirlockBox& box) {
    const double x = std::max(std::fabs(box.xMin), std::fabs(box.xMax));
    const double y = std::max(std::fabs(box.yMin), std::fabs(box.yMax));
    const double z = std::max(std::fabs(box.zMin), std::fabs(box.zMax));
    return std::sqrt(x * x + y * y + z * z);
}

}  // namespace

AirlockLink::ScanResult RunArrivalScan(AirlockLink& link, bool seatFree) {
    AirlockLink::ScanResult result = AirlockLink::ScanResult::kNothing;
    if (!ArrivalScanDue(link, seatFree, result)) return result;

    RefreshArrivalIndex();
    const OBJHANDLE own = link.VesselHandle();
    VECTOR3 ownGlobal{};
    oapiGetGlobalPos(own, &ownGlobal);
    const std::vector<IndexedCrewVessel>& visits = CrewVesselsNear(ownGlobal, BoxReach(link.Box()));

    ArrivalPass pass(link);
    for (const IndexedCrewVessel& candidate : visits) {
        if (candidate.handle == own) continue;
        const AirlockLink::ScanResult found =
            pass.Visit(candidate.handle, *candidate.vessel, candidate.parents);
        if (found != AirlockLink::ScanResult::kNothing) return found;
    }
    pass.End(LastCheckedCrewVessel(own));
    return AirlockLink::ScanResult::kNothing;
}

}  // namespace crew
