#include "crew/SpawnRecord.h"

#include <cstdio>

#include "host/Platform.h"

namespace crew {

bool SaveSpawnRecord(const char* path) {
    std::FILE* file = platform::OpenFile(path, "wb");
    if (file == nullptr) return false;
    const bool written = std::fwrite(&spawnRecord, sizeof spawnRecord, 1, file) == 1;
    return std::fclose(file) == 0 && written;
}

bool LoadSpawnRecord(const char* path) {
    std::FILE* file = platform::OpenFile(path, "rb");
    if (file == nullptr) return false;
    crew_addon::HandOverRecord record{};
    const bool whole = std::fread(&record, sizeof record, 1, file) == 1;
    std::fclose(file);
    if (whole) spawnRecord = record;
    return whole;
}

}  // namespace crew
