// Scenario lines the simulator reads on past: what can be read is taken, the rest keeps its value,
// one warning names file, line and what was assumed, and saving writes the values in force.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "sim/scenario/StandardStateLines.h"
#include "sim/world/LoadContext.h"
#include "sim/world/SimVessel.h"
#include "testing/RootFiles.h"
#include "tests/sim/SimulatorFixture.h"

namespace {

namespace fs = std::filesystem;

struct Case {
    std::string text;                       // the whole scenario
    std::vector<std::string> warnings;      // each after "FILE:"
    std::vector<std::string> saved = {};    // lines the saved file holds
    std::vector<std::string> unsaved = {};  // lines it must not hold
};

std::string Ships(const std::string& lines) {
    return "BEGIN_SHIPS\nA:Probe\n" + lines + "END\nB:Probe\nEND\nEND_SHIPS\n";
}

const Case kCases[] = {
    // Vector lines: the numbers read replace their components.
    {Ships(" RPOS 1 2 3\n RPOS 7 8\n"),
     {"4: RPOS '7 8' has 2 of 3 numbers: uses 7 8 3"},
     {"  RPOS 7 8 3"}},
    {Ships(" RVEL abc\n"), {"3: RVEL 'abc' has 0 of 3 numbers: uses 0 0 0"}, {"  RVEL 0 0 0"}},
    {Ships(" RVEL 4,5,6\n"), {"3: RVEL '4,5,6' has 1 of 3 numbers: uses 4 0 0"}, {"  RVEL 4 0 0"}},
    {Ships(" RPOS 1 2 3 junk ; note\n"),
     {"3: RPOS '1 2 3 junk': ignores 'junk'"},
     {"  RPOS 1 2 3"}},
    {Ships(" RPOS +1 -2e1 3.5e-1\n"), {}, {"  RPOS 1 -20 0.35"}},
    {Ships(" AROT\n"), {"3: AROT '' has 0 of 3 numbers: uses 0 0 0"}, {"  AROT 0 0 0"}},
    {Ships(" VROT inf 1 2\n"), {"3: VROT 'inf 1 2' has 0 of 3 numbers: uses 0 0 0"}, {}},
    // The transponder: switched on; without a number the channel stays.
    {Ships(" XPDR\n"), {"3: XPDR '' gives no channel: keeps channel 0"}, {"  XPDR 0"}},
    {Ships(" XPDR 5\n xpdr x\n"), {"4: XPDR 'x' gives no channel: keeps channel 5"}, {"  XPDR 5"}},
    {Ships(" XPDR -1\n"), {"3: XPDR '-1' gives no channel: keeps channel 0"}, {"  XPDR 0"}},
    {Ships(" XPDR 6 7\n"), {"3: XPDR '6 7': ignores '7'"}, {"  XPDR 6"}},
    // Status, tanks, docking.
    {Ships(" STATUS Landed Moon\n STATUS Drifting\n"),
     {"4: STATUS 'Drifting' is not Orbiting BODY or Landed BODY: keeps Landed Moon"},
     {"  STATUS Landed Moon"}},
    {Ships(" DOCKINFO 0:0,Ghost\n"),
     {"3: DOCKINFO names no vessel of the scenario: Ghost: the port stays free"},
     {},
     {"  DOCKINFO 0:0,Ghost"}},
    {Ships(" DOCKINFO 0:1,B zero 1:0,B\n"),
     {"3: DOCKINFO item 'zero' is not PORT:OTHERPORT,NAME: it and the items after it are "
      "ignored"},
     {"  DOCKINFO 0:1,B"},
     {"  DOCKINFO 0:1,B 1:0,B"}},
    {Ships(" PRPLEVEL 0:x\n"),
     {"3: PRPLEVEL item '0:x' is not INDEX:LEVEL: it and the items after it are ignored"}},
    // The date: MJD, JD or JE; left out or unreadable, the one in force stays.
    {"BEGIN_ENVIRONMENT\n  Date MJD ;\nEND_ENVIRONMENT\n" + Ships(""),
     {"2: Date 'MJD' gives no date as MJD, JD or JE NUMBER: the date in force stays"},
     {"  Date MJD 51544.5"}},
    {"BEGIN_ENVIRONMENT\n  Date soon\nEND_ENVIRONMENT\n" + Ships(""),
     {"2: Date 'soon' gives no date as MJD, JD or JE NUMBER: the date in force stays"},
     {"  Date MJD 51544.5"}},
    {"BEGIN_ENVIRONMENT\n  Date JD 2451910.25\nEND_ENVIRONMENT\n" + Ships(""),
     {},
     {"  Date MJD 51909.75"}},
    {"BEGIN_ENVIRONMENT\n  date je 2001\nEND_ENVIRONMENT\n" + Ships(""),
     {},
     {"  Date MJD 51909.75"}},
    {"BEGIN_ENVIRONMENT\n  Date MJD 51982.5 UTC\nEND_ENVIRONMENT\n" + Ships(""),
     {"2: Date 'MJD 51982.5 UTC': the text after the number is ignored"},
     {"  Date MJD 51982.5"}},
    // The focus: a ship not found gives the first vessel the focus.
    {"BEGIN_FOCUS\n  Ship GL-01\nEND_FOCUS\n" + Ships(""),
     {"2: the focus vessel GL-01 is not in the scenario: A takes the focus"},
     {"  Ship A"}},
    {"BEGIN_FOCUS\n  Ship\nEND_FOCUS\n" + Ships(""),
     {"2: Ship names no vessel: the first vessel takes the focus"},
     {"  Ship A"}},
    {"BEGIN_FOCUS\n  Ship B A\nEND_FOCUS\n" + Ships(""),
     {"2: Ship 'B A' takes one name: uses B"},
     {"  Ship B"}},
};

// The line parser alone, on a load context and a vessel without a simulation: it takes what it
// can read, notes DOCKINFO links with the line they came from, and warns with the file and line
// of the block being read (without them outside a block).
TEST(ScenarioLineParser, ReadsIntoItsLoadContextAlone) {
    sim::ScenarioLineSource block;
    block.file = "a.scn";
    block.currentLine = 7;
    sim::LoadContext load;
    load.activeSource = &block;
    sim::SimVessel vessel;

    sim::ParseStandardLine(load, vessel, "RPOS 1 2");
    EXPECT_EQ(vessel.motion->pos.x, 1.0);
    EXPECT_EQ(vessel.motion->pos.y, 2.0);
    EXPECT_EQ(vessel.motion->pos.z, 0.0);
    sim::ParseStandardLine(load, vessel, "STATUS Landed Moon");
    EXPECT_TRUE(vessel.motion->landed);
    EXPECT_EQ(vessel.referenceBody.Name(), "Moon");
    block.currentLine = 9;
    sim::ParseStandardLine(load, vessel, "DOCKINFO 0:1,B 2:3,C x");
    ASSERT_EQ(load.pendingDocks.size(), 2u);
    const sim::PendingDockLink& second = load.pendingDocks[1];
    EXPECT_EQ(second.vessel, &vessel);
    EXPECT_EQ(second.port, 2u);
    EXPECT_EQ(second.otherPort, 3u);
    EXPECT_EQ(second.otherName, "C");
    EXPECT_EQ(second.location, "a.scn:9");
    load.activeSource = nullptr;
    sim::ParseStandardLine(load, vessel, "XPDR none");
    EXPECT_TRUE(vessel.transponderOn);

    const std::vector<std::string> expected = {
        "a.scn:7: RPOS '1 2' has 2 of 3 numbers: uses 1 2 0",
        "a.scn:9: DOCKINFO item 'x' is not PORT:OTHERPORT,NAME: it and the items after it are "
        "ignored",
        "XPDR 'none' gives no channel: keeps channel 0",
    };
    EXPECT_EQ(load.warnings, expected);
}

TEST(ScenarioWarnings, LinesReadInPartWarnAndSaveTheValuesInForce) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.text);
        sim::SimulatorOptions options;
        std::ostringstream stream;
        options.warnings = &stream;
        sim::Simulator simulator(options);
        simulator.RegisterModule("Probe", QM_PROBE_MODULE);
        const fs::path file = test_support::WriteRootFile(simulator, "test.scn", c.text);
        simulator.LoadScenario(file);

        std::vector<std::string> expected;
        std::string printed;
        for (const auto& warning : c.warnings) {
            expected.push_back(file.string() + ":" + warning);
            printed += expected.back() + "\n";
        }
        EXPECT_EQ(simulator.LoadWarnings(), expected);
        EXPECT_EQ(stream.str(), printed);

        const fs::path saved = simulator.Root() / "saved.scn";
        simulator.SaveScenario(saved);
        const std::string text = test_support::ReadFile(saved);
        for (const auto& line : c.saved) {
            EXPECT_NE(text.find("\n" + line + "\n"), std::string::npos) << line << "\n" << text;
        }
        for (const auto& line : c.unsaved) {
            EXPECT_EQ(text.find("\n" + line + "\n"), std::string::npos) << line << "\n" << text;
        }
        // What was saved loads back without a warning.
        for (const auto& name : simulator.VesselNames()) {
            simulator.DeleteVessel(simulator.FindVessel(name));
        }
        simulator.LoadScenario(saved);
        EXPECT_EQ(simulator.LoadWarnings(), std::vector<std::string>{});
    }
}

// The ship's own rule: an "XPDR" line without a number keeps the channel it had, and the host's
// reading of the same line agrees.
TEST_F(SimulatorTest, QuillmarKeepsItsChannelForAnXpdrLineWithoutANumber) {
    struct XpdrCase {
        std::string lines;
        unsigned channel;
        std::size_t warnings;
    };
    const XpdrCase cases[] = {
        {"  XPDR 12\n  XPDR\n", 12, 1},
        {"  XPDR 12\n  xpdr abc\n", 12, 1},
        {"  XPDR\n", 0, 1},
        {"  XPDR 12\n  XPDR 5\n", 5, 0},
    };
    sim.RegisterModule("Quillmar", QM_MODULE_PATH);
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines);
        const std::string name = "Q" + std::to_string(++n);
        LoadShips(name + ":Quillmar\n  STATUS Orbiting Earth\n" + c.lines + "END\n");
        EXPECT_EQ(sim.LoadWarnings().size(), c.warnings);
        EXPECT_EQ(sim.Describe(name)["transponder"],
                  (nlohmann::json{{"on", true}, {"channel", c.channel}}));
        sim.SaveScenario(sim.Root() / "q.scn");
        EXPECT_NE(
            ReadFile(sim.Root() / "q.scn").find("\n  XPDR " + std::to_string(c.channel) + "\n"),
            std::string::npos);
    }
}

// vesselsim runs on with the warnings on standard error; what the host cannot load either still
// stops it with status 2.
TEST(ScenarioWarnings, VesselsimPrintsThemAndRunsOn) {
    const fs::path folder =
        fs::temp_directory_path() / ("vesselsim-warnings-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    std::ofstream(folder / "odd.scn")
        << "BEGIN_ENVIRONMENT\n  Date MJD ;\nEND_ENVIRONMENT\n" + Ships(" RPOS 1 2\n");
    const auto run = [&](const std::string& scenario) {
        const std::string command = "cd '" + folder.string() + "' && '" + QM_VESSELSIM + "' " +
                                    scenario + " >out.txt 2>err.txt";
        const int raw = std::system(command.c_str());
        std::ifstream in(folder / "err.txt");
        std::ostringstream err;
        err << in.rdbuf();
        return std::make_pair(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, err.str());
    };
    const auto [status, err] = run("odd.scn");
    EXPECT_EQ(status, 0) << err;
    const std::string file = (folder / "odd.scn").string();
    EXPECT_EQ(err, file +
                       ":2: Date 'MJD' gives no date as MJD, JD or JE NUMBER: the date in force "
                       "stays\n" +
                       file + ":6: RPOS '1 2' has 2 of 3 numbers: uses 1 2 0\n");
    EXPECT_GT(fs::file_size(folder / "out.txt"), 0u);  // it ran
    EXPECT_EQ(run("missing.scn").first, 2);
    fs::remove_all(folder);
}

}  // namespace
