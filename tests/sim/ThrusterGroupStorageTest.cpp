#include <gtest/gtest.h>

#include <vector>

#include "host/HostApi.h"
#include "sim/world/SimVessel.h"
#include "tests/sim/SimulatorFixture.h"

namespace {

using ThrusterGroupStorage = SimulatorTest;

// A ship whose rate rules withdraw and restore its groups re-creates them in many frames: a group
// re-created with a list no longer than the one it held keeps its storage, so no frame allocates.
TEST_F(ThrusterGroupStorage, ReCreatingAGroupNoLongerThanBeforeKeepsItsStorage) {
    LoadShips("Alpha:Rock\nEND\n");
    VESSEL* alpha = Vessel("Alpha");
    auto* record = static_cast<sim::SimVessel*>(sim.FindVessel("Alpha"));
    std::vector<THRUSTER_HANDLE> thrusters;
    for (int i = 0; i < 4; ++i) {
        thrusters.push_back(alpha->CreateThruster({0, 0, 0}, {0, 0, 1}, 1.0));
    }
    const std::vector<THRUSTER_HANDLE> first = {thrusters[0], thrusters[1], thrusters[2]};

    struct Case {
        const char* what;
        bool deleteFirst;
        std::vector<THRUSTER_HANDLE> list;
    };
    const Case kCases[] = {
        {"the same list", false, first},
        {"another list of the same size", false, {thrusters[3], thrusters[2], thrusters[1]}},
        {"a shorter list", false, {thrusters[3]}},
        {"the same list after the group was deleted", true, first},
        {"another list after the group was deleted", true, {thrusters[1], thrusters[0]}},
    };
    for (const Case& c : kCases) {
        auto list = first;
        alpha->CreateThrusterGroup(list.data(), static_cast<int>(list.size()), THGROUP_ATT_YAWLEFT);
        const sim::ThrusterGroup& group = record->groups[THGROUP_ATT_YAWLEFT];
        const auto* storage = group.members.data();
        const std::size_t capacity = group.members.capacity();
        if (c.deleteFirst) {
            ASSERT_TRUE(alpha->DelThrusterGroup(THGROUP_ATT_YAWLEFT)) << c.what;
        }
        // Takes a freed block of the group's size, if there is one, so that storage the group
        // gave up cannot come back to it at the same address.
        std::vector<THRUSTER_HANDLE> blocker;
        blocker.reserve(capacity);
        list = c.list;
        alpha->CreateThrusterGroup(list.data(), static_cast<int>(list.size()), THGROUP_ATT_YAWLEFT);
        EXPECT_EQ(group.members.data(), storage) << c.what;
        ASSERT_EQ(group.members.size(), c.list.size()) << c.what;
        for (std::size_t i = 0; i < c.list.size(); ++i) {
            EXPECT_EQ(group.members[i], c.list[i]) << c.what << ", member " << i;
        }
        EXPECT_TRUE(group.exists) << c.what;
    }
}

}  // namespace
