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

bool NamedAsTransfer(OBJHANDLE handle) {
    char name[kCandidateNameSize];
    name[0] = '\0';  // the host writes the rest
    oapiGetObjectName(handle, name, kCandidateNameSize);
    name[kCandidateNameSize - 1] = '\0';
    return IsTransferName(name);
}

// Asks the host what the vessel behind a handle is. A vessel whose interface the host does not
// give is left unknown, to be asked about again.
KnownVessel Identify(OBJHANDLE handle) {
    const VESSEL* vessel = oapiGetVesselInterface(handle);
    if (vessel == nullptr) return {};
    if (!IsCrewClass(vessel->GetClassNameA())) return {handle, VesselKind::kOther};
    return {handle, NamedAsTransfer(handle) ? VesselKind::kTransfer : VesselKind::kWalker};
}

// Forgets the vessels of the sweep's share of this reading: from where the last reading's share
// ended up to the share of the list that the time since the sweep began stands for.
void Sweep(ArrivalIndex& index, DWORD count) {
    const double share = (index.clock - index.sweepStart) / kSweepSeconds;
    const bool whole = !(share < 1.0);  // not a number too
    DWORD upTo = count;
    if (!whole) {
        upTo = static_cast<DWORD>(std::ceil(std::max(share, 0.0) * static_cast<double>(count)));
        upTo = std::min(upTo, count);
    }
    // A walker stays a crew vessel while a pass looks at it only in its box, where the pass asks
    // about it in full: only a transfer vessel at its handle would be missed, which its name
    // tells. Anything else is asked about in full.
    for (DWORD i = std::min(index.sweepNext, count); i < upTo; ++i) {
        KnownVessel& known = index.known[i];
        if (known.kind == VesselKind::kWalker) {
            known.checkName = true;
        } else {
            known = KnownVessel{};
        }
    }
    index.sweepNext = upTo;
    if (whole) {
        index.sweepStart = index.clock;
        index.sweepNext = 0;
    }
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
        Sweep(index, count);
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
        if (vessel.handle != handle) {
            vessel = handle == nullptr ? KnownVessel{} : Identify(handle);
        } else if (vessel.checkName) {
            vessel.checkName = false;
            if (NamedAsTransfer(handle)) vessel = Identify(handle);
        }
        if (vessel.kind == VesselKind::kTransfer) {
            index.transfers.push_back({i, handle});
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
        if (place.vessel.handle != handle || place.vessel.index != i) place.vessel = {i, handle};
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

// How far from the own vessel's origin a point of its airlock box can lie.
double BoxReach(const AirlockBox& box) {
    const double x = std::max(std::fabs(box.xMin), std::fabs(box.xMax));
    const double y = std::max(std::fabs(box.yMin), std::fabs(box.yMax));
    const double z = std::max(std::fabs(box.zMin), std::fabs(box.zMax));
    return std::sqrt(x * x + y * y + z * z);
}

// A pass's airlock box: the walkers a pass looks at stand inside it, widened by `margin` on every
// side, in the own vessel's frame (the host's frame conversions round, and a vessel just inside a
// box face must still be looked at).
struct NearBox {
    VECTOR3 centre;  // the own vessel's origin, global
    MATRIX3 rotation;
    AirlockBox box;
    double margin;
    double reach2;  // of the sphere about the origin that holds the widened box
};

bool InBox(const NearBox& nearBox, const VECTOR3& global) {
    const double x = global.x - nearBox.centre.x, y = global.y - nearBox.centre.y,
                 z = global.z - nearBox.centre.z;
    const MATRIX3& r = nearBox.rotation;
    // The transposed rotation takes the global frame to the own vessel's.
    const double lx = r.m11 * x + r.m21 * y + r.m31 * z;
    const double ly = r.m12 * x + r.m22 * y + r.m32 * z;
    const double lz = r.m13 * x + r.m23 * y + r.m33 * z;
    const AirlockBox& b = nearBox.box;
    const double m = nearBox.margin;
    // Not-a-number coordinates fail every comparison: such a vessel is looked at.
    return !(lx < b.xMin - m || lx > b.xMax + m || ly < b.yMin - m || ly > b.yMax + m ||
             lz < b.zMin - m || lz > b.zMax + m);
}

void AddIfNear(ArrivalIndex& index, std::uint32_t k, const NearBox& nearBox) {
    const VECTOR3& position = index.walkers[k].position;
    if (Distance2(position, nearBox.centre) <= nearBox.reach2) index.hits.push_back(k);
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

void AdvanceIndexClock(const void* link, double step) {
    ArrivalIndex& index = TheIndex();
    // Every scanning link steps once a frame: a keeper that let every other link step more
    // often than there are links has stopped scanning.
    if (link != index.clockLink && index.clockLink != nullptr &&
        ++index.clockMisses <= LinkCount()) {
        return;
    }
    index.clockLink = link;
    index.clockMisses = 0;
    if (step > 0.0 && std::isfinite(step)) index.clock += step;
}

const std::vector<IndexedCrewVessel>& CrewVesselsNear(const VECTOR3& ownGlobal, const VESSEL& own,
                                                      const AirlockBox& box) {
    ArrivalIndex& index = TheIndex();
    std::vector<IndexedCrewVessel>& visits = index.visits;
    const double largest =
        std::max({std::fabs(ownGlobal.x), std::fabs(ownGlobal.y), std::fabs(ownGlobal.z)});
    const double margin = kReachMargin + kReachMarginPerMetre * largest;
    const double wideReach = BoxReach(box) + margin;
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
    NearBox nearBox{ownGlobal, {1, 0, 0, 0, 1, 0, 0, 0, 1}, box, margin, reach2};
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
                        if (index.walkers[k].cell == cell) AddIfNear(index, k, nearBox);
                    }
                }
            }
        }
        for (const std::uint32_t k : index.offGrid) AddIfNear(index, k, nearBox);
        std::sort(index.hits.begin(), index.hits.end());
    } else {
        for (std::uint32_t k = 0; k < index.walkers.size(); ++k) AddIfNear(index, k, nearBox);
    }

    // Of the walkers within the sphere, those in the box: the own vessel's rotation is asked for
    // only when there are any.
    if (!index.hits.empty()) {
        own.GetRotationMatrix(nearBox.rotation);
        std::size_t kept = 0;
        for (const std::uint32_t k : index.hits) {
            if (InBox(nearBox, index.walkers[k].position)) index.hits[kept++] = k;
        }
        index.hits.resize(kept);
    }

    // Transfer vessels and walkers in the box, merged in vessel order.
    visits.clear();
    auto transfer = index.transfers.begin();
    for (const std::uint32_t k : index.hits) {
        const IndexedCrewVessel& walker = index.walkers[k].vessel;
        for (; transfer != index.transfers.end() && transfer->index < walker.index; ++transfer) {
            visits.push_back(*transfer);
        }
        visits.push_back(walker);
    }
    for (; transfer != index.transfers.end(); ++transfer) visits.push_back(*transfer);
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
            // As a pass over every vessel asks (CrewVesselAttachments, ArrivalPass::Visit): the
            // index's memory of the vessel may be older than the vessel.
            const VESSEL* vessel = oapiGetVesselInterface(walker.handle);
            if (vessel == nullptr) continue;
            const DWORD parents = CrewVesselAttachments(walker.handle, *vessel);
            if (parents == kNotArriving || parents < kFewestCrewAttachments) continue;
            checked.name[0] = '\0';
            oapiGetObjectName(walker.handle, checked.name, kCandidateNameSize);
            checked.name[kCandidateNameSize - 1] = '\0';
            if (IsTransferName(checked.name) ||
                !ReadMemberAttachment(*vessel, parents, checked.data)) {
                continue;
            }
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
