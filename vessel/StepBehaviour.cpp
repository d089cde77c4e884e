// What the ship does in every frame: announce arrivals and let the crew manager show its
// warnings before the step; keep the rotation rate in check after it, where the HUD line's frame
// ends too.
#include "vessel/Messages.h"
#include "vessel/Quillmar.h"
#include "vessel/RotationRateRules.h"

namespace quillmar {

void Quillmar::clbkPreStep(double /*simt*/, double /*simdt*/, double /*mjd*/) {
    const crew::CrewManager::ArrivalResult arrival = crew.ProcessArrivals();
    if (arrival == crew::CrewManager::ArrivalResult::kWalkedIn ||
        arrival == crew::CrewManager::ArrivalResult::kTransferredIn) {
        const char* name = TextOrEmpty(crew.GetLastArrivalName());
        PostHudMessage(arrival == crew::CrewManager::ArrivalResult::kWalkedIn
                           ? messages::kArrivalWalkedIn
                           : messages::kArrivalTransferred,
                       TextOrEmpty(crew.GetIdCodeByName(name)), name, crew.GetAgeByName(name));
    } else if (arrival == crew::CrewManager::ArrivalResult::kTransferSentOutside) {
        PostHudMessage(messages::kArrivalUnnamed, TextOrEmpty(crew.GetLastArrivalName()));
    }
    crew.ShowWarnings(messages::kAddonName);
}

// A group is withdrawn while the ship turns beyond its limit and restored as soon as the rate is
// within it; only a group whose decision changed is handed to the host.
void Quillmar::clbkPostStep(double /*simt*/, double /*simdt*/, double /*mjd*/) {
    hudMessageThisFrame = false;
    VECTOR3 angularVelocity{};
    GetAngularVel(angularVelocity);
    for (std::size_t r = 0; r < std::size(kRotationRateRules); ++r) {
        const RotationRateRule& rule = kRotationRateRules[r];
        const bool withdraw = Withdraws(rule, angularVelocity);
        if (rateDecisions.made && rateDecisions.withdrawn[r] == withdraw) continue;
        rateDecisions.withdrawn[r] = withdraw;
        if (withdraw) {
            SetThrusterGroupLevel(rule.group, 0.0);
            DelThrusterGroup(rule.group, false);
        } else {
            CreateAttitudeGroup(kAttitudeGroups[rule.groupIndex]);
        }
    }
    rateDecisions.made = true;
}

}  // namespace quillmar
