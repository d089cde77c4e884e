// What a module defines through VESSEL comes back as given: groups, attachments, docks,
// propellant, meshes, transponder, and the `print` description.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "host/HostApi.h"
#include "sim/host-side/HostStop.h"
#include "tests/sim/SimulatorFixture.h"

namespace {

class VesselDefinition : public SimulatorTest {
  protected:
    VesselDefinition() : vessel(*Vessel(NameOf(sim.CreateVessel("Hull", "Rock")))) {}
    static std::string NameOf(OBJHANDLE handle) {
        char name[32];
        oapiGetObjectName(handle, name, sizeof name);
        return name;
    }
    nlohmann::json Description() const { return sim.Describe("Hull"); }
    VESSEL& vessel;
};

TEST_F(VesselDefinition, ThrusterGroupOfAnExistingTypeReplacesIt) {
    THRUSTER_HANDLE t[4];
    for (int i = 0; i < 4; ++i) t[i] = vessel.CreateThruster({double(i), 0, 0}, {0, 0, 1}, 10.0);
    THRUSTER_HANDLE first[2] = {t[0], t[1]};
    THGROUP_HANDLE g1 = vessel.CreateThrusterGroup(first, 2, THGROUP_ATT_PITCHUP);
    THRUSTER_HANDLE second[3] = {t[3], t[2], t[0]};
    THGROUP_HANDLE g2 = vessel.CreateThrusterGroup(second, 3, THGROUP_ATT_PITCHUP);
    ASSERT_NE(g2, nullptr);
    EXPECT_EQ(g1, g2);  // the same slot, reused
    // The list was copied: changing it afterwards changes nothing.
    second[0] = t[1];
    const auto groups = Description()["groups"];
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups["3"], nlohmann::json::array({3, 2, 0}));
}

// Short lists are held in place and long ones on the heap; replacing one by the other, either
// way, keeps exactly the new list in its order.
TEST_F(VesselDefinition, GroupListsOfAnyLengthReplaceEachOther) {
    THRUSTER_HANDLE t[10];
    for (int i = 0; i < 10; ++i) t[i] = vessel.CreateThruster({double(i), 0, 0}, {0, 0, 1}, 1.0);
    const std::vector<std::vector<int>> lists = {{5, 4, 3, 2, 1, 0},
                                                 {7, 1},
                                                 {0, 1, 2, 3, 4, 5, 6, 7, 8},
                                                 {9, 8, 7, 6},
                                                 {2, 4, 6, 8, 0},
                                                 {},
                                                 {3}};
    for (const auto& list : lists) {
        std::vector<THRUSTER_HANDLE> handles;
        for (int i : list) handles.push_back(t[i]);
        ASSERT_NE(vessel.CreateThrusterGroup(handles.data(), static_cast<int>(handles.size()),
                                             THGROUP_MAIN),
                  nullptr);
        EXPECT_EQ(Description()["groups"]["0"], nlohmann::json(list));
    }
    // A thruster deleted with another group leaves a long list too.
    const int longList[] = {0, 1, 2, 3, 4, 5, 6};
    std::vector<THRUSTER_HANDLE> handles;
    for (int i : longList) handles.push_back(t[i]);
    vessel.CreateThrusterGroup(handles.data(), 7, THGROUP_MAIN);
    THRUSTER_HANDLE doomed[2] = {t[1], t[5]};
    vessel.CreateThrusterGroup(doomed, 2, THGROUP_RETRO);
    ASSERT_TRUE(vessel.DelThrusterGroup(THGROUP_RETRO, true));
    EXPECT_EQ(Description()["groups"]["0"], nlohmann::json::array({0, 1, 2, 3, 4}))
        << "t0 t2 t3 t4 t6, renumbered after two deletions";
}

TEST_F(VesselDefinition, DeletingAGroupKeepsOrRemovesItsThrusters) {
    THRUSTER_HANDLE t[3];
    for (int i = 0; i < 3; ++i) t[i] = vessel.CreateThruster({double(i), 0, 0}, {0, 1, 0}, 5.0);
    THRUSTER_HANDLE yaw[2] = {t[0], t[1]};
    THRUSTER_HANDLE all[3] = {t[0], t[1], t[2]};
    vessel.CreateThrusterGroup(yaw, 2, THGROUP_ATT_YAWLEFT);
    vessel.CreateThrusterGroup(all, 3, THGROUP_MAIN);

    EXPECT_TRUE(vessel.DelThrusterGroup(THGROUP_ATT_YAWLEFT, false));
    EXPECT_FALSE(vessel.DelThrusterGroup(THGROUP_ATT_YAWLEFT, false));  // missing: harmless
    EXPECT_FALSE(vessel.DelThrusterGroup(THGROUP_RETRO));
    auto description = Description();
    EXPECT_EQ(description["thrusters"].size(), 3u);
    EXPECT_FALSE(description["groups"].contains("5"));
    // Recreated from the kept handles.
    ASSERT_NE(vessel.CreateThrusterGroup(yaw, 2, THGROUP_ATT_YAWLEFT), nullptr);
    EXPECT_TRUE(vessel.DelThrusterGroup(THGROUP_ATT_YAWLEFT, true));
    description = Description();
    ASSERT_EQ(description["thrusters"].size(), 1u);
    EXPECT_EQ(description["thrusters"][0]["pos"][0], 2.0);
    EXPECT_EQ(description["groups"]["0"], nlohmann::json::array({0}));  // t[2], now index 0
}

TEST_F(VesselDefinition, GroupCallsWithBadArgumentsChangeNothing) {
    THRUSTER_HANDLE t = vessel.CreateThruster({0, 0, 0}, {0, 0, 1}, 1.0);
    int foreign = 0;
    THRUSTER_HANDLE mixed[2] = {t, &foreign};
    EXPECT_EQ(vessel.CreateThrusterGroup(mixed, 1, static_cast<THGROUP_TYPE>(15)), nullptr);
    EXPECT_EQ(vessel.CreateThrusterGroup(nullptr, 2, THGROUP_MAIN), nullptr);
    EXPECT_EQ(vessel.CreateThrusterGroup(mixed, -1, THGROUP_MAIN), nullptr);
    EXPECT_FALSE(vessel.DelThrusterGroup(static_cast<THGROUP_TYPE>(-1)));
    // A handle that is not one of the vessel's thrusters is left out of a group.
    ASSERT_NE(vessel.CreateThrusterGroup(mixed, 2, THGROUP_MAIN), nullptr);
    EXPECT_EQ(Description()["groups"]["0"], nlohmann::json::array({0}));
}

TEST_F(VesselDefinition, AttachmentParametersComeBackExactly) {
    const double tiny = std::numeric_limits<double>::denorm_min();
    struct Params {
        VECTOR3 pos, dir, rot;
    };
    const Params cases[] = {
        {{2.9, -15.0, 15.0}, {194.0, 224.0, 1e-300}, {1.0, 0.0, 2.9}},
        {{-3.0, 3.0, -4.0}, {4.0, -7.0, 7.0}, {0.0, 1000.0, 1000.0}},
        {{tiny, -tiny, 1e308}, {0.1, 0.2, 0.30000000000000004}, {-0.0, 41.0, 85.0}},
    };
    ATTACHMENTHANDLE a =
        vessel.CreateAttachment(false, cases[0].pos, cases[0].dir, cases[0].rot, "UMmu");
    ATTACHMENTHANDLE p =
        vessel.CreateAttachment(true, {0, 0, 0}, {0, 0, 1}, {0, 1, 0}, "U-Mm", true);
    ASSERT_NE(a, nullptr);
    for (const auto& c : cases) {
        vessel.SetAttachmentParams(a, c.pos, c.dir, c.rot);
        VECTOR3 pos{}, dir{}, rot{};
        vessel.GetAttachmentParams(a, pos, dir, rot);
        for (const auto& [got, want] : {std::pair{pos, c.pos}, {dir, c.dir}, {rot, c.rot}}) {
            EXPECT_EQ(std::memcmp(&got, &want, sizeof got), 0);
        }
    }
    EXPECT_EQ(vessel.AttachmentCount(false), 1u);
    EXPECT_EQ(vessel.AttachmentCount(true), 1u);
    EXPECT_EQ(vessel.GetAttachmentHandle(false, 0), a);
    EXPECT_EQ(vessel.GetAttachmentHandle(true, 0), p);
    EXPECT_EQ(vessel.GetAttachmentHandle(true, 1), nullptr);
    EXPECT_STREQ(vessel.GetAttachmentId(a), "UMmu");
    EXPECT_STREQ(vessel.GetAttachmentId(p), "U-Mm");
    const auto attachments = Description()["attachments"];
    EXPECT_EQ(attachments["child"][0]["pos"][2].get<double>(), 1e308);
    EXPECT_EQ(attachments["parent"][0]["id"], "U-Mm");
    EXPECT_EQ(attachments["child"][0]["pos"][0].get<double>(), tiny);
}

TEST_F(VesselDefinition, AttachmentHandlesOfAnotherVesselAreRefused) {
    VESSEL& other = *Vessel(NameOf(sim.CreateVessel("Other", "Rock")));
    ATTACHMENTHANDLE theirs = other.CreateAttachment(false, {1, 2, 3}, {4, 5, 6}, {7, 8, 9}, "X");
    VECTOR3 pos{-1, -1, -1}, dir{}, rot{};
    // Reading through another vessel's handle stops the run (HostFunctions tests the message);
    // setting through it changes nothing.
    EXPECT_THROW(vessel.GetAttachmentParams(theirs, pos, dir, rot), sim::HostStop);
    EXPECT_EQ(pos.x, -1.0);
    vessel.SetAttachmentParams(theirs, {0, 0, 0}, {0, 0, 0}, {0, 0, 0});
    other.GetAttachmentParams(theirs, pos, dir, rot);
    EXPECT_EQ(pos.x, 1.0);
    // Handles stay valid and in order as the lists grow beyond what a short list holds.
    std::vector<ATTACHMENTHANDLE> own;
    for (int i = 0; i < 12; ++i) {
        const std::string id = "A" + std::to_string(i);
        own.push_back(vessel.CreateAttachment(i % 2 == 0, {}, {}, {}, id.c_str()));
        ASSERT_STREQ(vessel.GetAttachmentId(own.back()), id.c_str());
        EXPECT_THROW(other.GetAttachmentId(own.back()), sim::HostStop);
    }
    ASSERT_EQ(vessel.AttachmentCount(true), 6u);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(vessel.GetAttachmentHandle(i % 2 == 0, static_cast<DWORD>(i / 2)), own[i]);
        EXPECT_STREQ(vessel.GetAttachmentId(own[i]), ("A" + std::to_string(i)).c_str());
    }
}

TEST_F(VesselDefinition, DocksAreNumberedInCreationOrderAndLinkVessels) {
    DOCKHANDLE d0 = vessel.CreateDock({0, 0, 207.2}, {0, 0, 1}, {0, 1, 0});
    DOCKHANDLE d1 = vessel.CreateDock({4.57, 0, -4.67}, {1, 0, 0}, {0, 0, -1});
    EXPECT_EQ(vessel.DockCount(), 2u);
    EXPECT_EQ(vessel.GetDockHandle(0), d0);
    EXPECT_EQ(vessel.GetDockHandle(1), d1);
    EXPECT_EQ(vessel.GetDockHandle(2), nullptr);
    OBJHANDLE station = sim.CreateVessel("Station", "Rock");
    sim.Dock("Hull", 1, "Station", 3);  // an inert vessel has ports on demand
    EXPECT_EQ(vessel.DockingStatus(1), 1u);
    EXPECT_EQ(vessel.DockingStatus(0), 0u);
    EXPECT_EQ(vessel.GetDockStatus(d1), station);
    EXPECT_EQ(vessel.GetDockStatus(d0), nullptr);
    EXPECT_EQ(sim.Describe("Station")["docks"][3]["docked"], "Hull");
    EXPECT_THROW(sim.Dock("Hull", 1, "Station", 0), sim::InputError);    // in use
    EXPECT_THROW(sim.Dock("Hull", 100, "Station", 0), sim::InputError);  // no such port
    sim.DeleteVessel(station);
    EXPECT_EQ(vessel.DockingStatus(1), 0u);
    EXPECT_EQ(vessel.GetDockStatus(d1), nullptr);
}

TEST_F(VesselDefinition, DescriptionShowsTheDefinition) {
    vessel.SetSize(545.0);
    vessel.SetEmptyMass(35824560.0);
    vessel.SetCW(0.09, 0.09, 2.0, 1.4);
    vessel.SetCrossSections({26.32, 26.34, 14.67});
    vessel.SetRotDrag({3.93, 3.93, 3.93});
    vessel.SetPMI({2.28, 2.31, 0.79});
    const nlohmann::json defaults = sim.Describe("Hull")["touchdown"];
    ASSERT_EQ(defaults.size(), 3u) << "the host's three default points";
    EXPECT_EQ(defaults[1], (nlohmann::json{{"pos", {-3.0, -2.0, -5.0}},
                                           {"stiffness", 1e6},
                                           {"damping", 1e5},
                                           {"mu", 0.5},
                                           {"mu_lng", 0.1}}));
    const TOUCHDOWNVTX points[] = {{{0, -25, 150}, 2e9, 5e8, 1, 1},
                                   {{-12, -25, -290}, 2e9, 5e8, 1, 1},
                                   {{12, -25, -290}, 2e9, 5e8, 1, 1},
                                   {{0, 0, 207}, 2e9, 5e8, 3, 3}};
    vessel.SetTouchdownPoints(points, 2);  // fewer than three: refused, the points stay
    EXPECT_EQ(sim.Describe("Hull")["touchdown"], defaults);
    vessel.SetTouchdownPoints(points, 4);
    PROPELLANT_HANDLE tank = vessel.CreatePropellantResource(98654240.0);
    vessel.CreatePropellantResource(10.0, 4.0, 0.5);
    THRUSTER_HANDLE engine = vessel.CreateThruster({0, 0, 0}, {0, 0, 1}, 5e7, tank, 80000.0);
    vessel.SetThrusterMax0(engine, 1e7);
    const VECTOR3 source{-8.5, 0, -338};
    vessel.AddExhaust(engine, 1.0, 2.6, {-8.5, 0, -340}, {0, 0, -1});
    vessel.AddExhaustStream(engine, source);
    vessel.AddMesh("quillmar");
    vessel.SetMeshVisibilityMode(0, 3);
    vessel.SetCameraOffset({-1.65, 5.5, 174.0});
    vessel.EnableTransponder(true);
    vessel.SetTransponderChannel(42);

    const auto d = Description();
    EXPECT_EQ(d["name"], "Hull");
    EXPECT_EQ(d["class"], "Rock");
    EXPECT_EQ(d["focus"], true);
    EXPECT_EQ(d["size"], 545.0);
    EXPECT_EQ(d["empty_mass"], 35824560.0);
    EXPECT_EQ(d["cw"], nlohmann::json::array({0.09, 0.09, 2.0, 1.4}));
    EXPECT_EQ(d["cross_sections"], nlohmann::json::array({26.32, 26.34, 14.67}));
    EXPECT_EQ(d["rot_drag"][2], 3.93);
    EXPECT_EQ(d["pmi"], nlohmann::json::array({2.28, 2.31, 0.79}));
    ASSERT_EQ(d["touchdown"].size(), 4u);
    EXPECT_EQ(d["touchdown"][3], (nlohmann::json{{"pos", {0.0, 0.0, 207.0}},
                                                 {"stiffness", 2e9},
                                                 {"damping", 5e8},
                                                 {"mu", 3.0},
                                                 {"mu_lng", 3.0}}));
    EXPECT_EQ(d["propellant"][0],
              (nlohmann::json{{"max", 98654240.0}, {"mass", 98654240.0}, {"efficiency", 1.0}}));
    EXPECT_EQ(d["propellant"][1]["mass"], 4.0);
    EXPECT_EQ(d["thrusters"][0]["max"], 1e7);
    EXPECT_EQ(d["thrusters"][0]["isp"], 80000.0);
    EXPECT_EQ(d["exhausts"], 1);
    EXPECT_EQ(d["streams"], 1);
    EXPECT_EQ(d["meshes"][0], (nlohmann::json{{"name", "quillmar"}, {"visibility", 3}}));
    EXPECT_EQ(d["camera"], nlohmann::json::array({-1.65, 5.5, 174.0}));
    EXPECT_EQ(d["transponder"], (nlohmann::json{{"on", true}, {"channel", 42}}));
    EXPECT_TRUE(d["hud"].is_null());
    EXPECT_EQ(d["state"][0], "STATUS Orbiting Earth");
    EXPECT_EQ(d["state"].back(), "XPDR 42");
    for (const char* key :
         {"pos", "vel", "angvel", "docks", "attachments", "groups", "group_moments"}) {
        EXPECT_TRUE(d.contains(key)) << key;
    }
    EXPECT_EQ(d.size(), 26u);
}

}  // namespace
