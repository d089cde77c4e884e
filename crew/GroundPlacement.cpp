#include "crew/GroundPlacement.h"

#include <cmath>

namespace crew {

namespace {

double Length(const VECTOR3& v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }

}  // namespace

void KeepAboveGround(const VESSEL& ship, VECTOR3& rpos) {
    VESSELSTATUS status{};
    ship.GetStatus(status);
    if (status.status != 1) return;
    const double ground = Length(status.rpos) - status.vrot.x;  // landed: vrot.x is the altitude
    const double distance = Length(rpos);
    const double lowest = ground + kStandingHeight;
    if (!(ground > 0.0) || !(distance > 0.0) || distance >= lowest) return;
    const double scale = lowest / distance;
    rpos = {rpos.x * scale, rpos.y * scale, rpos.z * scale};
}

}  // namespace crew
