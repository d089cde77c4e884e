#include "testing/CrewVessels.h"

#include "host/CrewAddon.h"
#include "testing/HandOverFiles.h"

namespace test_support {

OBJHANDLE CreateCrewVessel(sim::Simulator& simulator, const std::string& name, int age, int pulse,
                           int weight, const VESSELSTATUS* status) {
    WriteRecord(SpawnFile(simulator), MakeRecord(name, age, pulse, weight));
    return simulator.CreateVessel(name, crew_addon::kCrewClassName, status);
}

std::vector<std::string> VesselsOfClass(const sim::Simulator& simulator,
                                        const std::string& className) {
    std::vector<std::string> names;
    for (const std::string& name : simulator.VesselNames()) {
        const VESSEL* vessel = simulator.Interface(simulator.FindVessel(name));
        const char* vesselClass = vessel == nullptr ? nullptr : vessel->GetClassNameA();
        if (vesselClass != nullptr && className == vesselClass) names.push_back(name);
    }
    return names;
}

std::vector<std::string> WalkingCrewVessels(const sim::Simulator& simulator) {
    std::vector<std::string> names;
    for (const std::string& name : VesselsOfClass(simulator, crew_addon::kCrewClassName)) {
        if (!IsTransferVesselName(name)) names.push_back(name);
    }
    return names;
}

std::vector<std::string> TransferVessels(const sim::Simulator& simulator) {
    std::vector<std::string> names;
    for (const std::string& name : simulator.VesselNames()) {
        if (IsTransferVesselName(name)) names.push_back(name);
    }
    return names;
}

bool IsTransferVesselName(const std::string& name) {
    return name.rfind(crew_addon::kTransferVesselPrefix, 0) == 0;
}

}  // namespace test_support
