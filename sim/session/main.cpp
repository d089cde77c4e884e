// vesselsim: runs a scenario, with a script or for 20 seconds, and prints the transcript.
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "sim/host-side/HostStop.h"
#include "sim/host-side/SimPlatform.h"
#include "sim/session/CommandLine.h"
#include "sim/session/DrawingFile.h"
#include "sim/session/ScriptRunner.h"
#include "sim/session/Simulator.h"

namespace {

namespace fs = std::filesystem;

constexpr char kDefaultClass[] = "Quillmar";
constexpr double kDefaultRunSeconds = 20.0;

fs::path Resolve(const fs::path& start, const fs::path& path) {
    return path.is_relative() ? start / path : path;
}

int RunSession(const sim::CommandLine& line) {
    const fs::path start = fs::current_path();
    // The script is read whole before anything runs.
    std::optional<sim::Script> script;
    if (line.script) script = sim::ReadScriptFile(Resolve(start, *line.script));

    sim::SimulatorOptions options;
    options.moveOutOfBodies = true;
    if (!line.root.empty()) options.root = Resolve(start, line.root);
    options.seed = line.seed;
    options.step = line.step;
    options.transcript = &std::cout;
    options.baseDirectory = start;
    sim::Simulator simulator(options);

    const fs::path defaultModule =
        sim::os::ProgramFolder() / (std::string(kDefaultClass) + sim::os::kLibrarySuffix);
    if (fs::is_regular_file(defaultModule)) {
        simulator.RegisterModule(kDefaultClass, defaultModule);
    } else {
        std::cerr << "vesselsim: warning: " << defaultModule.string() << " not found; class "
                  << kDefaultClass << " has no module\n";
    }
    for (const auto& [className, library] : line.modules) {
        simulator.RegisterModule(className, Resolve(start, library));
    }
    simulator.LoadScenario(Resolve(start, line.scenario));
    if (script) {
        simulator.RunScript(*script);
    } else {
        simulator.Run(kDefaultRunSeconds);
        for (const auto& name : simulator.VesselNames()) simulator.Print(name);
    }
    for (const auto& [vessel, file] : line.drawings) {
        sim::WriteVesselDrawing(simulator, vessel, Resolve(start, file));
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const sim::CommandLine line =
            sim::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
        if (line.help) {
            std::cout << sim::Usage() << '\n';
            return 0;
        }
        const int status = RunSession(line);
        std::cout.flush();
        return status;
    } catch (const sim::HostStop& stop) {
        // Where the simulator itself would have ended: the module did something it does not
        // survive.
        std::cout.flush();
        std::cerr << "vesselsim: stopped: " << stop.what() << '\n';
        return 3;
    } catch (const sim::InputError& error) {
        std::cout.flush();
        std::cerr << "vesselsim: " << error.what() << '\n';
        if (argc < 2) std::cerr << sim::Usage() << '\n';
        return 2;
    } catch (const std::exception& error) {
        std::cout.flush();
        std::cerr << "vesselsim: " << error.what() << '\n';
        return 1;
    }
}
