#include "bench/BenchWorld.h"

namespace bench {

std::filesystem::path PlainScanModulePath() {
#ifdef QM_PLAIN_SCAN_MODULE_PATH
    return QM_PLAIN_SCAN_MODULE_PATH;
#else
    return {};
#endif
}

std::unique_ptr<sim::Simulator> MakeSimulator(const std::filesystem::path& library) {
    auto simulator = std::make_unique<sim::Simulator>();
    simulator->RegisterModule(kShipClass, library);
    return simulator;
}

}  // namespace bench
