// Scenario files as the simulator reads them, built section by section: the environment, the
// focus, and the vessels' blocks (a header NAME:CLASS, the state lines indented, END).
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "sim/session/Simulator.h"

namespace test_support {

// One vessel's state lines, as they stand between its header and END.
using Block = std::vector<std::string>;

class ScenarioBuilder {
  public:
    // "System Sol" at this date; without it the scenario has no environment section.
    ScenarioBuilder& Environment(double mjd);
    // Without it the scenario has no focus section, and the first vessel takes the focus.
    ScenarioBuilder& Focus(const std::string& vessel);
    ScenarioBuilder& Vessel(const std::string& name, const std::string& className,
                            const Block& lines = {});

    std::string Text() const;
    void Write(const std::filesystem::path& file) const;
    // Writes the text into a file of the simulator's root and loads it; the file's path.
    std::filesystem::path Load(sim::Simulator& simulator,
                               const std::string& fileName = "test.scn") const;

  private:
    std::string environment_;
    std::string focus_;
    std::string ships_;
};

}  // namespace test_support
