// Arbitrary scenario text: the reader either refuses it with an input error or the simulator
// loads it, runs it for a moment with the ships' modules, saves it, and reads its own file back,
// with no warning that the first load did not give: the saved file holds the values in force.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/FuzzWorld.h"
#include "sim/scenario/ScenarioReader.h"
#include "testing/RootFiles.h"

namespace {

constexpr double kRunSeconds = 0.1;

// The warnings without their "FILE:LINE: ", which differ between the two files.
std::vector<std::string> Messages(const std::vector<std::string>& warnings, std::size_t skip) {
    std::vector<std::string> messages;
    for (const std::string& warning : warnings) {
        const std::size_t start = warning.find(": ", skip);
        messages.push_back(start == std::string::npos ? warning : warning.substr(start + 2));
    }
    return messages;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        sim::ParseScenarioText(text, "fuzz.scn");
    } catch (const sim::InputError&) {
        return 0;
    }

    sim::Simulator& sim = fuzz_world::Simulator();
    fuzz_world::Clear();
    const auto file = test_support::WriteRootFile(sim, "fuzz.scn", std::string(text));
    try {
        sim.LoadScenario(file);
    } catch (const sim::InputError&) {
        return 0;
    }
    const auto first = Messages(sim.LoadWarnings(), file.string().size());
    sim.Run(kRunSeconds);

    const auto saved = sim.Root() / "fuzz-saved.scn";
    sim.SaveScenario(saved);
    fuzz_world::Clear();
    try {
        sim.LoadScenario(saved);
    } catch (const sim::InputError& error) {
        fuzz_world::Require(false, error.what());
    }
    for (const std::string& message : Messages(sim.LoadWarnings(), saved.string().size())) {
        fuzz_world::Require(std::find(first.begin(), first.end(), message) != first.end(),
                            message.c_str());
    }
    return 0;
}
