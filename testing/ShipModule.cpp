#include "testing/ShipModule.h"

namespace test_support {

std::filesystem::path ShipModulePath() { return QM_MODULE_PATH; }

void RegisterShipModule(sim::Simulator& simulator) {
    simulator.RegisterModule(kShipClass, ShipModulePath());
}

}  // namespace test_support
