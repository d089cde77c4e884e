// The stand-in simulator as host of crew managers on inert ships, and what tests read through it:
// a ship's published airlock as another vessel sees it, the crew add-on's files in the root.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "crew/AddonVersion.h"
#include "crew/CrewIdTable.h"
#include "crew/CrewManager.h"
#include "crew/TakenThisStep.h"
#include "host/CrewAddon.h"
#include "sim/Simulator.h"
#include "sim/World.h"

namespace crew_test {

inline constexpr char kShipClass[] = "Ship";  // no module: an inert vessel

// An airlock box in the vessel frame: x, y and z ranges.
struct Box {
    float xMin, xMax, yMin, yMax, zMin, zMax;
};
inline constexpr Box kCube{-15, 15, -15, 15, -15, 15};

// The three vectors of a published airlock.
struct Published {
    VECTOR3 pos, dir, rot;
};

class CrewTest : public testing::Test {
  protected:
    CrewTest() {
        // Module-wide tables as a fresh module in this root has them.
        addon_version::Forget();
        crew_ids::Load();
        taken_this_step::Forget();
    }

    sim::World& World() { return *sim::World::Current(); }

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
        EXPECT_EQ(crew->Initialize(ship), 1);
        EXPECT_EQ(crew->DefineAirlock(doorState, box.xMin, box.xMax, box.yMin, box.yMax, box.zMin,
                                      box.zMax),
                  1);
        EXPECT_EQ(crew->SetSeatCount(seats), 1);
        return crew;
    }

    AirlockLink& LinkOf(const CrewManager& crew) { return airlock_links::Record(crew.linkIndex); }

    // The first child attachment "UMmu" of the vessel, read as another vessel reads it.
    std::optional<Published> ReadPublished(OBJHANDLE ship) {
        const VESSEL& vessel = Interface(ship);
        for (DWORD i = 0; i < vessel.AttachmentCount(false); ++i) {
            const ATTACHMENTHANDLE point = vessel.GetAttachmentHandle(false, i);
            if (std::strcmp(vessel.GetAttachmentId(point), crew_addon::kAirlockAttachmentId) != 0) {
                continue;
            }
            Published published{};
            vessel.GetAttachmentParams(point, published.pos, published.dir, published.rot);
            return published;
        }
        return std::nullopt;
    }

    int PublishedFreeSeats(OBJHANDLE ship) {
        const auto published = ReadPublished(ship);
        return published ? static_cast<int>(published->rot.z) : -1000;
    }

    // A file of the crew add-on, named with backslashes as the crew manager names it.
    std::filesystem::path RootFile(const std::string& backslashPath) const {
        std::string path = backslashPath;
        for (char& c : path) {
            if (c == '\\') c = '/';
        }
        return sim.Root() / path;
    }

    void WriteRootFile(const std::string& backslashPath, const std::string& content) const {
        const auto file = RootFile(backslashPath);
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << content;
    }

    std::vector<char> ReadRootFile(const std::string& backslashPath) const {
        std::ifstream in(RootFile(backslashPath), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    sim::Simulator sim;
};

}  // namespace crew_test
