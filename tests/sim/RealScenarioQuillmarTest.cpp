// A Quillmar added to each scenario file the simulator ships, as a player adds one: the file loads
// without a warning, the ship reads its lines, and what is saved loads back with the ship aboard.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "sim/session/Simulator.h"
#include "testing/RootFiles.h"
#include "testing/ShipModule.h"

namespace {

namespace fs = std::filesystem;

const fs::path kRealScenarios = QM_REAL_SCENARIOS;

const char kQuillmarBlock[] =
    "Visitor:Quillmar\n"
    "  STATUS Orbiting Earth\n"
    "  RPOS 6778000 0 0\n"
    "  RVEL 0 7668.5 0\n"
    "  AROT 0 0 0\n"
    "  XPDR 466\n"
    "  UMMUCREW Capt-Ada_Kerr-41-66-72\n"
    "END\n";

// The scenario with the ship's block put in just before its END_SHIPS line.
std::string WithQuillmar(const std::string& text) {
    const std::size_t end = text.find("\nEND_SHIPS");
    if (end == std::string::npos) return {};
    return text.substr(0, end + 1) + kQuillmarBlock + text.substr(end + 1);
}

bool HasLine(const nlohmann::json& state, const std::string& line) {
    return std::find(state.begin(), state.end(), line) != state.end();
}

TEST(RealScenarioFiles, TakeAQuillmar) {
    if (!fs::is_directory(kRealScenarios)) {
        GTEST_SKIP() << "the simulator's own scenario files are not at " << kRealScenarios;
    }
    int files = 0;
    for (const auto& entry : fs::directory_iterator(kRealScenarios)) {
        if (entry.path().extension() != ".scn") continue;
        ++files;
        SCOPED_TRACE(entry.path().filename().string());
        const std::string text = WithQuillmar(test_support::ReadFile(entry.path()));
        ASSERT_FALSE(text.empty()) << "no END_SHIPS line";

        std::string saved;
        {
            sim::Simulator sim;
            test_support::RegisterShipModule(sim);
            sim.LoadScenario(test_support::WriteRootFile(sim, "with-quillmar.scn", text));
            EXPECT_EQ(sim.LoadWarnings(), std::vector<std::string>{});
            const auto state = sim.Describe("Visitor")["state"];
            EXPECT_TRUE(HasLine(state, "XPDR 466")) << state;
            EXPECT_TRUE(HasLine(state, "UMMUCREW Capt-Ada_Kerr-41-66-72")) << state;
            sim.Run(1.0);
            sim.SaveScenario(sim.Root() / "saved.scn");
            saved = test_support::ReadFile(sim.Root() / "saved.scn");
        }
        // One simulator at a time: the saved text moves to the next one's root.
        sim::Simulator again;
        test_support::RegisterShipModule(again);
        again.LoadScenario(test_support::WriteRootFile(again, "saved.scn", saved));
        EXPECT_EQ(again.LoadWarnings(), std::vector<std::string>{});
        const auto state = again.Describe("Visitor")["state"];
        EXPECT_EQ(again.Describe("Visitor")["class"], "Quillmar");
        EXPECT_TRUE(HasLine(state, "UMMUCREW Capt-Ada_Kerr-41-66-72")) << state;
    }
    EXPECT_GT(files, 0);
}

}  // namespace
