#include "crew/ArrivalIndex.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "crew/AirlockLink.h"
#include "crew/ModuleState.h"

namespace crew {

namespace {

// Edge of the cubes the walking crew vessels are sorted into, metres: larger than an airlock
// box's reach from its ship, so that a pass searches at most two cubes along each axis.
constexpr double kCellSize = 512.0;
// A pass whose reach spans more cubes than this along an axis searches every crew vessel.
constexpr std::int64_t kMostCellsPerAxis = 4;
// Coordinates beyond this (metres, far outside any solar system) or not numbers keep a vessel
// out of the cubes: every pass tests it on its own.
constexpr double kGridLimit = 1.0e15;
// Added to a pass's reach: the host's frame conversions round, and a vessel just inside a box
// face must still be looked at.
constexpr double kReachMargin = 1.0;
constexpr double kReachMarginPerMetre = 1.0e-12;

bool OnGrid(const VECTOR3& p) {
    return std::fabs(p.x) < kGridLimit && std::fabs(p.y) < kGridLimit &&
           std::fabs(p.z) < kGridLimit;  // false for not-a-number too
}

// Equal coordinates (a point that is not a number is never the same).
bool SamePoint(const VECTOR3& a, const VECTOR3& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

// The whole number at or below v, for |v| well inside the 64-bit range (points on the grid).
std::int64_t FloorToInt(double v) {
    const auto truncated = static_cast<std::int64_t>(v);
    return truncated - (v < static_cast<double>(truncated) ? 1 : 0);
}

IndexCell CellOf(const VECTOR3& p) {
    constexpr double kPerMetre = 1.0 / kCellSize;  // a power of two: exact
    return {FloorToInt(p.x * kPerMetre), FloorToInt(p.y * kPerMetre), FloorToInt(p.z * kPerMetre)};
}

std::uint64_t Hash(const IndexCell& c) {
    std::uint64_t h = static_cast<std::uint64_t>(c.x) * 0x9E3779B97F4A7C15ull;
    h ^= static_cast<std::uint64_t>(c.y) * 0xC2B2AE3D27D4EB4Full + (h << 6) + (h >> 2);
    h ^= static_cast<std::uint64_t>(c.z) * 0x165667B19E3779F9ull + (h << 6) + (h >> 2);
    return h ^ (h >> 29);
}

ArrivalIndex& TheIndex() { return TheModuleState().arrivalIndex; }

// Asks the host what the vessel behind a handle is. A vessel whose interface the host does not
// give is left unknown, to be asked about again.
KnownVessel Identify(OBJHANDLE handle) {
    const VESSEL* vessel = oapiGetVesselInterface(handle);
    if (vessel == nullptr) return {};
    if (!IsCrewClass(vessel->GetClassNameA())) return {handle, vessel, VesselKind::kOther};
    char name[kCandidateNameSize];
    name[0] = '\0';  // the host writes the rest
    oapiGetObjectName(handle, name, kCandidateNameSize);
    name[kCandidateNameSize - 1] = '\0';
    return {handle, vessel, IsTransferName(name) ? VesselKind::kTransfer : VesselKind::kWalker};
}

// Reads the host's vessel list into the index. Returns whether the buckets must be sorted anew:
// they hold walkers by their place in `walkers` and their cell, so they stay right while every
// place keeps its cell, whichever vessel stands there now.
bool Read(ArrivalIndex& index, DWORD count, bool newFrame) {
    index.transfers.clear();
    index.offGrid.clear();
    index.lastCheckedKnown = false;
    index.known.resize(count);
    if (newFrame) {
        for (DWORD i = count > kRecheckedAtEnd ? count - kRecheckedAtEnd : 0; i < count; ++i) {
            index.known[i] = KnownVessel{};
        }
    }
    // The host calls in the loop could change the index's vectors as far as the compiler knows;
    // the loop keeps their sizes and storage itself, so that a vessel costs no reloading of them.
    KnownVessel* const known = index.known.data();
    IndexedWalker* places = index.walkers.data();
    std::size_t placeCount = index.walkers.size();
    std::size_t walkers = 0;
    bool moved = false;
    for (DWORD i = 0; i < count; ++i) {
        const OBJHANDLE handle = oapiGetVesselByIndex(static_cast<int>(i));
        KnownVessel& vessel = known[i];
        if (vessel.handle != handle) vessel = handle == nullptr ? KnownVessel{} : Identify(handle);
        if (vessel.kind == VesselKind::kTransfer) {
            index.transfers.push_back({i, handle, vessel.vessel, 0});
            continue;
        }
        if (vessel.kind != VesselKind::kWalker) continue;
        if (walkers == placeCount) {
            index.walkers.emplace_back();
            places = index.walkers.data();
            placeCount = index.walkers.size();
            moved = true;
        }
        IndexedWalker& place = places[walkers];
        // Written only when another vessel stands at this place: a frame in which nothing
        // changed reads the walkers and writes none of them.
        if (place.vessel.handle != handle || place.vessel.vessel != vessel.vessel ||
            place.vessel.index != i) {
            place.vessel = {i, handle, vessel.vessel, 0};
        }
        VECTOR3 position{};
        oapiGetGlobalPos(handle, &position);
        // A walker standing where the one before it at this place stood keeps its cube.
        if (!SamePoint(position, place.position)) {
            const bool onGrid = OnGrid(position);
            const IndexCell cell = onGrid ? CellOf(position) : IndexCell{};
            moved = moved || place.onGrid != onGrid || !(place.cell == cell);
            place.position = position;
            place.cell = cell;
            place.onGrid = onGrid;
        }
        if (!place.onGrid) index.offGrid.push_back(static_cast<std::uint32_t>(walkers));
        ++walkers;
    }
    if (walkers != index.walkers.size()) {
        index.walkers.resize(walkers);
        moved = true;
    }
    return moved;
}

// Sorts the walkers on the grid into buckets by cell (a counting sort).
void Bucket(ArrivalIndex& index) {
    std::size_t buckets = 16;
    while (buckets < 2 * index.walkers.size()) buckets *= 2;
    index.bucketMask = buckets - 1;
    index.bucketStart.assign(buckets + 1, 0);
    for (IndexedWalker& w : index.walkers) {
        if (!w.onGrid) continue;
        w.cellHash = Hash(w.cell);
        ++index.bucketStart[(w.cellHash & index.bucketMask) + 1];
    }
    for (std::size_t b = 1; b <= buckets; ++b) index.bucketStart[b] += index.bucketStart[b - 1];
    index.bucketed.resize(index.bucketStart[buckets]);
    // Each bucket is filled from its end backwards: bucketStart[b + 1] moves to bucket b's start.
    for (std::size_t k = index.walkers.size(); k-- > 0;) {
        const IndexedWalker& w = index.walkers[k];
        if (!w.onGrid) continue;
        const std::uint64_t b = w.cellHash & index.bucketMask;
        index.bucketed[--index.bucketStart[b + 1]] = static_cast<std::uint32_t>(k);
    }
    // Shifted back by one, bucketStart[b] is bucket b's start again.
    for (std::size_t b = 0; b < buckets; ++b) index.bucketStart[b] = index.bucketStart[b + 1];
    index.bucketStart[buckets] = static_cast<std::uint32_t>(index.bucketed.size());
}

double Distance2(const VECTOR3& a, const VECTOR3& b) {
    const double x = a.x - b.x, y = a.y - b.y, z = a.z - b.z;
    return x * x + y * y + z * z;
}

void AddIfNear(ArrivalIndex& index, std::uint32_t k, const VECTOR3& centre, double reach2) {
    if (Distance2(index.walkers[k].position, centre) <= reach2) index.hits.push_back(k);
}

}  // namespace

void RefreshArrivalIndex() {
    ArrivalIndex& index = TheIndex();
    const double sysTime = oapiGetSysTime();
    const DWORD count = oapiGetVesselCount();
    const int managers = LinkCount();
    if (index.built && sysTime == index.sysTime && count == index.vesselCount &&
        managers == index.managers) {
        return;
    }
    const bool newFrame = !index.frameKnown || sysTime != index.sysTime;
    // A new session's vessels may lie at the old one's addresses.
    if (managers != index.managers) index.known.clear();
    if (Read(index, count, newFrame) || !index.built) Bucket(index);
    index.built = true;
    index.frameKnown = true;
    index.sysTime = sysTime;
    index.vesselCount = count;
    index.managers = managers;
}

const std::vector<IndexedCrewVessel>& CrewVesselsNear(const VECTOR3& ownGlobal, double reach) {
    ArrivalIndex& index = TheIndex();
    std::vector<IndexedCrewVessel>& visits = index.visits;
    const double largest =
        std::max({std::fabs(ownGlobal.x), std::fabs(ownGlobal.y), std::fabs(ownGlobal.z)});
    const double wideReach = reach + kReachMargin + kReachMarginPerMetre * largest;
    const double reach2 = wideReach * wideReach;
    index.hits.clear();

    const bool ownOnGrid = OnGrid(ownGlobal);
    const IndexCell low =
        ownOnGrid
            ? CellOf({ownGlobal.x - wideReach, ownGlobal.y - wideReach, ownGlobal.z - wideReach})
            : IndexCell{};
    const IndexCell high =
        ownOnGrid
            ? CellOf({ownGlobal.x + wideReach, ownGlobal.y + wideReach, ownGlobal.z + wideReach})
            : IndexCell{};
    const bool searchCells = ownOnGrid && wideReach < kCellSize * kMostCellsPerAxis / 2 &&
                             high.x - low.x < kMostCellsPerAxis &&
                             high.y - low.y < kMostCellsPerAxis &&
                             high.z - low.z < kMostCellsPerAxis;
    if (searchCells) {
        for (std::int64_t x = low.x; x <= high.x; ++x) {
            for (std::int64_t y = low.y; y <= high.y; ++y) {
                for (std::int64_t z = low.z; z <= high.z; ++z) {
                    const IndexCell cell{x, y, z};
                    const std::uint64_t b = Hash(cell) & index.bucketMask;
                    for (std::uint32_t i = index.bucketStart[b]; i < index.bucketStart[b + 1];
                         ++i) {
                        const std::uint32_t k = index.bucketed[i];
                        // Cells sharing a bucket: each walker is taken with its own cell only.
                        if (index.walkers[k].cell == cell) AddIfNear(index, k, ownGlobal, reach2);
                    }
                }
            }
        }
        for (const std::uint32_t k : index.offGrid) AddIfNear(index, k, ownGlobal, reach2);
        std::sort(index.hits.begin(), index.hits.end());
    } else {
        for (std::uint32_t k = 0; k < index.walkers.size(); ++k) {
            AddIfNear(index, k, ownGlobal, reach2);
        }
    }

    // Transfer vessels and near walkers, merged in vessel order, each with its attachments as
    // they are now: a transfer vessel whatever their number, a walker only with enough.
    visits.clear();
    auto visitTransfer = [&visits](const IndexedCrewVessel& transfer) {
        visits.push_back(transfer);
        visits.back().parents = transfer.vessel->AttachmentCount(true);
    };
    auto transfer = index.transfers.begin();
    for (const std::uint32_t k : index.hits) {
        const IndexedCrewVessel& walker = index.walkers[k].vessel;
        for (; transfer != index.transfers.end() && transfer->index < walker.index; ++transfer) {
            visitTransfer(*transfer);
        }
        const DWORD parents = walker.vessel->AttachmentCount(true);
        if (parents < kFewestCrewAttachments) continue;
        visits.push_back(walker);
        visits.back().parents = parents;
    }
    for (; transfer != index.transfers.end(); ++transfer) visitTransfer(*transfer);
    return visits;
}

const CheckedCrewVessel* LastCheckedCrewVessel(OBJHANDLE own) {
    ArrivalIndex& index = TheIndex();
    if (!index.lastCheckedKnown) {
        // The last two, so that the one before serves a ship that is itself the last.
        index.lastCheckedCount = 0;
        for (std::size_t k = index.walkers.size(); k-- > 0 && index.lastCheckedCount < 2;) {
            const IndexedCrewVessel& walker = index.walkers[k].vessel;
            CheckedCrewVessel& checked = index.lastChecked[index.lastCheckedCount];
            const DWORD parents = walker.vessel->AttachmentCount(true);
            if (parents < kFewestCrewAttachments ||
                !ReadMemberAttachment(*walker.vessel, parents, checked.data)) {
                continue;
            }
            checked.name[0] = '\0';
            oapiGetObjectName(walker.handle, checked.name, kCandidateNameSize);
            checked.name[kCandidateNameSize - 1] = '\0';
            index.lastCheckedHandle[index.lastCheckedCount++] = walker.handle;
        }
        index.lastCheckedKnown = true;
    }
    for (int i = 0; i < index.lastCheckedCount; ++i) {
        if (index.lastCheckedHandle[i] != own) return &index.lastChecked[i];
    }
    return nullptr;
}

}  // namespace crew
