#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "host/HostApi.h"
#include "tests/sim/SimulatorFixture.h"

namespace {

using Counts = std::vector<std::pair<std::string, std::uint64_t>>;

Counts ByKind(const sim::HostCallCounts& counts) {
    Counts byKind;
    for (const auto& kind : counts.byKind) byKind.emplace_back(kind.name, kind.calls);
    return byKind;
}

class HostCallCounting : public SimulatorTest {
  protected:
    HostCallCounting() { sim.ResetHostCalls(); }
};

// The test plays a module: each kind is called a different number of times, so a call counted
// under another kind, twice, or not at all changes the result.
TEST_F(HostCallCounting, AKnownSequenceOfCallsIsCountedExactlyByKindUntilReset) {
    LoadShips("Alpha:Rock\nEND\nBravo:Rock\nEND\n");
    const OBJHANDLE alpha = sim.FindVessel("Alpha");
    VESSEL* bravo = Vessel("Bravo");
    THRUSTER_HANDLE thruster = bravo->CreateThruster({0, 0, 0}, {0, 0, 1}, 1.0);
    sim.ResetHostCalls();

    char name[16];
    VECTOR3 vector{};
    struct Step {
        const char* kind;
        int times;
        std::function<void()> call;
    };
    const std::vector<Step> steps = {
        {"oapiGetVesselCount", 1, [] { oapiGetVesselCount(); }},
        {"oapiGetVesselByIndex", 2, [] { oapiGetVesselByIndex(1); }},
        {"oapiGetVesselInterface", 3, [&] { oapiGetVesselInterface(alpha); }},
        {"oapiGetObjectName", 4, [&] { oapiGetObjectName(alpha, name, sizeof name); }},
        {"oapiGetGlobalPos", 5, [&] { oapiGetGlobalPos(alpha, &vector); }},
        {"oapiDebugString", 6, [] { oapiDebugString(); }},
        {"VESSEL::GetClassName", 7, [&] { bravo->GetClassNameA(); }},
        {"VESSEL::AttachmentCount", 8, [&] { bravo->AttachmentCount(true); }},
        {"VESSEL::GetAngularVel", 9, [&] { bravo->GetAngularVel(vector); }},
        {"VESSEL::CreateThrusterGroup", 10,
         [&] { bravo->CreateThrusterGroup(&thruster, 1, THGROUP_ATT_PITCHUP); }},
        {"VESSEL::DelThrusterGroup", 11, [&] { bravo->DelThrusterGroup(THGROUP_ATT_PITCHUP); }},
        {"VESSEL::GetHandle", 12, [&] { bravo->GetHandle(); }},
    };
    Counts expected;
    std::uint64_t total = 0;
    for (const Step& step : steps) {
        for (int i = 0; i < step.times; ++i) step.call();
        expected.emplace_back(step.kind, step.times);
        total += static_cast<std::uint64_t>(step.times);
    }
    std::sort(expected.begin(), expected.end());

    const sim::HostCallCounts counts = sim.HostCalls();
    EXPECT_EQ(ByKind(counts), expected);
    EXPECT_EQ(counts.total, total);
    EXPECT_EQ(sim.HostCallTotal(), total);
    EXPECT_EQ(counts.Of("VESSEL::CreateThrusterGroup"), 10u);
    EXPECT_EQ(counts.Of("oapiGetVesselCount"), 1u);
    EXPECT_EQ(counts.Of("oapiCreateVessel"), 0u);

    sim.ResetHostCalls();
    EXPECT_EQ(sim.HostCallTotal(), 0u);
    EXPECT_TRUE(sim.HostCalls().byKind.empty());
    oapiGetVesselCount();
    EXPECT_EQ(ByKind(sim.HostCalls()), (Counts{{"oapiGetVesselCount", 1}}));
}

// Loading, running, docking, describing and saving vessels of the host's own inert class is the
// host's own work: none of it is a call into the host.
TEST_F(HostCallCounting, TheHostsOwnWorkIsNoHostCall) {
    LoadShips("Alpha:Rock\n  RPOS 1 2 3\n  XPDR 12\nEND\nBravo:Rock\nEND\n");
    sim.Dock("Alpha", 0, "Bravo", 1);
    sim.Run(1.0);
    sim.Print("Alpha");
    sim.SaveScenario(sim.Root() / "saved.scn");
    sim.DeleteVessel(sim.FindVessel("Bravo"));
    EXPECT_EQ(sim.HostCallTotal(), 0u) << testing::PrintToString(ByKind(sim.HostCalls()));
}

// The built-in crew add-on is another add-on in the simulator: what it asks of the host counts,
// exactly as it asks it.
TEST_F(HostCallCounting, TheCrewAddonsCallsAreHostCalls) {
    ASSERT_NE(sim.CreateVessel("Walker", "UMmu"), nullptr);
    EXPECT_EQ(ByKind(sim.HostCalls()), (Counts{{"VESSEL::CreateAttachment", 1},
                                               {"VESSEL::GetName", 1},
                                               {"VESSEL::SetSize", 1},
                                               {"VESSEL::VESSEL", 1}}));
}

}  // namespace
