#include "crew/SpawnRecord.h"

#include <cstdio>

#include "host/Platform.h"

namespace spawn_record {

bool Write(const char* path) {
    std::FILE* file = platform::OpenFile(path, "wb");
    if (file == nullptr) return false;
    const bool written = std::fwrite(&spawnRecord, sizeof spawnRecord, 1, file) == 1;
    return std::fclose(file) == 0 && written;
}

bool Read(const char* path) {
    std::FILE* file = platform::OpenFile(path, "rb");
    if (file == nullptr) return false;
    crew_addon::HandOverRecord record{};
    const bool whole = std::fread(&record, sizeof record, 1, file) == 1;
    std::fclose(file);
    if (whole) spawnRecord = record;
    return whole;
}

}  // namespace spawn_record
