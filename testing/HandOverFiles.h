// The crew add-on's hand-over files in the simulator's root, and the records in them.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "host/CrewAddon.h"
#include "sim/session/Simulator.h"
#include "testing/HandOverRecordCheck.h"

namespace test_support {

// The hand-over files: a crew vessel in free space, a transfer to a docked ship.
std::filesystem::path SpawnFile(const sim::Simulator& simulator);
std::filesystem::path TransferFile(const sim::Simulator& simulator);

// A record naming the crew vessel, with the member's age, pulse and weight; the rest zero.
crew_addon::HandOverRecord MakeRecord(const std::string& vesselName, int age, int pulse,
                                      int weight);
// The record as the module writes it, a whole file of its own.
void WriteRecord(const std::filesystem::path& file, const crew_addon::HandOverRecord& record);
// The record of a file that holds exactly one; none otherwise.
std::optional<crew_addon::HandOverRecord> ReadRecord(const std::filesystem::path& file);

}  // namespace test_support
