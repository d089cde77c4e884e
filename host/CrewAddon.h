// Names, files and record layouts of the external crew add-on. Paths use backslashes and are
// relative to the simulator's working folder; platform::OpenFile translates them.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

namespace crew_addon {

// Files of the add-on.
inline constexpr char kModuleFile[] = "modules\\UMmu.dll";
inline constexpr char kVersionFile[] = "meshes\\UMmu\\ver.dtf";
inline constexpr char kIdFilePattern[] = "config\\UMMUIdConfig\\*.cfg";

// The crew vessel class's configuration file, where the simulator looks for it (the first that
// exists counts); without one, creating a crew vessel ends the simulator.
inline constexpr const char* kClassConfigFiles[] = {"config\\Vessels\\UMmu.cfg",
                                                    "config\\UMmu.cfg"};

// Hand-over files: a crew vessel created in free space, and a transfer to a docked ship.
inline constexpr char kSpawnFile[] = "config\\UMmutmp.cfg";
inline constexpr char kTransferFile[] = "config\\UMmutmpT.cfg";

// Vessel class of every crew vessel, and the prefix a walking-in vessel's class must have.
inline constexpr char kCrewClassName[] = "UMmu";
inline constexpr char kCrewClassPrefix[] = "UMmu";
inline constexpr std::size_t kCrewClassPrefixLength = 4;

// Vessel-name prefixes: a crew vessel ("UMmu_" + member string) and a transfer vessel
// ("UMmuT" + receiving ship's name). Both are five characters long.
inline constexpr char kCrewVesselPrefix[] = "UMmu_";
inline constexpr char kTransferVesselPrefix[] = "UMmuT";
inline constexpr std::size_t kVesselPrefixLength = 5;

// Attachment identifiers: the ship's published airlock (child side) and the member data on a
// crew vessel (parent side).
inline constexpr char kAirlockAttachmentId[] = "UMmu";
inline constexpr char kMemberAttachmentId[] = "U-Mm";

// The mesh setting that means "choose the crew mesh by the member's function code".
inline constexpr char kMeshByIdCode[] = "UMmu\\UMMu";
inline constexpr char kDefaultCrewMesh[] = "ummu/ummu";

// One crew member handed over through a file, 104 bytes, little-endian.
struct HandOverRecord {
    char vesselName[40];  // "UMmu_" + member string, spaces kept, at most 38 characters
    char meshName[40];    // crew mesh, free-space spawns only
    std::int32_t age;
    std::int32_t pulse;
    std::int32_t evaValue;
    std::int32_t weight;  // whole kilograms
    std::int32_t reserved;
    std::int32_t ejectFlag;
};
static_assert(std::endian::native == std::endian::little,
              "the record is written as it lies in memory");
static_assert(sizeof(HandOverRecord) == 104);
static_assert(offsetof(HandOverRecord, vesselName) == 0);
static_assert(offsetof(HandOverRecord, meshName) == 40);
static_assert(offsetof(HandOverRecord, age) == 80);
static_assert(offsetof(HandOverRecord, pulse) == 84);
static_assert(offsetof(HandOverRecord, evaValue) == 88);
static_assert(offsetof(HandOverRecord, weight) == 92);
static_assert(offsetof(HandOverRecord, reserved) == 96);
static_assert(offsetof(HandOverRecord, ejectFlag) == 100);

// Longest text a name field of the record (and any composed vessel name) holds.
inline constexpr std::size_t kNameFieldChars = 38;

}  // namespace crew_addon
