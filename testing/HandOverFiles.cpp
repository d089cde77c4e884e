#include "testing/HandOverFiles.h"

#include <algorithm>
#include <cstring>
#include <fstream>

#include "testing/RootFiles.h"

namespace test_support {
std::filesystem::path SpawnFile(const sim::Simulator& simulator) {
    return RootFile(simulator, crew_addon::kSpawnFile);
}

std::filesystem::path TransferFile(const sim::Simulator& simulator) {
    return RootFile(simulator, crew_addon::kTransferFile);
}

crew_addon::HandOverRecord MakeRecord(const std::string& vesselName, int age, int pulse,
                                      int weight) {
    crew_addon::HandOverRecord record{};
    const std::size_t length = std::min(vesselName.size(), sizeof record.vesselName - 1);
    std::memcpy(record.vesselName, vesselName.data(), length);
    record.age = age;
    record.pulse = pulse;
    record.weight = weight;
    return record;
}

void WriteRecord(const std::filesystem::path& file, const crew_addon::HandOverRecord& record) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(&record), sizeof record);
}

std::optional<crew_addon::HandOverRecord> ReadRecord(const std::filesystem::path& file) {
    const std::string bytes = ReadFile(file);
    crew_addon::HandOverRecord record{};
    if (bytes.size() != sizeof record) return std::nullopt;
    std::memcpy(&record, bytes.data(), sizeof record);
    return record;
}

}  // namespace test_support
