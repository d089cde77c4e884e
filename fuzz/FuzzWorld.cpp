#include "fuzz/FuzzWorld.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "testing/HandOverFiles.h"
#include "testing/ShipModule.h"

namespace fuzz_world {
namespace {

std::unique_ptr<sim::Simulator> simulator;

void EndSimulator() { simulator.reset(); }

}  // namespace

sim::Simulator& Simulator() {
    if (simulator == nullptr) {
        sim::SimulatorOptions options;
        options.warnings = nullptr;  // read back through LoadWarnings()
        simulator = std::make_unique<sim::Simulator>(options);
        test_support::RegisterShipModule(*simulator);
        std::atexit(EndSimulator);
    }
    return *simulator;
}

void Clear() {
    sim::Simulator& sim = Simulator();
    for (const std::string& name : sim.VesselNames()) sim.DeleteVessel(sim.FindVessel(name));
    std::error_code ignored;
    std::filesystem::remove(test_support::TransferFile(sim), ignored);
}

void Require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "violated: %s\n", what);
    std::abort();
}

}  // namespace fuzz_world
