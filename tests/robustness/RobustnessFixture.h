// Ships of the real module in the stand-in simulator, with the crew counted before a test's
// trouble starts, so that a test can show that nobody was lost or duplicated.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "testing/CrewVessels.h"
#include "testing/DockedPair.h"
#include "testing/HandOverFiles.h"
#include "testing/PublishedAirlocks.h"
#include "testing/RootFiles.h"
#include "testing/Roster.h"
#include "testing/ShipModule.h"
#include "tests/robustness/CrewCensus.h"
#include "tests/vessel/ShipHarness.h"

namespace robustness {

using test_support::CrewLine;
using test_support::kShipClass;
using test_support::TransferVessels;

class RobustnessTest : public quillmar_test::ShipTest {
  protected:
    // Alpha (Ada Kerr, Max Poe) and Beta (Ivo Brandt), docked at their ports 0, airlocks open.
    void LoadDockedPair() {
        test_support::ScenarioBuilder scenario;
        scenario.Environment(quillmar_test::kScenarioMjd).Focus("Alpha");
        test_support::AddDockedPair(
            scenario, "Alpha",
            {"UMMUCREW Capt-Ada_Kerr-41-66-72", "UMMUCREW Tech-Max_Poe-30-70-80"}, "Beta",
            {"UMMUCREW Doc-Ivo_Brandt-52-71-90"});
        scenario.Load(sim);
        Key("Alpha", "A");
        Key("Beta", "A");
        CountCrew();
    }

    void CountCrew() { everyone = CountEveryone(sim); }

    // Deletes every vessel and loads the scenario again, as a player reloads a saved session.
    void SaveAndReload() {
        const std::filesystem::path saved = sim.Root() / "reloaded.scn";
        sim.SaveScenario(saved);
        DeleteEveryVessel();
        sim.LoadScenario(saved);
    }
    void DeleteEveryVessel() {
        for (const std::string& name : sim.VesselNames()) sim.DeleteVessel(sim.FindVessel(name));
    }

    // Nobody lost or duplicated since CountCrew, and every ship's published seats match its
    // roster.
    void ExpectCrewConserved() {
        EXPECT_EQ(Difference(everyone, CountEveryone(sim)), "");
        for (const std::string& name : test_support::VesselsOfClass(sim, kShipClass)) {
            const int seats = PublishedFreeSeats(name);
            if (seats >= 0) {
                EXPECT_EQ(seats, kSeats - static_cast<int>(RosterNames(name).size())) << name;
            }
        }
    }

    std::vector<CrewLine> Roster(const std::string& ship) const {
        return test_support::Roster(sim, ship);
    }
    std::vector<std::string> RosterNames(const std::string& ship) const {
        return test_support::RosterNames(sim, ship);
    }
    int PublishedFreeSeats(const std::string& ship) const {
        return test_support::PublishedFreeSeats(sim, ship);
    }

    // Puts a folder where the root has a file, so that the module can neither read nor write it.
    void BlockFile(const std::filesystem::path& file) {
        std::filesystem::remove(file);
        std::filesystem::create_directories(file);
    }

    Headcount everyone;
};

}  // namespace robustness
