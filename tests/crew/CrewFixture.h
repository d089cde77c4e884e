// The stand-in simulator as host of crew managers on inert ships, and what tests read through it:
// a ship's published airlock as another vessel sees it, the crew add-on's files in the root.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <type_traits>

#include "crew/CrewIdTable.h"
#include "crew/CrewManager.h"
#include "crew/ModuleState.h"
#include "host/CrewAddon.h"
#include "sim/session/Simulator.h"
#include "testing/PublishedAirlocks.h"
#include "testing/RootFiles.h"

namespace crew {

// A failed check shows a crew result by its number, as the result types list them.
template <typename Result>
requires std::is_enum_v<Result>
void PrintTo(const Result& result, std::ostream* os) { *os << static_cast<int>(result); }

}  // namespace crew

namespace crew::test {

inline constexpr char kShipClass[] = "Ship";  // no module: an inert vessel

// An airlock box in the vessel frame: x, y and z ranges.
struct Box {
    float xMin, xMax, yMin, yMax, zMin, zMax;
};
inline constexpr Box kCube{-15, 15, -15, 15, -15, 15};

// Frames enough for an arrival: well over the scan interval at the default step.
inline constexpr int kPatienceFrames = 60;

// The three vectors of a published airlock.
struct Published {
    VECTOR3 pos, dir, rot;
};

class CrewTest : public testing::Test {
  protected:
    CrewTest() {
        // The module-wide state as a freshly loaded module in this root has it.
        ResetModuleState();
    }

    OBJHANDLE Ship(const std::string& name) {
        const OBJHANDLE ship = sim.CreateVessel(name, kShipClass);
        EXPECT_NE(ship, nullptr) << name;
        return ship;
    }

    VESSEL& Interface(OBJHANDLE vessel) { return *oapiGetVesselInterface(vessel); }

    // A crew manager started on the ship and made ready with an airlock.
    std::unique_ptr<CrewManager> Crew(OBJHANDLE ship, int seats = 8, int doorState = 1,
                                      Box box = kCube) {
        auto crew = std::make_unique<CrewManager>();
        EXPECT_EQ(crew->Initialize(ship), StartResult::kStarted);
        EXPECT_EQ(crew->DefineAirlock(doorState, box.xMin, box.xMax, box.yMin, box.yMax, box.zMin,
                                      box.zMax),
                  CrewManager::Result::kDone);
        EXPECT_EQ(crew->SetSeatCount(seats), CrewManager::Result::kDone);
        return crew;
    }

    AirlockLink& LinkOf(const CrewManager& crew) { return crew::LinkRecord(crew.LinkIndex()); }

    // Frames, each followed by the manager's arrival processing, until something arrives (that
    // result) or `frames` frames ran without (kNone).
    CrewManager::ArrivalResult FramesUntilArrival(CrewManager& manager,
                                                  int frames = kPatienceFrames) {
        for (int i = 0; i < frames; ++i) {
            sim.Frame();
            const CrewManager::ArrivalResult result = manager.ProcessArrivals();
            if (result != CrewManager::ArrivalResult::kNone) return result;
        }
        return CrewManager::ArrivalResult::kNone;
    }

    // Runs `scan`, a scan step of the link record or of its crew manager, without a frame in
    // between until a pass runs (the record's scan timer starts again from zero): one pass now.
    // The last frame's step drives the timer, so a frame must have run. That step's result.
    template <typename Scan>
    auto ScanUntilPass(const AirlockLink& link, Scan scan) {
        constexpr int kMostSteps = 1000;
        EXPECT_GT(oapiGetSimStep(), 0.0) << "no frame has run";
        auto result = scan();
        for (int steps = 1; link.ScanTimer() != 0.0 && steps < kMostSteps; ++steps) {
            result = scan();
        }
        EXPECT_EQ(link.ScanTimer(), 0.0) << "no pass in " << kMostSteps << " scan steps";
        return result;
    }

    // The vectors of the vessel's first child attachment "UMmu" as the host hands them out,
    // read as another vessel reads them.
    std::optional<Published> ReadPublished(OBJHANDLE ship) {
        const VESSEL& vessel = Interface(ship);
        crew_addon::PublishedAirlock airlock;
        const ATTACHMENTHANDLE point = crew_addon::FindPublishedAirlock(vessel, airlock);
        if (point == nullptr) return std::nullopt;
        Published published{};
        vessel.GetAttachmentParams(point, published.pos, published.dir, published.rot);
        return published;
    }

    int PublishedFreeSeats(OBJHANDLE ship) {
        return test_support::PublishedFreeSeats(sim, Interface(ship).GetName());
    }

    // A file of the crew add-on, named with backslashes as the crew manager names it.
    std::filesystem::path RootFile(const std::string& backslashPath) const {
        return test_support::RootFile(sim, backslashPath);
    }
    void WriteRootFile(const std::string& backslashPath, const std::string& content) const {
        test_support::WriteRootFile(sim, backslashPath, content);
    }

    sim::Simulator sim;
};

// The scene most crew tests start from: the ship "Ship" of empty mass kShipMass with a ready crew
// manager of eight seats.
class CrewShipTest : public CrewTest {
  protected:
    static constexpr double kShipMass = 1000.0;

    CrewShipTest() : ship(Ship("Ship")), crew(Crew(ship)) { oapiSetEmptyMass(ship, kShipMass); }

    OBJHANDLE ship;
    std::unique_ptr<CrewManager> crew;
};

}  // namespace crew::test
