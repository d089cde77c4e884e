#include "tests/sim/SimulatorFixture.h"

#include "testing/RootFiles.h"

SimulatorTest::SimulatorTest() { sim.RegisterModule("Probe", QM_PROBE_MODULE); }

std::filesystem::path SimulatorTest::WriteFile(const std::string& name,
                                               const std::string& text) const {
    return test_support::WriteRootFile(sim, name, text);
}

std::string SimulatorTest::ReadFile(const std::filesystem::path& path) const {
    return test_support::ReadFile(path);
}

void SimulatorTest::LoadShips(const std::string& ships) {
    sim.LoadScenario(WriteFile("test.scn", "BEGIN_SHIPS\n" + ships + "END_SHIPS\n"));
}

VESSEL* SimulatorTest::Vessel(const std::string& name) const {
    return sim.Interface(sim.FindVessel(name));
}

long SimulatorTest::Count(const std::string& line) const {
    const auto& lines = sim.Transcript();
    return std::count(lines.begin(), lines.end(), line);
}
