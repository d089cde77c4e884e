// Thrust turns into motion with the host's conventions, and the frame conversions agree.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>
#include <string>

#include "host/HostApi.h"
#include "host/RotationAngles.h"
#include "sim/world/VesselMotion.h"
#include "tests/sim/SimulatorFixture.h"

namespace {

constexpr double kPi = std::numbers::pi;

void ExpectNear(const VECTOR3& got, const VECTOR3& want, double tolerance = 1e-9) {
    EXPECT_NEAR(got.x, want.x, tolerance);
    EXPECT_NEAR(got.y, want.y, tolerance);
    EXPECT_NEAR(got.z, want.z, tolerance);
}

class Motion : public SimulatorTest {
  protected:
    Motion() {
        sim.CreateVessel("Body", "Rock");
        body = Vessel("Body");
        body->SetEmptyMass(100.0);
        body->SetPMI({2.0, 4.0, 8.0});
        sim.SetStep(0.1);
    }
    VESSEL* body = nullptr;
};

TEST_F(Motion, RotationGroupsSpinTheVesselAboutTheirAxes) {
    struct Thruster {
        VECTOR3 pos;
        VECTOR3 dir;
    };
    struct Case {
        const char* name;
        THGROUP_TYPE type;
        Thruster pair[2];
        VECTOR3 axis;  // the only component that turns, with its sign
    };
    // Pairs as a ship lays them out: forward and aft clusters at (+-20, 0, +-100).
    const Case cases[] = {
        {"pitch up",
         THGROUP_ATT_PITCHUP,
         {{{20, 0, 100}, {0, 1, 0}}, {{20, 0, -100}, {0, -1, 0}}},
         {1, 0, 0}},
        {"pitch down",
         THGROUP_ATT_PITCHDOWN,
         {{{20, 0, 100}, {0, -1, 0}}, {{20, 0, -100}, {0, 1, 0}}},
         {-1, 0, 0}},
        {"yaw left",
         THGROUP_ATT_YAWLEFT,
         {{{20, 0, 100}, {-1, 0, 0}}, {{-20, 0, -100}, {1, 0, 0}}},
         {0, 1, 0}},
        {"yaw right",
         THGROUP_ATT_YAWRIGHT,
         {{{-20, 0, 100}, {1, 0, 0}}, {{20, 0, -100}, {-1, 0, 0}}},
         {0, -1, 0}},
        {"bank right",
         THGROUP_ATT_BANKRIGHT,
         {{{20, 0, 100}, {0, -1, 0}}, {{-20, 0, 100}, {0, 1, 0}}},
         {0, 0, 1}},
        {"bank left",
         THGROUP_ATT_BANKLEFT,
         {{{20, 0, 100}, {0, 1, 0}}, {{-20, 0, 100}, {0, -1, 0}}},
         {0, 0, -1}},
    };
    for (const auto& c : cases) {
        const std::string name = std::string("Spin") + std::to_string(&c - cases);
        sim.CreateVessel(name, "Rock");
        VESSEL* v = Vessel(name);
        v->SetEmptyMass(100.0);
        v->SetPMI({2.0, 4.0, 8.0});
        THRUSTER_HANDLE pair[2];
        for (int i = 0; i < 2; ++i)
            pair[i] = v->CreateThruster(c.pair[i].pos, c.pair[i].dir, 1000.0);
        v->CreateThrusterGroup(pair, 2, c.type);
        sim.SetThrust(name, c.type, 1.0);
    }
    sim.Frame();
    for (const auto& c : cases) {
        VECTOR3 w{};
        Vessel(std::string("Spin") + std::to_string(&c - cases))->GetAngularVel(w);
        const double rates[3] = {w.x, w.y, w.z};
        const double signs[3] = {c.axis.x, c.axis.y, c.axis.z};
        for (int axis = 0; axis < 3; ++axis) {
            if (signs[axis] == 0.0) {
                EXPECT_EQ(rates[axis], 0.0) << c.name << " axis " << axis;
            } else {
                EXPECT_GT(rates[axis] * signs[axis], 0.0) << c.name << " axis " << axis;
            }
        }
    }
}

TEST_F(Motion, AngularAccelerationIsTorqueOverMassTimesInertia) {
    // One thruster at (0, 0, 10) pushing +y: torque F x r = (10 * 50, 0, 0).
    THRUSTER_HANDLE t = body->CreateThruster({0, 0, 10}, {0, 1, 0}, 50.0);
    body->CreateThrusterGroup(&t, 1, THGROUP_ATT_PITCHUP);
    sim.SetThrust("Body", THGROUP_ATT_PITCHUP, 0.5);
    sim.Frame();
    VECTOR3 w{};
    body->GetAngularVel(w);
    EXPECT_NEAR(w.x, 0.5 * 50.0 * 10.0 / (100.0 * 2.0) * 0.1, 1e-12);
    // Linear: F / m along the (still nearly unrotated) +y axis.
    EXPECT_NEAR(sim.Describe("Body")["vel"][1].get<double>(), 0.5 * 50.0 / 100.0 * 0.1, 1e-6);
}

TEST_F(Motion, ThrustBurnsPropellantAndStopsWhenTheTankIsEmpty) {
    PROPELLANT_HANDLE tank = body->CreatePropellantResource(10.0, 1.0);
    THRUSTER_HANDLE t = body->CreateThruster({0, 0, 0}, {0, 0, 1}, 100.0, tank, 1000.0);
    body->CreateThrusterGroup(&t, 1, THGROUP_MAIN);
    sim.SetThrust("Body", THGROUP_MAIN, 1.0);
    sim.Frame();  // burns 100 / 1000 * 0.1 = 0.01 kg
    EXPECT_NEAR(sim.Describe("Body")["propellant"][0]["mass"].get<double>(), 0.99, 1e-12);
    sim.Run(20.0);
    const auto d = sim.Describe("Body");
    EXPECT_EQ(d["propellant"][0]["mass"].get<double>(), 0.0);
    const double speed = d["vel"][2].get<double>();
    sim.Run(1.0);
    EXPECT_EQ(sim.Describe("Body")["vel"][2].get<double>(), speed);
}

TEST_F(Motion, PositiveRatesTurnNoseAndWingsTheHostsWay) {
    // A quarter turn in one second about each axis.
    struct Case {
        VECTOR3 rate;
        VECTOR3 local;
        VECTOR3 global;
    };
    const Case cases[] = {
        {{kPi / 2, 0, 0}, {0, 0, 1}, {0, 1, 0}},   // pitch up: nose up
        {{0, kPi / 2, 0}, {0, 0, 1}, {-1, 0, 0}},  // yaw left: nose left
        {{0, 0, kPi / 2}, {1, 0, 0}, {0, -1, 0}},  // bank right: right wing down
    };
    sim.SetStep(0.001);
    for (const auto& c : cases) {
        body->SetRotationMatrix({1, 0, 0, 0, 1, 0, 0, 0, 1});
        sim.SetAngularVelocity("Body", c.rate);
        sim.Run(1.0);
        VECTOR3 global{};
        body->GlobalRot(c.local, global);
        ExpectNear(global, c.global, 1e-6);
    }
}

TEST_F(Motion, FrameConversionsAgree) {
    const MATRIX3 rotation = rotation_angles::ToMatrix({0.3, -1.1, 2.5});
    body->SetRotationMatrix(rotation);
    sim.CreateVessel("Ref", "Rock");
    VESSEL* ref = Vessel("Ref");
    ref->SetRotationMatrix(rotation);
    sim.Place("Body", "Ref", {100, -20, 5});
    MATRIX3 got{};
    body->GetRotationMatrix(got);
    EXPECT_EQ(std::memcmp(&got, &rotation, sizeof got), 0);

    const VECTOR3 local{3, -4, 12};
    VECTOR3 rel{}, back{}, turned{}, origin{};
    body->Local2Rel(local, rel);
    body->Global2Local(rel, back);
    ExpectNear(back, local);
    body->GlobalRot(local, turned);
    oapiGetGlobalPos(sim.FindVessel("Body"), &origin);
    ExpectNear(rel, {origin.x + turned.x, origin.y + turned.y, origin.z + turned.z});
    // Body sits at (100, -20, 5) in Ref's frame.
    VECTOR3 inRef{};
    ref->Global2Local(origin, inRef);
    ExpectNear(inRef, {100, -20, 5});
    // The status carries the same orientation as Euler angles.
    VESSELSTATUS status{};
    body->GetStatus(status);
    const MATRIX3 again = rotation_angles::ToMatrix(status.arot);
    EXPECT_NEAR(again.m13, rotation.m13, 1e-12);
    EXPECT_NEAR(again.m21, rotation.m21, 1e-12);
    EXPECT_NEAR(again.m32, rotation.m32, 1e-12);
}

// The world keeps every vessel's motion in one table in list order: removals move the last
// vessel's entry into the freed slot, and growth moves them all.
TEST_F(Motion, EveryVesselKeepsItsOwnMotionAsTheListChanges) {
    constexpr int kVessels = 40;
    auto name = [](int i) { return "V" + std::to_string(i); };
    auto globalPos = [](OBJHANDLE vessel) {
        VECTOR3 pos{};
        oapiGetGlobalPos(vessel, &pos);
        return pos;
    };
    for (int i = 0; i < kVessels; ++i) {
        VESSELSTATUS status{};
        status.rpos = {0, 1000.0 * i, 0};
        status.rvel = {1.0 * i, 0, 0};
        sim.CreateVessel(name(i), "Rock", &status);
    }
    // Asked about by index last, then moved into the slot of a vessel removed.
    const OBJHANDLE last = oapiGetVesselByIndex(static_cast<int>(oapiGetVesselCount()) - 1);
    ASSERT_EQ(last, sim.FindVessel(name(kVessels - 1)));
    ASSERT_TRUE(sim.DeleteVessel(sim.FindVessel(name(0))));
    sim.Place(name(kVessels - 1), "Body", {7, 8, 9});
    ExpectNear(globalPos(last), {7, 8, 9});
    sim.Place(name(kVessels - 1), "Body", {0, 1000.0 * (kVessels - 1), 0});
    ASSERT_TRUE(sim.DeleteVessel(sim.FindVessel(name(5))));

    sim.Frame();  // 0.1 s
    for (int i = 201; i < 300; ++i) sim.CreateVessel(name(i), "Rock");
    for (int i = 1; i < kVessels; ++i) {
        if (i == 5) continue;
        SCOPED_TRACE(name(i));
        // Placed, the last took the velocity of the vessel it was placed by.
        const double speed = i == kVessels - 1 ? 0.0 : 1.0 * i;
        ExpectNear(globalPos(sim.FindVessel(name(i))), {0.1 * speed, 1000.0 * i, 0});
        VECTOR3 velocity{};
        Vessel(name(i))->GetGlobalVel(velocity);
        ExpectNear(velocity, {speed, 0, 0});
    }
    // Walking the list by index answers as asking by handle does.
    for (DWORD i = 0; i < oapiGetVesselCount(); ++i) {
        const OBJHANDLE vessel = oapiGetVesselByIndex(static_cast<int>(i));
        VECTOR3 pos{};
        sim.Interface(vessel)->GetGlobalPos(pos);
        ExpectNear(globalPos(vessel), pos, 0.0);
    }
}

TEST(VesselMotion, OnlyAVesselWithNothingThatMovesItIsAtRest) {
    constexpr double kTiny = std::numeric_limits<double>::denorm_min();
    struct Case {
        const char* name;
        sim::VesselMotion motion;
        bool atRest;
    };
    const Case cases[] = {
        {"all zero", {}, true},
        {"negative zeros", {{}, {-0.0, 0.0, -0.0}, {0.0, -0.0, -0.0}}, true},
        {"the smallest velocity", {{}, {0, 0, kTiny}}, false},
        {"the smallest negative turn", {{}, {}, {-kTiny, 0, 0}}, false},
        {"velocity not a number", {{}, {std::nan(""), 0, 0}}, false},
        {"landed", {{}, {}, {}, true}, false},
        {"a thruster may fire", {{}, {}, {}, false, true}, false},
        {"position alone", {{1e6, -2, 3}}, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(sim::AtRest(c.motion), c.atRest) << c.name;
    }
}

TEST(EulerAngles, RoundTripIncludingGimbalLock) {
    const VECTOR3 cases[] = {
        {0, 0, 0}, {0.1, 0.2, 0.3}, {-2.0, 1.0, 3.0}, {0.7, kPi / 2, 0}, {0.4, -kPi / 2, 0}};
    for (const auto& angles : cases) {
        const MATRIX3 m = rotation_angles::ToMatrix(angles);
        const MATRIX3 back = rotation_angles::ToMatrix(rotation_angles::FromMatrix(m));
        const double* a = &m.m11;
        const double* b = &back.m11;
        for (int i = 0; i < 9; ++i) EXPECT_NEAR(a[i], b[i], 1e-9) << i;
    }
}

}  // namespace
