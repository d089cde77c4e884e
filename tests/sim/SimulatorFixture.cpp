#include "tests/sim/SimulatorFixture.h"

#include <fstream>
#include <sstream>

SimulatorTest::SimulatorTest() { sim.RegisterModule("Probe", QM_PROBE_MODULE); }

std::filesystem::path SimulatorTest::WriteFile(const std::string& name,
                                               const std::string& text) const {
    const auto path = sim.Root() / name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

std::string SimulatorTest::ReadFile(const std::filesystem::path& path) const {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
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
