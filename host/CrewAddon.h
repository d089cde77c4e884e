// Names, files and record layouts of the external crew add-on. Paths use backslashes and are
// relative to the simulator's working folder; platform::OpenFile translates them.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "host/HostApi.h"

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

// Vessel class of every crew vessel (the stand-in simulator plays it), and the prefix a
// walking-in vessel's class must have.
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

// The mesh setting that means "choose the crew mesh by the member's function code"; every crew
// manager starts with it.
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
// A buffer for such a name with its terminator.
inline constexpr std::size_t kNameFieldSize = kNameFieldChars + 1;

// The airlock a ship publishes in the three vectors of its child attachment "UMmu", for crew
// vessels and docked ships to read. The host hands the vectors back exactly as they were set, so
// the numbers stay doubles here: a reader converts them as it needs.
struct PublishedAirlock {
    // The airlock box in the ship's own frame, metres.
    double xMin = 0.0, xMax = 0.0, yMin = 0.0, yMax = 0.0, zMin = 0.0, zMax = 0.0;
    // 0 closed; open otherwise (a crew manager publishes 1).
    double doorState = 0.0;
    // A second number, 0 once the roster has changed.
    double auxValue = 0.0;
    double freeSeats = 0.0;

    // The attachment's parameters: position (xMin, xMax, yMin), direction (yMax, zMin, zMax),
    // rotation (door state, aux value, free seats).
    struct Vectors {
        VECTOR3 position;
        VECTOR3 direction;
        VECTOR3 rotation;
    };

    Vectors Pack() const {
        return {VECTOR3{xMin, xMax, yMin}, VECTOR3{yMax, zMin, zMax},
                VECTOR3{doorState, auxValue, freeSeats}};
    }
    static PublishedAirlock Unpack(const VECTOR3& position, const VECTOR3& direction,
                                   const VECTOR3& rotation) {
        return {position.x,  position.y, position.z, direction.x, direction.y,
                direction.z, rotation.x, rotation.y, rotation.z};
    }

    bool IsOpen() const { return doorState != 0.0; }
    // The box's centre, where a crew vessel walking in stands and a transfer vessel appears.
    VECTOR3 Centre() const {
        return VECTOR3{(xMin + xMax) / 2, (yMin + yMax) / 2, (zMin + zMax) / 2};
    }
};

// The first of the ship's child attachments "UMmu" (the identifier compared whole: "UMmu2" is
// another) that `accept` takes, in index order, read into `airlock`; null when none is taken.
// Readers of the published numbers take the first; a transfer looks on past closed airlocks.
template <typename Accept>
ATTACHMENTHANDLE FindPublishedAirlock(const VESSEL& ship, PublishedAirlock& airlock,
                                      Accept accept) {
    const DWORD count = ship.AttachmentCount(false);
    for (DWORD i = 0; i < count; ++i) {
        const ATTACHMENTHANDLE attachment = ship.GetAttachmentHandle(false, i);
        if (attachment == nullptr) continue;
        const char* id = ship.GetAttachmentId(attachment);
        if (id == nullptr || std::strcmp(id, kAirlockAttachmentId) != 0) continue;
        VECTOR3 position{};
        VECTOR3 direction{};
        VECTOR3 rotation{};
        ship.GetAttachmentParams(attachment, position, direction, rotation);
        airlock = PublishedAirlock::Unpack(position, direction, rotation);
        if (accept(static_cast<const PublishedAirlock&>(airlock))) return attachment;
    }
    return nullptr;
}

inline ATTACHMENTHANDLE FindPublishedAirlock(const VESSEL& ship, PublishedAirlock& airlock) {
    return FindPublishedAirlock(ship, airlock, [](const PublishedAirlock&) { return true; });
}

}  // namespace crew_addon
