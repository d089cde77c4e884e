// Scenario files: reading (sections, vessel blocks, the host's lines), writing back, and errors.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <numbers>
#include <sstream>

#include "host/HostApi.h"
#include "tests/sim/SimulatorFixture.h"

namespace {

const std::string kLongName(255, 'n');

const std::string kHead =
    "; A test scenario\r\n"
    "BEGIN_DESC\n"
    "Two ships; one inert.\n"
    "END_DESC\n"
    "\n"
    "BEGIN_ENVIRONMENT\n"
    "  System Sol\n"
    "  Date MJD 51982.5\n"
    "  Script something\n"
    "END_ENVIRONMENT\n"
    "\n"
    "BEGIN_FOCUS\n"
    "  Ship Alpha\n"
    "END_FOCUS\n"
    "\n"
    "BEGIN_CAMERA\n"
    "  TARGET Alpha\n"
    "END_CAMERA\n"
    "\n"
    "BEGIN_SHIPS\n";

const std::string kStation =
    "Station:Space:Station\n"
    "  STATUS Orbiting Earth\n"
    "  RPOS 10 20 30   ; where it is\n"
    "\tFOO bar\n"
    "    odd indentation\n"
    "  DOCKINFO 1:0,Alpha\n"
    "END\n";

const std::string kScenario = kHead +
                              "; the probe\n"
                              "Alpha:Probe\n"
                              "  status orbiting Moon   ; keys in any case\n"
                              "\n"
                              "  rpos 1 2 3\n"
                              "  RVEL -1 0.5 2.9\n"
                              "  AROT 10 20 30\n"
                              "  VROT 0 0 1.5\n"
                              "  xpdr 7\n"
                              "  DockInfo 0:1,Station\n"
                              "end\n" +
                              kStation + kLongName + ":Rock\nEND\n" + "; the end\nEND_SHIPS\n";

using Scenario = SimulatorTest;

TEST_F(Scenario, LinesReachTheVesselAsTheHostHandsThemOn) {
    sim.LoadScenario(WriteFile("in.scn", kScenario));
    EXPECT_EQ(sim.VesselNames(), (std::vector<std::string>{"Alpha", "Station", kLongName}));
    EXPECT_EQ(sim.Focus(), sim.FindVessel("Alpha"));
    const auto alpha = sim.Describe("Alpha");
    EXPECT_EQ(alpha["pos"], nlohmann::json::array({1.0, 2.0, 3.0}));
    EXPECT_EQ(alpha["vel"], nlohmann::json::array({-1.0, 0.5, 2.9}));
    EXPECT_NEAR(alpha["angvel"][2].get<double>(), 1.5 * std::numbers::pi / 180.0, 1e-15);
    EXPECT_EQ(alpha["transponder"], (nlohmann::json{{"on", true}, {"channel", 7}}));
    EXPECT_EQ(alpha["docks"][0]["docked"], "Station");
    EXPECT_EQ(alpha["state"][0], "STATUS Orbiting Moon");
    const auto station = sim.Describe("Station");
    EXPECT_EQ(station["class"], "Space:Station");
    EXPECT_EQ(station["pos"], nlohmann::json::array({10.0, 20.0, 30.0}));
    EXPECT_EQ(station["docks"][1]["docked"], "Alpha");
    EXPECT_EQ(station["state"],
              nlohmann::json::array({"STATUS Orbiting Earth", "RPOS 10 20 30", "FOO bar",
                                     "odd indentation", "DOCKINFO 1:0,Alpha"}));
}

TEST_F(Scenario, BlankLinesInsideABlockReachTheVessel) {
    // Blank lines, and a comment line with nothing before its ';', reach the module as empty
    // lines, as the simulator hands blank lines on.
    LoadShips(
        "Alpha:Probe\n\n   \n  ; a note\n  RPOS 1 2 3\n\nEND\nBeta:Probe\n RPOS 0 0 1\nEND\n");
    const auto alpha = sim.Describe("Alpha")["state"];
    EXPECT_NE(std::find(alpha.begin(), alpha.end(), "BLANKS 4"), alpha.end()) << alpha.dump();
    EXPECT_EQ(sim.Describe("Alpha")["pos"], nlohmann::json::array({1.0, 2.0, 3.0}));
    const auto beta = sim.Describe("Beta")["state"];
    for (const auto& line : beta) EXPECT_NE(line.get<std::string>().rfind("BLANKS", 0), 0u);
}

TEST_F(Scenario, SavingWritesBackWhatItDoesNotInterpret) {
    sim.LoadScenario(WriteFile("in.scn", kScenario));
    sim.SaveScenario(sim.Root() / "out.scn");
    const std::string saved = ReadFile(sim.Root() / "out.scn");
    // Everything up to the ships is as read, line endings aside.
    std::string head = kHead;
    head.erase(head.find('\r'), 1);
    EXPECT_EQ(saved.substr(0, head.size()), head);
    // The inert vessel's block is exactly as read, as are the lines around the blocks.
    EXPECT_NE(saved.find(kStation + kLongName + ":Rock\nEND\n; the end\nEND_SHIPS\n"),
              std::string::npos);
    EXPECT_NE(
        saved.find(
            "; the probe\nAlpha:Probe\n  STATUS Orbiting Moon\n  RPOS 1 2 3\n  RVEL -1 0.5 2.9\n"),
        std::string::npos);
    // The blank line of Alpha's block reached the probe, which counted it.
    EXPECT_NE(saved.find("  DOCKINFO 0:1,Station\n  XPDR 7\n  BLANKS 1\n  STEPS 0 0\nEND\n"),
              std::string::npos);
}

// BEGIN_HUD opens the scenario with the HUD on, in the mode its TYPE line names; without the
// section the simulator opens it with the HUD off. The section is saved as read.
TEST_F(Scenario, TheHudSectionGivesTheModeTheScenarioOpensWith) {
    struct Case {
        const char* section;
        const char* mode;
        bool warns;
    };
    const Case cases[] = {
        {"", "", false},
        {"BEGIN_HUD\n  TYPE Orbit\nEND_HUD\n", "Orbit", false},
        {"begin_hud\n  type surface ; on the ground\nend_hud\n", "Surface", false},
        {"BEGIN_HUD\n  TYPE Docking\nEND_HUD\n", "Docking", false},
        {"BEGIN_HUD\nEND_HUD\n", "Orbit", false},
        {"BEGIN_HUD\n  TYPE Map\nEND_HUD\n", "Orbit", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.section);
        const std::string text = std::string(c.section) + "BEGIN_SHIPS\nA:Probe\nEND\nEND_SHIPS\n";
        sim.LoadScenario(WriteFile("hud.scn", text));
        EXPECT_EQ(sim.HudMode(), c.mode);
        EXPECT_EQ(sim.LoadWarnings().size(), c.warns ? 1u : 0u);
        sim.SaveScenario(sim.Root() / "hud-out.scn");
        EXPECT_EQ(ReadFile(sim.Root() / "hud-out.scn").find(c.section), 0u);
        sim.DeleteVessel(sim.FindVessel("A"));
    }
}

TEST(ScenarioRoundTrip, ASavedScenarioLoadsToTheSameState) {
    nlohmann::json before;
    std::filesystem::path saved =
        std::filesystem::temp_directory_path() / "vesselsim-roundtrip.scn";
    {
        sim::Simulator simulator;
        simulator.RegisterModule("Probe", QM_PROBE_MODULE);
        const auto in = simulator.Root() / "in.scn";
        std::ofstream(in) << kScenario;
        simulator.LoadScenario(in);
        simulator.CreateVessel("Later", "UMmu");
        simulator.Execute("angvel Later 0.1 -0.2 0.3");
        simulator.Run(1.0);
        simulator.SaveScenario(saved);
        for (const auto& name : simulator.VesselNames()) before[name] = simulator.Describe(name);
    }
    sim::Simulator simulator;
    simulator.RegisterModule("Probe", QM_PROBE_MODULE);
    simulator.LoadScenario(saved);
    std::filesystem::remove(saved);
    for (const auto& [name, was] : before.items()) {
        const auto now = simulator.Describe(name);
        for (const char* key : {"pos", "vel", "angvel"}) {
            for (int i = 0; i < 3; ++i) {
                EXPECT_NEAR(now[key][i].get<double>(), was[key][i].get<double>(), 1e-9)
                    << name << key;
            }
        }
        EXPECT_EQ(now["docks"], was["docks"]) << name;
        EXPECT_EQ(now["transponder"], was["transponder"]) << name;
        EXPECT_EQ(now["class"], was["class"]) << name;
    }
}

TEST(ScenarioRoundTrip, OrientationSurvivesSaving) {
    sim::Simulator simulator;
    const auto in = simulator.Root() / "in.scn";
    std::ofstream(in) << "BEGIN_SHIPS\nA:UMmu\n AROT -170 45 80\nEND\nEND_SHIPS\n";
    simulator.LoadScenario(in);
    MATRIX3 first{};
    simulator.Interface(simulator.FindVessel("A"))->GetRotationMatrix(first);
    const auto arot = simulator.Describe("A")["state"][3].get<std::string>();
    EXPECT_EQ(arot.rfind("AROT ", 0), 0u);
    simulator.Execute("delete A");
    std::ofstream(in, std::ios::trunc) << "BEGIN_SHIPS\nA:UMmu\n " << arot << "\nEND\nEND_SHIPS\n";
    simulator.LoadScenario(in);
    MATRIX3 second{};
    simulator.Interface(simulator.FindVessel("A"))->GetRotationMatrix(second);
    const double* a = &first.m11;
    const double* b = &second.m11;
    for (int i = 0; i < 9; ++i) EXPECT_NEAR(a[i], b[i], 1e-12);
}

TEST(ScenarioErrors, NameFileAndLine) {
    struct Case {
        std::string text;
        std::string message;
    };
    const Case cases[] = {
        {"BEGIN_SHIPS\nA:Rock\n", "bad.scn:2: vessel A has no END"},
        {"BEGIN_SHIPS\nA:Rock\nEND\n", "bad.scn:1: BEGIN_SHIPS has no END_SHIPS"},
        {"BEGIN_SHIPS\nA:Rock\nEND_SHIPS\n", "bad.scn:2: vessel A has no END"},
        {"BEGIN_SHIPS\n" + std::string(256, 'n') + ":Rock\nEND\nEND_SHIPS\n",
         "bad.scn:2: vessel name longer than 255"},
        {"BEGIN_SHIPS\nA B:Rock\nEND\nEND_SHIPS\n",
         "bad.scn:2: vessel name 'A B' holds a blank, tab, ':' or ';'"},
        {"BEGIN_SHIPS\nA:Rock\nEND\nA:Rock\nEND\nEND_SHIPS\n", "bad.scn:4: vessel A appears twice"},
        {"BEGIN_SHIPS\n:Rock\nEND\nEND_SHIPS\n", "bad.scn:2: vessel header ':Rock' has no name"},
        {"BEGIN_SHIPS\nA:\nEND\nEND_SHIPS\n", "bad.scn:2: vessel A has no class"},
        {"BEGIN_SHIPS\nA:Rock\nEND\nB" + std::string(1, '\0') + "x:Rock\nEND\nEND_SHIPS\n",
         "bad.scn:4: vessel name holds a control character"},
        {"BEGIN_SHIPS\nA\x01:Rock\nEND\nEND_SHIPS\n", "bad.scn:2: vessel name holds a control"},
        {"BEGIN_SHIPS\nA\x7f:Rock\nEND\nEND_SHIPS\n", "bad.scn:2: vessel name holds a control"},
        {"BEGIN_SHIPS\nEND_SHIPS\nBEGIN_SHIPS\nEND_SHIPS\n",
         "bad.scn:3: BEGIN_SHIPS appears twice"},
    };
    for (const auto& c : cases) {
        sim::Simulator simulator;
        const auto file = simulator.Root() / "bad.scn";
        std::ofstream(file, std::ios::binary) << c.text;
        try {
            simulator.LoadScenario(file);
            ADD_FAILURE() << "no error for: " << c.text;
        } catch (const sim::InputError& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find(c.message), std::string::npos) << message;
            EXPECT_EQ(message.rfind(file.string(), 0), 0u) << message;
        }
    }
    sim::Simulator simulator;
    EXPECT_THROW(simulator.LoadScenario(simulator.Root() / "missing.scn"), sim::InputError);
}

TEST(ScenarioFresh, SavingWithoutALoadedScenarioWritesTheSections) {
    sim::Simulator simulator;
    simulator.CreateVessel("Solo", "Rock");
    simulator.SaveScenario(simulator.Root() / "fresh.scn");
    std::ifstream in(simulator.Root() / "fresh.scn");
    std::ostringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(),
              "BEGIN_ENVIRONMENT\n  System Sol\n  Date MJD 51544.5\nEND_ENVIRONMENT\n"
              "BEGIN_FOCUS\n  Ship Solo\nEND_FOCUS\n"
              "BEGIN_SHIPS\nSolo:Rock\n  STATUS Orbiting Earth\n  RPOS 0 0 0\n  RVEL 0 0 0\n  AROT "
              "0 0 0\nEND\n"
              "END_SHIPS\n");
    EXPECT_THROW(simulator.SaveScenario(simulator.Root() / "no" / "such" / "folder.scn"),
                 sim::InputError);
}

}  // namespace
