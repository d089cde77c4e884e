#include "bench/BenchWorld.h"

#include <fstream>
#include <stdexcept>

#include "sim/CrewAddonVessel.h"

namespace bench {
namespace {

constexpr double kSpacing = 10000.0;     // metres between neighbouring vessels
constexpr double kCrewDistance = 5.0e6;  // crew vessels stand far from every ship
constexpr double kOrbitRadius = 6.778e6;

VESSELSTATUS AtRest(double x, double y) {
    VESSELSTATUS status{};
    status.rpos = {kOrbitRadius + x, y, 0.0};
    status.fuel = 1.0;
    return status;
}

}  // namespace

std::filesystem::path ModulePath() { return QM_MODULE_PATH; }

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

void AddVessels(sim::Simulator& simulator, const std::string& className, const std::string& prefix,
                int count) {
    for (int i = 0; i < count; ++i) {
        const VESSELSTATUS status = AtRest(kSpacing * i, 0.0);
        if (simulator.CreateVessel(prefix + std::to_string(i), className, &status) == nullptr) {
            throw std::runtime_error("cannot create " + prefix + std::to_string(i));
        }
    }
}

void AddCrewVessels(sim::Simulator& simulator, int count) {
    for (int i = 0; i < count; ++i) {
        const VESSELSTATUS status = AtRest(kSpacing * i, kCrewDistance);
        const OBJHANDLE crew =
            simulator.CreateVessel("UMmu_Crew-Walker_" + std::to_string(i), "UMmu", &status);
        if (crew == nullptr) throw std::runtime_error("cannot create a crew vessel");
        static_cast<sim::CrewAddonVessel*>(simulator.Interface(crew))->GiveMemberAttachment();
    }
}

void OpenAirlocks(sim::Simulator& simulator, const std::string& prefix, int count) {
    for (int i = 0; i < count; ++i) simulator.PressKey(prefix + std::to_string(i), "A");
}

void WriteCrewedScenario(const std::filesystem::path& file, int ships, int crewLines) {
    std::ofstream out(file, std::ios::binary);
    out << "BEGIN_ENVIRONMENT\n  System Sol\n  Date MJD 51544.5\nEND_ENVIRONMENT\n"
        << "BEGIN_FOCUS\n  Ship Ship0\nEND_FOCUS\nBEGIN_SHIPS\n";
    for (int i = 0; i < ships; ++i) {
        out << "Ship" << i << ":" << kShipClass << "\n  STATUS Orbiting Earth\n  RPOS "
            << kOrbitRadius + kSpacing * i << " 0 0\n  RVEL 0 7668.5 0\n  AROT 0 0 0\n"
            << "  PRPLEVEL 0:1\n  XPDR 466\n";
        for (int c = 0; c < crewLines; ++c) {
            out << "  UMMUCREW Crew-Member_" << c << "-" << 20 + c % 40 << "-70-75\n";
        }
        out << "END\n";
    }
    out << "END_SHIPS\n";
}

}  // namespace bench
