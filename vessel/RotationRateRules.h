// The rotation-rate limits: after every step, an attitude rotation group is withdrawn while the
// ship turns faster than the limit in the sense that group would speed up, and restored as soon
// as the rate is back within it. Limits in radians per second, vessel frame.
#pragma once

#include <bitset>
#include <iterator>

#include "host/HostTypes.h"
#include "vessel/ShipTables.h"

namespace quillmar {

enum class RateSense {
    Above,  // withdrawn when the component is greater than the limit
    Below,  // withdrawn when the component is less than the limit
};

struct RotationRateRule {
    double VECTOR3::*component;
    RateSense sense;
    double limit;
    THGROUP_TYPE group;
    int groupIndex;  // in kAttitudeGroups: the thrusters the group is restored with
};

inline constexpr double kPitchYawRateLimit = 0.05;
inline constexpr double kBankRateLimit = 0.15;

constexpr RotationRateRule MakeRule(double VECTOR3::*component, RateSense sense, double limit,
                                    THGROUP_TYPE group) {
    return {component, sense, limit, group, AttitudeGroupIndex(group)};
}

// In the order they are applied.
inline constexpr RotationRateRule kRotationRateRules[] = {
    MakeRule(&VECTOR3::x, RateSense::Above, kPitchYawRateLimit, THGROUP_ATT_PITCHUP),
    MakeRule(&VECTOR3::x, RateSense::Below, -kPitchYawRateLimit, THGROUP_ATT_PITCHDOWN),
    MakeRule(&VECTOR3::y, RateSense::Above, kPitchYawRateLimit, THGROUP_ATT_YAWLEFT),
    MakeRule(&VECTOR3::y, RateSense::Below, -kPitchYawRateLimit, THGROUP_ATT_YAWRIGHT),
    MakeRule(&VECTOR3::z, RateSense::Above, kBankRateLimit, THGROUP_ATT_BANKRIGHT),
    MakeRule(&VECTOR3::z, RateSense::Below, -kBankRateLimit, THGROUP_ATT_BANKLEFT),
};

constexpr bool EveryRuleHasItsGroup() {
    for (const RotationRateRule& rule : kRotationRateRules) {
        if (rule.groupIndex < 0) return false;
    }
    return true;
}
static_assert(EveryRuleHasItsGroup(), "each rule restores a group of the set-up table");

// True when the rule's group must be withdrawn at this angular velocity. A component that is not
// a number withdraws nothing.
constexpr bool Withdraws(const RotationRateRule& rule, const VECTOR3& angularVelocity) {
    const double rate = angularVelocity.*rule.component;
    return rule.sense == RateSense::Above ? rate > rule.limit : rate < rule.limit;
}

// What the rules decided in the last step, which is what the host holds: the groups of the rules
// set here are withdrawn, the others exist with their thrusters. A step hands the host only the
// groups whose decision changes (re-creating a group makes the host rebuild its thruster list);
// the first step, before which nothing was decided, hands it every group.
struct RateDecisions {
    bool made = false;
    std::bitset<std::size(kRotationRateRules)> withdrawn;
};

}  // namespace quillmar
