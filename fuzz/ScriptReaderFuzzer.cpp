// Arbitrary script text: the reader either refuses it with an input error or its commands run on
// two docked ships. Runs are kept short; saves and drawings go to one file each in the root.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/FuzzWorld.h"
#include "sim/session/ScriptRunner.h"
#include "testing/DockedPair.h"

namespace {

constexpr double kStep = 0.02;
constexpr double kLongestRun = 0.5;
constexpr char kSaveFile[] = "fuzz-saved.scn";
constexpr char kDrawFile[] = "fuzz-drawn.svg";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    sim::Script script;
    try {
        script = sim::ParseScript(std::string_view(reinterpret_cast<const char*>(data), size),
                                  "fuzz.script");
    } catch (const sim::InputError&) {
        return 0;
    }

    sim::Simulator& sim = fuzz_world::Simulator();
    fuzz_world::Clear();
    sim.SetStep(kStep);
    sim.SetTimeAcceleration(1.0);
    test_support::CreateDockedPair(sim, "Alpha", "Beta", false);

    for (sim::ScriptCommand& command : script.commands) {
        switch (command.kind) {
            case sim::CommandKind::Run:
                command.numbers[0] = std::min(command.numbers[0], kLongestRun);
                break;
            case sim::CommandKind::Step:
                command.numbers[0] = std::max(command.numbers[0], kStep);
                break;
            case sim::CommandKind::Save:
                command.words[0] = kSaveFile;
                break;
            case sim::CommandKind::Draw:
                command.words[1] = kDrawFile;
                break;
            default:
                break;
        }
        try {
            sim::RunCommand(sim, command, sim.Root());
        } catch (const sim::InputError&) {
        }
    }
    return 0;
}
