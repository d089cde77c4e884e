#include "testing/ScenarioBuilder.h"

#include <fstream>
#include <sstream>

#include "testing/RootFiles.h"

namespace test_support {

ScenarioBuilder& ScenarioBuilder::Environment(double mjd) {
    std::ostringstream section;
    section.precision(17);
    section << "BEGIN_ENVIRONMENT\n  System Sol\n  Date MJD " << mjd << "\nEND_ENVIRONMENT\n";
    environment_ = section.str();
    return *this;
}

ScenarioBuilder& ScenarioBuilder::Focus(const std::string& vessel) {
    focus_ = "BEGIN_FOCUS\n  Ship " + vessel + "\nEND_FOCUS\n";
    return *this;
}

ScenarioBuilder& ScenarioBuilder::Vessel(const std::string& name, const std::string& className,
                                         const Block& lines) {
    ships_ += name + ":" + className + "\n";
    for (const std::string& line : lines) ships_ += "  " + line + "\n";
    ships_ += "END\n";
    return *this;
}

std::string ScenarioBuilder::Text() const {
    return environment_ + focus_ + "BEGIN_SHIPS\n" + ships_ + "END_SHIPS\n";
}

void ScenarioBuilder::Write(const std::filesystem::path& file) const {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << Text();
}

std::filesystem::path ScenarioBuilder::Load(sim::Simulator& simulator,
                                            const std::string& fileName) const {
    const std::filesystem::path file = WriteRootFile(simulator, fileName, Text());
    simulator.LoadScenario(file);
    return file;
}

}  // namespace test_support
