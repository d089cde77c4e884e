#include "fuzz/FuzzWorld.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "sim/World.h"

namespace fuzz_world {
namespace {

constexpr char kCrewKey[] = "UMMUCREW ";
constexpr char kTransferFile[] = "config/UMmutmpT.cfg";

std::unique_ptr<sim::Simulator> simulator;

void EndSimulator() { simulator.reset(); }

}  // namespace

sim::Simulator& Simulator() {
    if (simulator == nullptr) {
        sim::SimulatorOptions options;
        options.warnings = nullptr;  // read back through LoadWarnings()
        simulator = std::make_unique<sim::Simulator>(options);
        simulator->RegisterModule(kShipClass, QM_MODULE_PATH);
        std::atexit(EndSimulator);
    }
    return *simulator;
}

void Clear() {
    sim::Simulator& sim = Simulator();
    for (const std::string& name : sim.VesselNames()) sim.DeleteVessel(sim.FindVessel(name));
    std::error_code ignored;
    std::filesystem::remove(sim.Root() / kTransferFile, ignored);
}

std::vector<std::string> Roster(const std::string& ship) {
    sim::World& world = *sim::World::Current();
    std::vector<std::string> names;
    sim::SimVessel* vessel = world.Find(ship);
    if (vessel == nullptr) return names;
    for (const std::string& line : world.SaveState(vessel)) {
        if (line.rfind(kCrewKey, 0) != 0) continue;
        // code-name-age-pulse-weight; names hold no hyphen.
        const std::size_t first = line.find('-');
        const std::size_t second = line.find('-', first + 1);
        std::string name = line.substr(first + 1, second - first - 1);
        for (char& c : name) {
            if (c == '_') c = ' ';
        }
        names.push_back(name);
    }
    return names;
}

void Require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "violated: %s\n", what);
    std::abort();
}

}  // namespace fuzz_world
