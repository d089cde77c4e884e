// Scenario files as the simulator itself ships them: they load, run and save back with every line
// the stand-in does not interpret unchanged; landed vessels keep their surface lines; a Quillmar
// docked to a station of a class without a module meets a ship without a crew airlock.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "testing/RootFiles.h"
#include "testing/ShipModule.h"
#include "tests/sim/SimulatorFixture.h"

namespace {

namespace fs = std::filesystem;

const fs::path kRealScenarios = QM_REAL_SCENARIOS;
const fs::path kStationExample = fs::path(QM_EXAMPLES) / "station-visit.scn";

// Every scenario file of the simulator's own folder, in name order.
std::vector<fs::path> RealScenarioFiles() {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(kRealScenarios)) {
        if (entry.path().extension() == ".scn") files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::string> Lines(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

bool IsDateLine(const std::string& line) { return line.rfind("  Date MJD ", 0) == 0; }

// The folder of the simulator's own files sits beside the source tree; without it, say so.
#define SKIP_WITHOUT_REAL_SCENARIOS()      \
    if (!fs::is_directory(kRealScenarios)) \
    GTEST_SKIP() << "the simulator's own scenario files are not at " << kRealScenarios.string()

TEST(RealScenarioFiles, SaveBackEveryLineTheyDoNotInterpret) {
    SKIP_WITHOUT_REAL_SCENARIOS();
    const auto files = RealScenarioFiles();
    ASSERT_FALSE(files.empty()) << "no scenario files in " << kRealScenarios.string();
    for (const fs::path& original : files) {
        SCOPED_TRACE(original.filename().string());
        sim::Simulator sim;
        const auto originalLines = Lines(original);
        sim.LoadScenario(original);

        // Saved before anything ran, the file comes back line for line.
        sim.SaveScenario(sim.Root() / "saved.scn");
        EXPECT_EQ(Lines(sim.Root() / "saved.scn"), originalLines);

        // A minute later only the date has moved on.
        sim.Run(60.0);
        sim.SaveScenario(sim.Root() / "later.scn");
        const auto later = Lines(sim.Root() / "later.scn");
        ASSERT_EQ(later.size(), originalLines.size());
        int dateLines = 0;
        for (std::size_t i = 0; i < later.size(); ++i) {
            if (IsDateLine(originalLines[i])) {
                ++dateLines;
                EXPECT_TRUE(IsDateLine(later[i])) << later[i];
                EXPECT_NE(later[i], originalLines[i]);
            } else {
                EXPECT_EQ(later[i], originalLines[i]) << "line " << i + 1;
            }
        }
        EXPECT_EQ(dateLines, 1);
    }
}

TEST_F(SimulatorTest, DockedInertVesselsAreLinkedThroughPortsGrownOnDemand) {
    sim.LoadScenario(kStationExample);
    EXPECT_EQ(sim.Describe("Harbor")["docks"][1]["docked"], "Tender-2");
    EXPECT_EQ(sim.Describe("Tender-2")["docks"][0]["docked"], "Harbor");
    // Any other port of the station can take a ship.
    sim.CreateVessel("Probe1", "Probe");
    sim.Dock("Probe1", 0, "Harbor", 5);
    EXPECT_EQ(sim.Describe("Harbor")["docks"][5]["docked"], "Probe1");
}

TEST_F(SimulatorTest, LandedVesselsKeepTheirSurfaceLines) {
    struct Case {
        std::string lines;  // after STATUS
        std::string saved;  // with the ALT at which the 1000 kg probe rests on the default points
    };
    const Case cases[] = {
        {"  POS -80.6825040 28.5968040\n  HEADING 330.01\n",
         "  STATUS Landed Earth\n  POS -80.6825040 28.5968040\n  HEADING 330.01\n"
         "  ALT 1.996726593461983\n  XPDR 0\n"},
        {"  BASE Brighton Beach:1\n  heading 0.00 ; facing north\n  BASE Habana:4\n",
         "  STATUS Landed Earth\n  BASE Habana:4\n  heading 0.00\n  ALT 1.996726593461983\n"
         "  XPDR 0\n"},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines);
        const std::string name = "Lander" + std::to_string(++n);
        LoadShips(name + ":Probe\n  STATUS Landed Earth\n" + c.lines + "  XPDR 0\nEND\n");
        sim.Run(1.0);
        sim.SaveScenario(sim.Root() / "landed.scn");
        const std::string saved = test_support::ReadFile(sim.Root() / "landed.scn");
        EXPECT_NE(saved.find(name + ":Probe\n" + c.saved), std::string::npos) << saved;
    }
    // Set into orbit again, the vessel writes its orbital lines.
    LoadShips(
        "Flyer:Probe\n  STATUS Landed Mars\n  BASE Olympus:3\n  STATUS Orbiting Mars\n"
        "  RPOS 1 2 3\nEND\n");
    const auto state = sim.Describe("Flyer")["state"];
    EXPECT_EQ(state[0], "STATUS Orbiting Mars");
    EXPECT_EQ(state[1], "RPOS 1 2 3");
}

TEST_F(SimulatorTest, QuillmarDockedToTheStationIsToldItUsesNoCrewAirlock) {
    test_support::RegisterShipModule(sim);
    sim.LoadScenario(kStationExample);
    sim.Dock("Visitor", 0, "Harbor", 0);
    EXPECT_EQ(sim.Describe("Harbor")["docks"][0]["docked"], "Visitor");
    sim.SetFocus(sim.FindVessel("Visitor"));  // the HUD drawn is the focus vessel's
    sim.Run(0.1);
    EXPECT_EQ(sim.PressKey("Visitor", "A"), 1);
    sim.Run(0.1);
    sim.PressKey("Visitor", "E");
    sim.Run(0.1);
    EXPECT_EQ(sim.HudText("Visitor"),
              "Error, docked ship do not use UMmu 2.0, ask author to add it");
    EXPECT_EQ(sim.FindVessel("UMmu_Capt-Ada_Kerr"), nullptr);
    // Once undocked the same member leaves on foot.
    sim.Undock("Visitor", 0);
    sim.PressKey("Visitor", "E");
    sim.Run(0.1);
    EXPECT_NE(sim.FindVessel("UMmu_Capt-Ada_Kerr"), nullptr);
}

}  // namespace
