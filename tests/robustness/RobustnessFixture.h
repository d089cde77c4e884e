// Ships of the real module in the stand-in simulator, with the crew counted before a test's
// trouble starts, so that a test can show that nobody was lost or duplicated.
#pragma once

#include <filesystem>
#include <string>

#include "tests/robustness/CrewCensus.h"
#include "tests/vessel/ShipHarness.h"

namespace robustness {

class RobustnessTest : public quillmar_test::ShipTest {
  protected:
    // Alpha (Ada Kerr, Max Poe) and Beta (Ivo Brandt), docked at their ports 0, airlocks open.
    void LoadDockedPair() {
        LoadShips({{"Alpha",
                    {"DOCKINFO 0:0,Beta", "UMMUCREW Capt-Ada_Kerr-41-66-72",
                     "UMMUCREW Tech-Max_Poe-30-70-80"}},
                   {"Beta", {"UMMUCREW Doc-Ivo_Brandt-52-71-90"}}});
        Key("Alpha", "A");
        Key("Beta", "A");
        CountCrew();
    }

    void CountCrew() { everyone = CountEveryone(sim); }

    // Nobody lost or duplicated since CountCrew, and every ship's published seats match its
    // roster.
    void ExpectCrewConserved() {
        EXPECT_EQ(Difference(everyone, CountEveryone(sim)), "");
        for (const std::string& name : sim.VesselNames()) {
            if (sim.Describe(name)["class"] != kShipClass) continue;
            const int seats = PublishedFreeSeats(name);
            if (seats >= 0) {
                EXPECT_EQ(seats, kSeats - static_cast<int>(RosterNames(name).size())) << name;
            }
        }
    }

    // Puts a folder where the root has a file, so that the module can neither read nor write it.
    void BlockFile(const std::string& path) {
        const std::filesystem::path file = sim.Root() / path;
        std::filesystem::remove(file);
        std::filesystem::create_directories(file);
    }

    Headcount everyone;
};

}  // namespace robustness
