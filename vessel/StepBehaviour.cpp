// What the ship does in every frame: announce arrivals and let the crew manager show its
// warnings before the step; keep the rotation rate in check after it.
#include "vessel/Messages.h"
#include "vessel/Quillmar.h"
#include "vessel/RotationRateRules.h"

namespace {

// ProcessArrivals results that brought someone aboard.
constexpr int kWalkedIn = 1;
constexpr int kTransferredIn = 2;

}  // namespace

void Quillmar::clbkPreStep(double /*simt*/, double /*simdt*/, double /*mjd*/) {
    const int arrival = crew.ProcessArrivals();
    if (arrival == kWalkedIn || arrival == kTransferredIn) {
        const char* name = TextOrEmpty(crew.GetLastArrivalName());
        PostHudMessage(
            arrival == kWalkedIn ? messages::kArrivalWalkedIn : messages::kArrivalTransferred,
            TextOrEmpty(crew.GetIdCodeByName(name)), name, crew.GetAgeByName(name));
    }
    crew.ShowWarnings(messages::kAddonName);
}

// A group is withdrawn while the ship turns beyond its limit and rebuilt in every step it is
// within; the host replaces a group of an existing type rather than adding a second one.
void Quillmar::clbkPostStep(double /*simt*/, double /*simdt*/, double /*mjd*/) {
    VECTOR3 angularVelocity{};
    GetAngularVel(angularVelocity);
    for (const RotationRateRule& rule : kRotationRateRules) {
        if (Withdraws(rule, angularVelocity)) {
            SetThrusterGroupLevel(rule.group, 0.0);
            DelThrusterGroup(rule.group, false);
        } else {
            CreateAttitudeGroup(kAttitudeGroups[rule.groupIndex]);
        }
    }
}
