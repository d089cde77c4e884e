#include "crew/SpawnRecord.h"

#include <cstdio>

#include "crew/CrewText.h"
#include "crew/ModuleState.h"
#include "host/Platform.h"

namespace crew {

void FillSpawnRecord(const HandOverFields& fields, int ejectFlag) {
    crew_addon::HandOverRecord& spawnRecord = TheModuleState().spawnRecord;
    JoinText(spawnRecord.vesselName, crew_addon::kNameFieldSize, fields.crewName, nullptr);
    spawnRecord.age = fields.age;
    spawnRecord.pulse = fields.pulse;
    spawnRecord.evaValue = fields.evaValue;
    spawnRecord.weight = fields.weight;
    spawnRecord.reserved = 0;
    spawnRecord.ejectFlag = ejectFlag;
}

void SetSpawnRecordMesh(const char* mesh) {
    JoinText(TheModuleState().spawnRecord.meshName, crew_addon::kNameFieldSize, mesh, nullptr);
}

bool SaveSpawnRecord(const char* path) {
    std::FILE* file = platform::OpenFile(path, "wb");
    if (file == nullptr) return false;
    const crew_addon::HandOverRecord& spawnRecord = TheModuleState().spawnRecord;
    const bool written = std::fwrite(&spawnRecord, sizeof spawnRecord, 1, file) == 1;
    return std::fclose(file) == 0 && written;
}

bool LoadSpawnRecord(const char* path) {
    std::FILE* file = platform::OpenFile(path, "rb");
    if (file == nullptr) return false;
    crew_addon::HandOverRecord record{};
    const bool whole = std::fread(&record, sizeof record, 1, file) == 1;
    std::fclose(file);
    if (whole) TheModuleState().spawnRecord = record;
    return whole;
}

}  // namespace crew
