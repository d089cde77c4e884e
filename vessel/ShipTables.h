// The ship's fixed definition: figures, main engines, attitude thrusters and their groups,
// docking ports, the exhaust particle stream and the crew it starts with. All vectors are in the
// vessel's frame (x right, y up, z forward), metres; masses in kilograms, thrust in newtons,
// specific impulse in metres per second.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <iterator>

#include "crew/Airlock.h"
#include "host/HostTypes.h"

namespace quillmar {

// Every count of the ship's parts is the length of its table below, so a part is added or removed
// by its row alone.
inline constexpr int kMaxGroupMembers = 4;
inline constexpr std::size_t kDockedNameSize = 10;

// Physical figures.
inline constexpr double kPropellantMaxMass = 98654240.0;
inline constexpr double kPropellantInitialMass = -1.0;  // the host's default
inline constexpr double kPropellantEfficiency = 1.0;
inline constexpr double kSize = 545.0;
inline constexpr double kEmptyMass = 35824560.0;
struct DragCoefficients {
    double zPositive, zNegative, x, y;
};
inline constexpr DragCoefficients kDrag{0.09, 0.09, 2.0, 1.4};
inline constexpr VECTOR3 kCrossSections{26.32, 26.34, 14.67};
inline constexpr VECTOR3 kRotDrag{3.93, 3.93, 3.93};
inline constexpr double kPitchMomentScale = 0.0001;
inline constexpr double kBankMomentScale = 0.0001;
inline constexpr VECTOR3 kPrincipalMoments{2.28, 2.31, 0.79};

// Every thruster draws on the one propellant resource with these figures.
inline constexpr double kThrusterIsp = 80000.0;
inline constexpr double kThrusterIspRef = 0.0;
inline constexpr double kThrusterPressureRef = 101400.0;

// Main engines: all at the centre, thrusting along +z, so main thrust gives no torque; their
// flames and particle streams are spread over the tail points below.
inline constexpr VECTOR3 kMainEnginePos{0, 0, 0};
inline constexpr VECTOR3 kMainEngineDir{0, 0, 1};
inline constexpr double kMainEngineThrust = 50000000.0;
inline constexpr double kMainFlameLength = 1.0;
inline constexpr double kMainFlameWidth = 2.6;
inline constexpr double kMainFlameAftOffset = 2.0;  // flames sit this far aft of the stream points
inline constexpr VECTOR3 kMainFlameDir{0, 0, -1};

// One main engine for each point.
inline constexpr VECTOR3 kMainExhaustPoints[] = {
    {-8.5, 0, -338}, {-4.5, 0, -338}, {4.5, 0, -338}, {8.5, 0, -338},
    {0, -8.5, -338}, {0, -4.5, -338}, {0, 4.5, -338}, {0, 8.5, -338},
};
inline constexpr int kMainEngineCount = static_cast<int>(std::size(kMainExhaustPoints));

// Smoke of every main engine.
inline constexpr PARTICLESTREAMSPEC kMainExhaustStreamSpec{
    .flags = 0,
    .srcsize = 2.0,   // m
    .srcrate = 20.0,  // per second
    .v0 = 150.0,      // m/s
    .srcspread = 0.1,
    .lifetime = 0.2,     // s
    .growthrate = 16.0,  // m/s
    .atmslowdown = 2.0,
    .ltype = PARTICLESTREAMSPEC::EMISSIVE,
    .levelmap = PARTICLESTREAMSPEC::LVL_SQRT,
    .lmin = 0.0,
    .lmax = 1.0,
    .atmsmap = PARTICLESTREAMSPEC::ATM_PLOG,
    .amin = 0.00001,
    .amax = 0.1,
    .tex = nullptr,  // the host's default
};

// Attitude thrusters: four clusters at (+-20, 0, +-100), five directions each. Exhaust
// directions are kept as given, not normalised.
inline constexpr double kRcsLevelMaximum = 200000.0;
inline constexpr double kRcsLevelMinimum = 10000.0;
inline constexpr double kAttitudeFlameLength = 3.0;
inline constexpr double kAttitudeFlameWidth = 0.3;

struct AttitudeThruster {
    VECTOR3 pos;
    VECTOR3 dir;
    VECTOR3 exhaustPos;
    VECTOR3 exhaustDir;
};

inline constexpr AttitudeThruster kAttitudeThrusters[] = {
    {{20, 0, 100}, {0, -1, 0}, {5.75, 1.48, 190}, {1, 1, 0}},
    {{20, 0, 100}, {0, 1, 0}, {5.75, -1.48, 190}, {1, -1, 0}},
    {{20, 0, 100}, {0, 0, -1}, {5.79, 0, 192}, {1, 0, 1}},
    {{20, 0, 100}, {0, 0, 1}, {5.79, 0, 189}, {1, 0, -1}},
    {{20, 0, 100}, {-1, 0, 0}, {6.4, 0, 190}, {1, 0, 0}},
    {{-20, 0, 100}, {0, -1, 0}, {-5.75, 1.48, 190}, {-1, 1, 0}},
    {{-20, 0, 100}, {0, 1, 0}, {-5.75, -1.48, 190}, {-1, -1, 0}},
    {{-20, 0, 100}, {0, 0, -1}, {-5.79, 0, 192}, {-1, 0, 1}},
    {{-20, 0, 100}, {0, 0, 1}, {-5.79, 0, 189}, {-1, 0, -1}},
    {{-20, 0, 100}, {1, 0, 0}, {-6.4, 0, 190}, {-1, 0, 0}},
    {{20, 0, -100}, {0, -1, 0}, {5.75, 1.48, -301}, {1, 1, 0}},
    {{20, 0, -100}, {0, 1, 0}, {5.75, -1.48, -301}, {1, -1, 0}},
    {{20, 0, -100}, {0, 0, -1}, {5.79, 0, -299}, {1, 0, 1}},
    {{20, 0, -100}, {0, 0, 1}, {5.79, 0, -302}, {1, 0, -1}},
    {{20, 0, -100}, {-1, 0, 0}, {6.4, 0, -301}, {1, 0, 0}},
    {{-20, 0, -100}, {0, -1, 0}, {-5.75, 1.48, -301}, {-1, 1, 0}},
    {{-20, 0, -100}, {0, 1, 0}, {-5.75, -1.48, -301}, {-1, -1, 0}},
    {{-20, 0, -100}, {0, 0, -1}, {-5.79, 0, -299}, {-1, 0, 1}},
    {{-20, 0, -100}, {0, 0, 1}, {-5.79, 0, -302}, {-1, 0, -1}},
    {{-20, 0, -100}, {1, 0, 0}, {-6.4, 0, -301}, {-1, 0, 0}},
};

inline constexpr int kAttitudeThrusterCount = static_cast<int>(std::size(kAttitudeThrusters));

// A thruster group: its type and its members as indices of the attitude thrusters, in the order
// they are handed to the host.
struct AttitudeGroup {
    THGROUP_TYPE type;
    int count;
    int members[kMaxGroupMembers];
};

// A group row with its count taken from its list. A list longer than kMaxGroupMembers writes past
// the array, which stops the compilation of the constant table.
constexpr AttitudeGroup GroupOf(THGROUP_TYPE type, std::initializer_list<int> members) {
    AttitudeGroup group{type, 0, {}};
    for (int member : members) group.members[group.count++] = member;
    return group;
}

// In creation order. There is no retro and no hover group.
inline constexpr AttitudeGroup kAttitudeGroups[] = {
    GroupOf(THGROUP_ATT_PITCHUP, {1, 6, 10, 15}),
    GroupOf(THGROUP_ATT_PITCHDOWN, {0, 5, 11, 16}),
    GroupOf(THGROUP_ATT_YAWRIGHT, {9, 14}),
    GroupOf(THGROUP_ATT_YAWLEFT, {4, 19}),
    GroupOf(THGROUP_ATT_BANKRIGHT, {0, 6, 10, 16}),
    GroupOf(THGROUP_ATT_BANKLEFT, {1, 5, 11, 15}),
    GroupOf(THGROUP_ATT_RIGHT, {9, 19}),
    GroupOf(THGROUP_ATT_LEFT, {4, 14}),
    GroupOf(THGROUP_ATT_DOWN, {0, 5, 10, 15}),
    GroupOf(THGROUP_ATT_UP, {1, 6, 11, 16}),
    GroupOf(THGROUP_ATT_FORWARD, {3, 8, 13, 18}),
    GroupOf(THGROUP_ATT_BACK, {2, 7, 12, 17}),
};
inline constexpr int kAttitudeGroupCount = static_cast<int>(std::size(kAttitudeGroups));

constexpr bool GroupMembersAreAttitudeThrusters() {
    for (const AttitudeGroup& group : kAttitudeGroups) {
        for (int m = 0; m < group.count; ++m) {
            if (group.members[m] < 0 || group.members[m] >= kAttitudeThrusterCount) return false;
        }
    }
    return true;
}
static_assert(GroupMembersAreAttitudeThrusters(), "a group names a thruster that is not there");

// Index in kAttitudeGroups of the group of a type, or -1 when there is none.
constexpr int AttitudeGroupIndex(THGROUP_TYPE type) {
    for (int i = 0; i < kAttitudeGroupCount; ++i) {
        if (kAttitudeGroups[i].type == type) return i;
    }
    return -1;
}

// Where the ship meets the ground. Three landing pads on legs carry it level, 25 m under its
// axis: clear of the pod under the hull (its lowest part, 22.4 m down), the centre of mass inside
// their triangle. Each pad's spring is sized for the full ship (134 478 800 kg): on Earth the
// three give 0.22 m under it, on the Moon 4 cm; the dampers keep it just under critical. Pads
// without wheels hold alike across and along the ship. The points after them mark the hull's
// extremities (nose, thrust plate, pods, thruster blocks) with the same springs and more
// friction, so that a ship set down on its side or nose rests on its hull and never sinks in.
inline constexpr double kPadHeight = -25.0;
inline constexpr double kPadStiffness = 2e9;  // N/m
inline constexpr double kPadDamping = 5e8;    // N s/m
inline constexpr double kPadFriction = 1.0;
inline constexpr double kHullFriction = 3.0;
inline constexpr int kLandingPadCount = 3;  // the first rows of kTouchdownPoints

constexpr TOUCHDOWNVTX PadAt(double x, double z) {
    return {{x, kPadHeight, z}, kPadStiffness, kPadDamping, kPadFriction, kPadFriction};
}
constexpr TOUCHDOWNVTX HullAt(double x, double y, double z) {
    return {{x, y, z}, kPadStiffness, kPadDamping, kHullFriction, kHullFriction};
}

// clang-format off
inline constexpr TOUCHDOWNVTX kTouchdownPoints[] = {
    PadAt(0, 150), PadAt(-12, -290), PadAt(12, -290),     // the landing pads
    HullAt(0, 0, 207.2),                                  // the nose
    HullAt(0, -11.25, -331), HullAt(0, 11.25, -331),      // the thrust plate's rim
    HullAt(-11.25, 0, -331), HullAt(11.25, 0, -331),
    HullAt(0, -22.4, 40), HullAt(0, 22.4, 40),            // the ports' pods
    HullAt(-22.4, 0, 40), HullAt(22.4, 0, 40),
    HullAt(-21.5, 0, 100), HullAt(21.5, 0, 100),          // the thruster blocks
    HullAt(-21.5, 0, -100), HullAt(21.5, 0, -100),
};
// clang-format on
inline constexpr int kTouchdownPointCount = static_cast<int>(std::size(kTouchdownPoints));

constexpr bool PadsCarryTheShipLevel() {
    // Level: every pad at one height, the lowest points of the ship. (A table's vectors are read
    // through `data`, the member they were made with, as constant evaluation requires.)
    for (const TOUCHDOWNVTX& point : kTouchdownPoints) {
        if (point.pos.data[1] < kPadHeight) return false;
    }
    for (int i = 0; i < kLandingPadCount; ++i) {
        if (kTouchdownPoints[i].pos.data[1] != kPadHeight) return false;
    }
    for (int i = kLandingPadCount; i < kTouchdownPointCount; ++i) {
        if (kTouchdownPoints[i].pos.data[1] <= kPadHeight) return false;
    }
    // The centre of mass (the origin) inside the pads' triangle, seen from above: on the same
    // side of each edge as the third pad.
    for (int i = 0; i < kLandingPadCount; ++i) {
        const VECTOR3& a = kTouchdownPoints[i].pos;
        const VECTOR3& b = kTouchdownPoints[(i + 1) % kLandingPadCount].pos;
        const VECTOR3& c = kTouchdownPoints[(i + 2) % kLandingPadCount].pos;
        const auto side = [&](double x, double z) {
            return (b.data[0] - a.data[0]) * (z - a.data[2]) -
                   (b.data[2] - a.data[2]) * (x - a.data[0]);
        };
        if (side(0, 0) * side(c.data[0], c.data[2]) <= 0) return false;
    }
    return true;
}
static_assert(PadsCarryTheShipLevel(),
              "the pads must be the lowest points, level, round the centre");

// Visuals.
inline constexpr char kMeshName[] = "quillmar";
inline constexpr VECTOR3 kMeshOffset{0, 0, 0};
inline constexpr VECTOR3 kCameraOffset{-1.65, 5.5, 174.0};

// Crew set-up: the provisional airlock (closed; port 0's row replaces it at once), the first EVA
// placement, the seats and the member every new ship starts with.
// The box and the door as the crew manager's link record publishes them.
using crew::AirlockBox;
using crew::kDoorClosed;
using crew::kDoorOpen;
inline constexpr int kProvisionalDoorState = kDoorClosed;
inline constexpr AirlockBox kProvisionalAirlock{-3.0f, 3.0f, -4.0f, 4.0f, -7.0f, 7.0f};
inline constexpr VECTOR3 kProvisionalEvaPosition{0, 0, 3};
inline constexpr VECTOR3 kProvisionalEvaAngles{0, 0, 0};
inline constexpr int kSeatCount = 50;

struct DefaultCrewMember {
    const char* name;
    int age;
    int pulse;
    int weight;
    const char* idCode;
};
inline constexpr DefaultCrewMember kDefaultCrewMember{"Corwin Haddel", 54, 65, 82, "Passenger"};

// What selecting a docking port does to the airlock door.
enum class DoorOnPlacement {
    Keep,  // hand over the state the door already has
    Open,  // open the door
};

// A docking port and the crew airlock placed at it while it is the active port: the door state
// handed over, the box that crew vessels must enter and where a member leaving on foot is placed.
// A row must give every value: the constructor takes no defaults, so a value left out does not
// compile.
struct DockingPort {
    constexpr DockingPort(VECTOR3 pos_, VECTOR3 dir_, VECTOR3 rot_, DoorOnPlacement door_,
                          AirlockBox airlock_, VECTOR3 evaPosition_, VECTOR3 evaAngles_)
        : pos(pos_),
          dir(dir_),
          rot(rot_),
          door(door_),
          airlock(airlock_),
          evaPosition(evaPosition_),
          evaAngles(evaAngles_) {}

    VECTOR3 pos;
    VECTOR3 dir;
    VECTOR3 rot;
    DoorOnPlacement door;
    AirlockBox airlock;
    VECTOR3 evaPosition;
    VECTOR3 evaAngles;
};

// Created in this order, so the host numbers them from 0 in it. For ports 0 and 3 to 6 the
// airlock is a 30 m cube centred on the EVA position; for ports 1 and 2 the same cube centred on
// the vessel's origin.
// Each row: the port's position, direction and rotation, then the airlock placed at it: the door,
// the box (x, y and z ranges) and the EVA position and angles.
// clang-format off
inline constexpr DockingPort kDockingPorts[] = {
    {{0, 0, 207.2},      {0, 0, 1},  {0, 1, 0},
     DoorOnPlacement::Keep, {-15, 15, -15, 15, 194, 224}, {0, 0, 209},      {0, 0, 0}},
    {{4.57, 0, -4.67},   {1, 0, 0},  {0, 0, -1},
     DoorOnPlacement::Open, {-15, 15, -15, 15, -15, 15},  {5.5, 0, -4.67},  {0, 0, 0}},
    {{-4.57, 0, -4.67},  {-1, 0, 0}, {0, 0, -1},
     DoorOnPlacement::Open, {-15, 15, -15, 15, -15, 15},  {-5.5, 0, -4.67}, {0, 0, 0}},
    {{20, 0, 49},        {0, 0, -1}, {1, 0, 0},
     DoorOnPlacement::Open, {5, 35, -15, 15, 32, 62},     {20, 0, 47},      {0, 0, 0}},
    {{-20, 0, 49},       {0, 0, -1}, {-1, 0, 0},
     DoorOnPlacement::Open, {-35, -5, -15, 15, 32, 62},   {-20, 0, 47},     {0, 0, 0}},
    {{0, -20, 49},       {0, 0, -1}, {0, -1, 0},
     DoorOnPlacement::Open, {-15, 15, -35, -5, 32, 62},   {0, -20, 47},     {0, 0, 0}},
    {{0, 20, 49},        {0, 0, -1}, {0, 1, 0},
     DoorOnPlacement::Open, {-15, 15, 5, 35, 32, 62},     {0, 20, 47},      {0, 0, 0}},
};
// clang-format on
inline constexpr int kDockCount = static_cast<int>(std::size(kDockingPorts));

}  // namespace quillmar
