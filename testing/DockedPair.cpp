#include "testing/DockedPair.h"

#include "testing/ShipModule.h"

namespace test_support {

void CreateDockedPair(sim::Simulator& simulator, const std::string& first,
                      const std::string& second, bool openAirlocks) {
    simulator.CreateVessel(first, kShipClass);
    simulator.CreateVessel(second, kShipClass);
    simulator.Dock(first, 0, second, 0);
    if (openAirlocks) {
        simulator.PressKey(first, "A");
        simulator.PressKey(second, "A");
    }
}

ScenarioBuilder& AddDockedPair(ScenarioBuilder& scenario, const std::string& first,
                               Block firstLines, const std::string& second,
                               const Block& secondLines) {
    firstLines.insert(firstLines.begin(), "DOCKINFO 0:0," + second);
    return scenario.Vessel(first, kShipClass, firstLines).Vessel(second, kShipClass, secondLines);
}

std::string DockedAt(const sim::Simulator& simulator, const std::string& ship, unsigned port) {
    const VESSEL* vessel = simulator.Interface(simulator.FindVessel(ship));
    if (vessel == nullptr) return {};
    const DOCKHANDLE dock = vessel->GetDockHandle(port);
    const OBJHANDLE mate = dock == nullptr ? nullptr : vessel->GetDockStatus(dock);
    const VESSEL* mateVessel = simulator.Interface(mate);
    return mateVessel == nullptr ? std::string() : std::string(mateVessel->GetName());
}

}  // namespace test_support
