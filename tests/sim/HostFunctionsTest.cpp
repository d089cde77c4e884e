#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "host/HostApi.h"
#include "sim/host-side/HostStop.h"
#include "tests/sim/SimulatorFixture.h"

namespace {

TEST(Date2Int, TurnsBuildDatesIntoNumbers) {
    struct Case {
        const char* text;
        int number;
    };
    constexpr Case kCases[] = {
        {"Apr 25 2006", 60425},  {"Jan  1 2000", 101},
        {"Dec 31 1999", 991231}, {"Sep  9 2024", 240909},
        {"Feb 29 2012", 120229}, {"apr 25 2006", 60425},
        {"Foo 25 2006", 0},      {"Apr 2006", 0},
        {"Apr 32 2006", 0},      {"", 0},
    };
    for (const auto& c : kCases) {
        std::string text = c.text;
        EXPECT_EQ(Date2Int(text.data()), c.number) << c.text;
    }
    EXPECT_EQ(Date2Int(nullptr), 0);
}

TEST(Date2Int, EveryCallIsCounted) {
    const int before = sim::LibraryCalls().date2IntCalls;
    char date[] = "Apr 25 2006";
    Date2Int(date);
    Date2Int(date);
    EXPECT_EQ(sim::LibraryCalls().date2IntCalls, before + 2);
}

TEST(ModuleLoading, TheModuleCallsInitLibOnLoad) {
    sim::Simulator simulator;
    const int before = sim::LibraryCalls().initLibCalls;
    simulator.RegisterModule("Probe", QM_PROBE_MODULE);
    EXPECT_EQ(sim::LibraryCalls().initLibCalls, before + 1);
    EXPECT_NE(sim::LibraryCalls().lastInitLibModule, nullptr);
}

TEST(ModuleLoading, BadLibrariesAreInputErrors) {
    sim::Simulator simulator;
    EXPECT_THROW(simulator.RegisterModule("X", simulator.Root() / "missing.so"), sim::InputError);
    // The sample root's placeholder is no library.
    EXPECT_THROW(simulator.RegisterModule("X", simulator.Root() / "modules" / "UMmu.dll"),
                 sim::InputError);
}

TEST(ModuleLoading, OnlyOneSimulatorAtATime) {
    sim::Simulator simulator;
    EXPECT_EQ(sim::Simulator::Current(), &simulator);
    EXPECT_THROW(sim::Simulator{}, std::logic_error);
}

TEST(SimulatorRoot, TemporaryCopyOfTheSampleRootIsTheWorkingFolderAndGoesAway) {
    const auto before = std::filesystem::current_path();
    std::filesystem::path root;
    {
        sim::Simulator simulator;
        root = simulator.Root();
        EXPECT_EQ(std::filesystem::current_path(), root);
        EXPECT_TRUE(std::filesystem::exists("modules/UMmu.dll"));
        EXPECT_TRUE(std::filesystem::exists("meshes/UMmu/ver.dtf"));
        EXPECT_TRUE(std::filesystem::is_directory("config/UMMUIdConfig"));
    }
    EXPECT_EQ(std::filesystem::current_path(), before);
    EXPECT_FALSE(std::filesystem::exists(root));
}

using HostFunctions = SimulatorTest;

TEST_F(HostFunctions, ADeletedVesselStaysToTheEndOfTheFrame) {
    LoadShips("Alpha:Probe\nEND\nBravo:Probe\nEND\nCharlie:Probe\nEND\nDelta:Rock\nEND\n");
    OBJHANDLE b = sim.FindVessel("Bravo");
    OBJHANDLE d = sim.FindVessel("Delta");
    ASSERT_EQ(oapiGetVesselByIndex(1), b);
    EXPECT_TRUE(oapiDeleteVessel(b));
    EXPECT_TRUE(oapiDeleteVessel(b));  // marked twice, removed once
    // Marked only: listed, found by name, with its interface, until the frame is over.
    char bravo[] = "Bravo";
    EXPECT_EQ(oapiGetVesselCount(), 4u);
    EXPECT_EQ(oapiGetVesselByIndex(1), b);
    EXPECT_EQ(oapiGetObjectByName(bravo), b);
    EXPECT_NE(oapiGetVesselInterface(b), nullptr);
    EXPECT_EQ(Count("deleted Bravo"), 0);
    sim.Frame();
    // It had the frame's callbacks, then left; the last vessel took its slot.
    EXPECT_EQ(Count("debug: exit Bravo 1 1"), 1);
    EXPECT_EQ(Count("deleted Bravo"), 1);
    EXPECT_EQ(oapiGetVesselCount(), 3u);
    EXPECT_EQ(oapiGetVesselByIndex(1), d);
    EXPECT_EQ(oapiGetObjectByName(bravo), nullptr);
    EXPECT_EQ(sim.VesselNames(), (std::vector<std::string>{"Alpha", "Delta", "Charlie"}));
    // The name is free again.
    EXPECT_NE(sim.CreateVessel("Bravo", "Rock"), nullptr);
}

TEST_F(HostFunctions, SeveralDeletionsInOneFrameEachMoveTheLastVessel) {
    for (const char* name : {"V0", "V1", "V2", "V3", "V4", "V5"}) sim.CreateVessel(name, "Rock");
    oapiDeleteVessel(sim.FindVessel("V1"));
    oapiDeleteVessel(sim.FindVessel("V4"));
    oapiDeleteVessel(sim.FindVessel("V5"));
    sim.Frame();
    EXPECT_EQ(sim.VesselNames(), (std::vector<std::string>{"V0", "V3", "V2"}));
}

// A call the simulator answers by reading through the handle, and what the stop must name.
struct ReadThroughCall {
    const char* call;
    std::function<void(OBJHANDLE)> make;
};

TEST_F(HostFunctions, NullAndStaleVesselHandlesStopTheRunWhereTheSimulatorCrashes) {
    OBJHANDLE gone = sim.CreateVessel("Gone", "Rock");
    OBJHANDLE kept = sim.CreateVessel("Kept", "Rock");
    // Recently asked-about vessels are known without a look-up; a deleted one must be forgotten.
    ASSERT_EQ(oapiGetVesselByIndex(1), kept);
    ASSERT_NE(oapiGetVesselInterface(gone), nullptr);
    ASSERT_EQ(oapiGetVesselByIndex(0), gone);
    ASSERT_TRUE(sim.DeleteVessel(gone));
    const ReadThroughCall calls[] = {
        {"oapiGetVesselInterface", [](OBJHANDLE h) { oapiGetVesselInterface(h); }},
        {"oapiGetObjectName",
         [](OBJHANDLE h) {
             char name[16];
             oapiGetObjectName(h, name, sizeof name);
         }},
        {"oapiSetFocusObject", [](OBJHANDLE h) { oapiSetFocusObject(h); }},
    };
    int foreign = 0;
    for (const auto& c : calls) {
        for (OBJHANDLE handle : {gone, static_cast<OBJHANDLE>(&foreign), OBJHANDLE{}}) {
            SCOPED_TRACE(std::string(c.call) + (handle == nullptr ? " null" : " stale"));
            try {
                c.make(handle);
                ADD_FAILURE() << "no stop";
            } catch (const sim::HostStop& stop) {
                EXPECT_NE(std::string(stop.what()).find(c.call), std::string::npos) << stop.what();
            }
        }
    }
    // Calls the simulator checks, or that the stand-in has no cause to stop for, give none.
    VECTOR3 pos{1, 2, 3};
    oapiGetGlobalPos(gone, &pos);
    EXPECT_EQ(pos.x, 0.0);
    EXPECT_EQ(oapiGetEmptyMass(gone), 0.0);
    EXPECT_FALSE(oapiDeleteVessel(gone));
    EXPECT_NE(oapiGetVesselInterface(kept), nullptr);
    // The fault-injection switch still hides the interface of a live vessel, without a stop.
    sim.Faults().hideInterfaces = true;
    EXPECT_EQ(oapiGetVesselInterface(kept), nullptr);
}

TEST_F(HostFunctions, NullAndForeignDockAndAttachmentHandlesStopTheRun) {
    LoadShips("Ship:Probe\nEND\nOther:Probe\nEND\n");
    VESSEL& ship = *Vessel("Ship");
    VESSEL& other = *Vessel("Other");
    const DOCKHANDLE theirDock = other.GetDockHandle(0);
    const ATTACHMENTHANDLE theirAttachment = other.CreateAttachment(false, {}, {}, {}, "UMmu");
    ASSERT_NE(theirDock, nullptr);
    ASSERT_NE(theirAttachment, nullptr);
    struct Case {
        const char* call;
        const void* handle;
        std::function<void(const void*)> make;
    };
    VECTOR3 a{}, b{}, c{};
    const auto dockStatus = [&](const void* h) { ship.GetDockStatus(const_cast<void*>(h)); };
    const auto attachmentId = [&](const void* h) { ship.GetAttachmentId(const_cast<void*>(h)); };
    const auto attachmentParams = [&](const void* h) {
        ship.GetAttachmentParams(const_cast<void*>(h), a, b, c);
    };
    const Case cases[] = {
        {"GetDockStatus", nullptr, dockStatus},
        {"GetDockStatus", theirDock, dockStatus},
        {"GetAttachmentId", nullptr, attachmentId},
        {"GetAttachmentId", theirAttachment, attachmentId},
        {"GetAttachmentParams", nullptr, attachmentParams},
        {"GetAttachmentParams", theirAttachment, attachmentParams},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(std::string(k.call) + (k.handle == nullptr ? " null" : " foreign"));
        try {
            k.make(k.handle);
            ADD_FAILURE() << "no stop";
        } catch (const sim::HostStop& stop) {
            EXPECT_NE(std::string(stop.what()).find(k.call), std::string::npos) << stop.what();
        }
    }
    // The vessel's own handles answer.
    EXPECT_EQ(ship.GetDockStatus(ship.GetDockHandle(1)), nullptr);
    EXPECT_STREQ(other.GetAttachmentId(theirAttachment), "UMmu");
}

TEST_F(HostFunctions, NamesAndIdentifiersAsTheSimulatorKeepsThem) {
    OBJHANDLE ship = sim.CreateVessel("Meridian", "Rock");
    // Look-up by name ignores letter case.
    for (const char* asked : {"Meridian", "meridian", "MERIDIAN", "mERIDIAn"}) {
        std::string name = asked;
        EXPECT_EQ(oapiGetObjectByName(name.data()), ship) << asked;
    }
    std::string other = "Meridian2";
    EXPECT_EQ(oapiGetObjectByName(other.data()), nullptr);
    try {
        sim.CreateVessel("MERIDIAN", "Rock");
        ADD_FAILURE() << "a second vessel named meridian";
    } catch (const sim::InputError& refusal) {
        EXPECT_NE(std::string(refusal.what()).find("exists already"), std::string::npos)
            << refusal.what();
    }
    VESSELSTATUS status{};
    EXPECT_EQ(oapiCreateVessel("MERIDIAN", "UMmu", status), nullptr)
        << "a module asking for a taken name gets no vessel";

    // Names are copied as strncpy copies: no terminator when the name fills the buffer.
    struct NameCase {
        int n;
        const char* expected;  // the buffer's first n bytes, '#' where nothing was written
    };
    const NameCase names[] = {
        {12, "Meridian\0\0\0\0"}, {9, "Meridian\0"}, {8, "Meridian"}, {4, "Meri"}, {0, ""},
    };
    for (const auto& c : names) {
        char buffer[16];
        std::memset(buffer, '#', sizeof buffer);
        oapiGetObjectName(ship, buffer, c.n);
        EXPECT_EQ(std::string(buffer, static_cast<std::size_t>(c.n)),
                  std::string(c.expected, static_cast<std::size_t>(c.n)))
            << c.n;
        EXPECT_EQ(buffer[c.n], '#') << "nothing written past n = " << c.n;
    }

    // Attachment identifiers keep eight bytes.
    VESSEL& vessel = *sim.Interface(ship);
    struct IdCase {
        const char* given;
        const char* kept;
    };
    const IdCase ids[] = {{"UMmu", "UMmu"},
                          {"U-Mm", "U-Mm"},
                          {"UMmuSuit", "UMmuSuit"},
                          {"Launchpad", "Launchpa"},
                          {"", ""}};
    for (const auto& c : ids) {
        EXPECT_STREQ(vessel.GetAttachmentId(vessel.CreateAttachment(true, {}, {}, {}, c.given)),
                     c.kept);
    }

    // Transponder channels run from 0 to 639; another is refused and changes nothing.
    struct ChannelCase {
        DWORD channel;
        bool taken;
        unsigned kept;
    };
    const ChannelCase channels[] = {
        {466, true, 466}, {639, true, 639}, {640, false, 639}, {0, true, 0}, {4000, false, 0}};
    for (const auto& c : channels) {
        EXPECT_EQ(vessel.SetTransponderChannel(c.channel), c.taken) << c.channel;
        EXPECT_EQ(sim.Describe("Meridian")["transponder"]["channel"], c.kept) << c.channel;
    }
}

TEST_F(HostFunctions, FocusMovesAndFollowsDeletion) {
    OBJHANDLE a = sim.CreateVessel("A", "Rock");
    OBJHANDLE b = sim.CreateVessel("B", "Rock");
    OBJHANDLE c = sim.CreateVessel("C", "Rock");
    EXPECT_EQ(sim.Focus(), a);  // the first vessel takes the focus
    EXPECT_EQ(oapiSetFocusObject(b), a);
    EXPECT_EQ(sim.Focus(), b);
    oapiDeleteVessel(b, c);
    EXPECT_EQ(sim.Focus(), b);  // until the vessel leaves at the end of the frame
    sim.Frame();
    EXPECT_EQ(sim.Focus(), c);
    oapiDeleteVessel(c);
    sim.Frame();
    EXPECT_EQ(sim.Focus(), a);
}

TEST_F(HostFunctions, TimeRandomNumbersAndEmptyMass) {
    sim.SetStep(0.1);
    sim.SetTimeAcceleration(10.0);
    sim.Run(1.0);
    EXPECT_NEAR(sim.SimTime(), 1.0, 1e-12);
    EXPECT_NEAR(oapiGetSysTime(), 0.1, 1e-12);
    EXPECT_DOUBLE_EQ(oapiGetSimStep(), 0.1);
    for (int i = 0; i < 1000; ++i) {
        const double r = oapiRand();
        ASSERT_GE(r, 0.0);
        ASSERT_LT(r, 1.0);
    }
    OBJHANDLE vessel = sim.CreateVessel("Mass", "Rock");
    oapiSetEmptyMass(vessel, 1234.5);
    EXPECT_EQ(oapiGetEmptyMass(vessel), 1234.5);
}

TEST(HostRandom, TheSeedMakesARunReproducible) {
    auto draw = [](unsigned seed) {
        sim::SimulatorOptions options;
        options.seed = seed;
        sim::Simulator simulator(options);
        return std::vector<double>{oapiRand(), oapiRand(), oapiRand()};
    };
    EXPECT_EQ(draw(7), draw(7));
    EXPECT_NE(draw(7), draw(8));
}

TEST_F(HostFunctions, ScenarioStreamsOnlyAnswerTheirOwnHandle) {
    char* line = nullptr;
    int foreign = 0;
    EXPECT_FALSE(oapiReadScenario_nextline(&foreign, line));
    EXPECT_FALSE(oapiReadScenario_nextline(nullptr, line));
    char key[] = "KEY";
    char value[] = "value";
    oapiWriteScenario_string(&foreign, key, value);  // ignored, no crash
    EXPECT_EQ(line, nullptr);
}

}  // namespace
