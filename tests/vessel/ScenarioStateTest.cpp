// The ship's scenario block: crew lines and the transponder channel read back, crew lines
// written after the host's own lines.
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <utility>

#include "ShipHarness.h"
#include "testing/RootFiles.h"

namespace quillmar_test {
namespace {

class ScenarioStateTest : public ShipTest {
  protected:
    std::string CrewInfo(const std::string& ship) {
        Key(ship, "S");
        return Hud(ship);
    }
    std::vector<std::string> State(const std::string& ship) const {
        return Describe(ship)["state"].get<std::vector<std::string>>();
    }
    std::vector<std::string> CrewLines(const std::string& ship) const {
        std::vector<std::string> lines;
        for (const std::string& line : State(ship)) {
            if (line.rfind("UMMUCREW", 0) == 0) lines.push_back(line);
        }
        return lines;
    }
};

// Crew lines replace the set-up crew; lines the crew manager refuses (out-of-range values) add
// nobody and are written back as read, after the members' lines; the lower-case key is taken like
// the upper-case one.
TEST_F(ScenarioStateTest, CrewLinesMakeTheCrew) {
    LoadShips({{"Q1",
                {"STATUS Orbiting Earth", "UMMUCREW Capt-Jane_Roe-41-65-74",
                 "UMMUCREW Sci-Old_Timer-141-65-74", "ummucrew Tech-Max_Poe-30-70-80",
                 "UMMUCREW Doc-Heavy_One-40-70-301", "UMMUCREW -Ann_Lee-25-60-55"}}});
    EXPECT_EQ(CrewInfo("Q1"), "3 souls aboard ship Q1, 47 seats available");
    EXPECT_EQ(CrewLines("Q1"),
              (std::vector<std::string>{
                  "UMMUCREW Capt-Jane_Roe-41-65-74", "UMMUCREW Tech-Max_Poe-30-70-80",
                  "UMMUCREW -Ann_Lee-25-60-55", "UMMUCREW Sci-Old_Timer-141-65-74",
                  "UMMUCREW Doc-Heavy_One-40-70-301"}));
    // Set-up's member (82 kg, outside the set-up empty mass) is taken off, the loaded crew on.
    EXPECT_EQ(Describe("Q1")["empty_mass"].get<double>(), 35824560.0 - 82 + 74 + 80 + 55);
}

TEST_F(ScenarioStateTest, BlockWithoutCrewLinesLeavesNobodyAboard) {
    LoadShips({{"Q1", {"STATUS Orbiting Earth"}}});
    EXPECT_EQ(CrewInfo("Q1"), "0 souls aboard ship Q1, 50 seats available");
    EXPECT_TRUE(CrewLines("Q1").empty());
}

// Lines beyond the seats are not taken, but written back as read.
TEST_F(ScenarioStateTest, CrewLinesBeyondTheSeatsAreNotTaken) {
    Block block{"STATUS Orbiting Earth"};
    for (int i = 0; i < 52; ++i)
        block.push_back("UMMUCREW Ast-Crew" + std::to_string(i) + "-30-70-80");
    LoadShips({{"Q1", block}});
    EXPECT_EQ(CrewInfo("Q1"), "50 souls aboard ship Q1, 0 seats available");
    const auto lines = CrewLines("Q1");
    ASSERT_EQ(lines.size(), 52u);
    EXPECT_EQ(lines[49], "UMMUCREW Ast-Crew49-30-70-80");
    EXPECT_EQ(lines.back(), "UMMUCREW Ast-Crew51-30-70-80");
}

// The channel stands right after the keyword, blanks before it allowed; the keyword's letter case
// does not matter, and a longer keyword beginning with it counts as well. The host's own parser
// reads the plain "XPDR n" line too; the last two lines are the ship's alone.
TEST_F(ScenarioStateTest, TransponderChannel) {
    struct Case {
        const char* line;
        int channel;
    };
    const Case cases[] = {
        {"XPDR 466", 466}, {"xpdr 12", 12}, {"Xpdr \t 7", 7}, {"XPDR5", 5}, {"XPDRX 9", 0},
    };
    Ships ships;
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        ships.push_back({"Q" + std::to_string(i), {"STATUS Orbiting Earth", cases[i].line}});
    }
    LoadShips(ships);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].line);
        const auto transponder = Describe("Q" + std::to_string(i))["transponder"];
        EXPECT_EQ(transponder["on"], true);
        EXPECT_EQ(transponder["channel"], cases[i].channel);
    }
}

// What a save writes, a load gives back: the crew in order and the channel, with the crew lines
// after the host's own lines.
TEST(ScenarioState, SaveAfterLoadWritesTheSameBlock) {
    const auto folder =
        std::filesystem::temp_directory_path() / ("quillmar-save-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const auto saved = folder / "saved.scn";
    std::vector<std::string> state;
    {
        sim::Simulator sim;
        sim.RegisterModule("Quillmar", QM_MODULE_PATH);
        LoadShips(sim, {{"Q1",
                         {"STATUS Orbiting Earth", "XPDR 466", "UMMUCREW Capt-Jane_Roe-41-65-74",
                          "UMMUCREW Tech-Max_Poe-30-70-80"}}});
        state = sim.Describe("Q1")["state"].get<std::vector<std::string>>();
        sim.SaveScenario(saved);
    }
    ASSERT_GE(state.size(), 3u);
    EXPECT_EQ(state.front().rfind("STATUS", 0), 0u) << "the host's lines first";
    EXPECT_NE(std::find(state.begin(), state.end(), "XPDR 466"), state.end());
    EXPECT_EQ(std::vector<std::string>(state.end() - 2, state.end()),
              (std::vector<std::string>{"UMMUCREW Capt-Jane_Roe-41-65-74",
                                        "UMMUCREW Tech-Max_Poe-30-70-80"}));
    {
        sim::Simulator sim;
        sim.RegisterModule("Quillmar", QM_MODULE_PATH);
        sim.LoadScenario(saved);
        EXPECT_EQ(sim.Describe("Q1")["state"].get<std::vector<std::string>>(), state);
    }
    std::filesystem::remove_all(folder);
}

// A simulator root as a fresh installation has it: without the crew add-on's files.
void RemoveCrewAddon(const sim::Simulator& sim) {
    std::filesystem::remove(test_support::RootFile(sim, crew_addon::kModuleFile));
    std::filesystem::remove(test_support::RootFile(sim, crew_addon::kVersionFile));
    for (const char* config : crew_addon::kClassConfigFiles) {
        std::filesystem::remove(test_support::RootFile(sim, config));
    }
}

std::vector<std::string> CrewLinesOf(const std::vector<std::string>& state) {
    std::vector<std::string> lines;
    for (const std::string& line : state) {
        if (line.rfind("UMMUCREW", 0) == 0 || line.rfind("ummucrew", 0) == 0) {
            lines.push_back(line);
        }
    }
    return lines;
}

// Without the crew add-on the ship takes nobody from its crew lines but keeps them as read, in
// their order (a line the crew manager would refuse too), and writes them back after the host's
// lines, so that a save loses no crew; with the add-on the crew manager reads them as ever, and
// keeps a line it refuses as read, after the members' lines. A saved scenario loads back to the
// same block either way.
TEST(ScenarioStateCrewAddon, SaveAndLoadKeepTheCrewLines) {
    const Block block{"STATUS Orbiting Earth",
                      "XPDR 466",
                      "UMMUCREW Capt-Jane_Roe-41-65-74",
                      "ummucrew Tech-Max_Poe-30-70-80",
                      "UMMUCREW Sci-Old_Timer-141-65-74",
                      "UMMUCREW -Ann_Lee-25-60-55"};
    struct Case {
        const char* name;
        bool addon;
        std::vector<std::string> crewLines;
        const char* crewInfo;
    };
    const Case cases[] = {
        {"without the add-on",
         false,
         {"UMMUCREW Capt-Jane_Roe-41-65-74", "ummucrew Tech-Max_Poe-30-70-80",
          "UMMUCREW Sci-Old_Timer-141-65-74", "UMMUCREW -Ann_Lee-25-60-55"},
         "0 souls aboard ship Q1, 50 seats available"},
        {"with the add-on",
         true,
         {"UMMUCREW Capt-Jane_Roe-41-65-74", "UMMUCREW Tech-Max_Poe-30-70-80",
          "UMMUCREW -Ann_Lee-25-60-55", "UMMUCREW Sci-Old_Timer-141-65-74"},
         "3 souls aboard ship Q1, 47 seats available"},
    };
    const auto folder =
        std::filesystem::temp_directory_path() / ("quillmar-kept-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto saved = folder / "saved.scn";
        std::vector<std::string> state;
        {
            sim::Simulator sim;
            if (!c.addon) RemoveCrewAddon(sim);
            sim.RegisterModule("Quillmar", QM_MODULE_PATH);
            LoadShips(sim, {{"Q1", block}});
            sim.Frame();
            sim.PressKey("Q1", "S");
            sim.Frame();
            EXPECT_EQ(sim.HudText("Q1"), c.crewInfo);
            if (!c.addon) {
                EXPECT_EQ(sim.DebugLine(),
                          "Quillmar ERROR UMMU 2.0 not properly initialised in your code.");
                sim.PressKey("Q1", "E");
                sim.Frame();
                EXPECT_EQ(sim.HudText("Q1"), "Misc error with UMMU install it again");
            }
            state = sim.Describe("Q1")["state"].get<std::vector<std::string>>();
            sim.SaveScenario(saved);
        }
        ASSERT_GE(state.size(), c.crewLines.size() + 1);
        EXPECT_EQ(state.front().rfind("STATUS", 0), 0u) << "the host's lines first";
        EXPECT_EQ(CrewLinesOf(state), c.crewLines);
        EXPECT_EQ(std::vector<std::string>(state.end() - static_cast<long>(c.crewLines.size()),
                                           state.end()),
                  c.crewLines)
            << "the crew lines last";
        {
            sim::Simulator sim;
            if (!c.addon) RemoveCrewAddon(sim);
            sim.RegisterModule("Quillmar", QM_MODULE_PATH);
            sim.LoadScenario(saved);
            EXPECT_EQ(sim.Describe("Q1")["state"].get<std::vector<std::string>>(), state);
        }
    }
    std::filesystem::remove_all(folder);
}

// Without the crew add-on a full ship's crew lines are all kept; lines beyond 50 or longer than
// 127 characters are not, and the debug line says how many a save will lose.
TEST(ScenarioStateCrewAddon, CrewLinesBeyondTheStoreAreCounted) {
    sim::Simulator sim;
    RemoveCrewAddon(sim);
    sim.RegisterModule("Quillmar", QM_MODULE_PATH);
    Block block{"STATUS Orbiting Earth"};
    std::vector<std::string> kept;
    const std::string longest = "UMMUCREW Ast-" + std::string(105, 'L') + "-30-70-80";
    ASSERT_EQ(longest.size(), 127u);
    block.push_back(longest);
    kept.push_back(longest);
    block.push_back(longest + "0");
    for (int i = 0; i < 51; ++i) {
        block.push_back("UMMUCREW Ast-Crew" + std::to_string(i) + "-30-70-80");
        if (kept.size() < 50) kept.push_back(block.back());
    }
    LoadShips(sim, {{"Q1", block}});
    EXPECT_EQ(CrewLinesOf(sim.Describe("Q1")["state"].get<std::vector<std::string>>()), kept);
    sim.Frame();
    EXPECT_EQ(sim.DebugLine(),
              "Quillmar ERROR UMMU 2.0 not properly initialised in your code. 3 crew lines not "
              "kept: a save loses them");
}

// The simulator never clears its debug line, and every ship without the crew add-on writes it in
// every frame: the notice that a save loses crew lines stays, whichever ship lost them and
// whichever comes first.
TEST(ScenarioStateCrewAddon, TheNoticeOfLostCrewLinesStaysWhicheverShipComesFirst) {
    Block losing{"STATUS Orbiting Earth"};
    for (int i = 0; i < 52; ++i)
        losing.push_back("UMMUCREW Ast-Crew" + std::to_string(i) + "-30-70-80");
    const Block keeping{"STATUS Orbiting Earth", "UMMUCREW Ast-Solo-30-70-80"};
    for (const bool losingFirst : {true, false}) {
        SCOPED_TRACE(losingFirst ? "the losing ship first" : "the losing ship second");
        sim::Simulator sim;
        RemoveCrewAddon(sim);
        sim.RegisterModule("Quillmar", QM_MODULE_PATH);
        Ships ships{{"Losing", losing}, {"Keeping", keeping}};
        if (!losingFirst) std::swap(ships[0], ships[1]);
        LoadShips(sim, ships);
        for (int frame = 0; frame < 3; ++frame) {
            sim.Frame();
            EXPECT_EQ(sim.DebugLine(),
                      "Quillmar ERROR UMMU 2.0 not properly initialised in your code. 2 crew lines "
                      "not kept: a save loses them");
        }
    }
}

}  // namespace
}  // namespace quillmar_test
