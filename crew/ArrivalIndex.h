// The crew vessels of the simulation as the arrival scans of one frame see them, read once per
// frame for every ship of the module. Ships scan four times a second each, so a large fleet
// scans many times in every frame; each pass then looks only at the crew vessels near its own
// vessel and at the transfer vessels, instead of asking the host about every vessel again.
//
// What the index holds within a frame (which vessels are crew vessels, and where they are) does
// not change during a frame's step callbacks: vessels move in the host's state update between
// them, and a vessel the host is told to delete stays until the frame ends. A vessel created
// meanwhile changes the vessel count, which makes the next pass read the vessels afresh. The
// index is read afresh, too, whenever the host's system time, which moves on with every frame,
// or the number of crew managers started (a new session starts new ones) has changed.
//
// What a pass looks at: every transfer vessel, and the walking crew vessels that stand in its
// airlock box or within a metre of it (in the own frame, turned by the ship's rotation matrix,
// asked for only when a walker is near). A walker beside the ship but outside the box costs the
// pass nothing.
// Each vessel a pass looks at it asks about as a pass over every vessel does (interface, class,
// attachments, name): what the index remembers of it only chose it.
//
// What it keeps from frame to frame: what each vessel is. The index remembers, for each index of
// the host's vessel list, the handle it last saw there and what that vessel is (another vessel,
// a walking crew vessel, a transfer vessel). Reading the index then costs one host call per
// vessel (its handle) and one more per walking crew vessel (its position); a handle not seen at
// that index before is asked about in full (interface, class, and for a crew vessel its name).
//
// A handle is no proof that the vessel is the same: the host's handle is the address of its
// vessel object, and a vessel made after a deletion is often given the deleted one's address at
// once (an arrival deletes a crew vessel, an EVA makes one, one right after the other). Deleted
// vessels leave the list at the end of a frame, the last vessel taking their index, and new ones
// are appended; after a few of each, a new vessel can stand at the very index where the index
// last saw its handle on another vessel, and nothing the host says cheaply tells the two apart.
// So no memory is trusted for long:
//   - the sweep: the readings ask about every vessel of the list anew once in every
//     kSweepSeconds of simulation time, a share of the list at each frame's first reading in
//     proportion to the simulation time gone by (the index's clock, advanced by the steps the
//     scanning ships see: AdvanceIndexClock). Another vessel, or a transfer vessel, is asked
//     about in full; of a walker only the name is read, since a pass asks in full about any
//     walker in its box, and only a transfer vessel at a walker's handle, which passes must look
//     at wherever it is, would be missed;
//   - the first reading of every frame asks about the last kRecheckedAtEnd vessels of the list
//     anew, where new vessels are appended;
//   - the module forgets each vessel it deletes itself (DeleteVessel, crew/VesselDeletion.h)
//     and each handle it is given for a crew vessel it made (ForgetVessel there), and a list that
//     got shorter forgets what lay beyond its end.
// The bound: a vessel that stands at an index where the index remembers its handle on another
// vessel is asked about within two sweeps, 2 * kSweepSeconds = 1.5 s of simulation time (the
// sweep under way may have passed its index already), and the ship's next pass, at most 0.25 s
// later, takes it if it stands in the airlock: a crew or transfer vessel at a reused handle
// comes aboard at most 1.75 s of simulation time and a frame after it got there.
// The cost: per scanning frame one host call per vessel (its handle) and one more per walking
// crew vessel (its position), as before; the sweep adds two calls per other vessel and one per
// walker once every 0.75 s. At 50 frames a second (the benchmark's step) that is 2 / 37.5 =
// 0.053 calls per other vessel and 0.027 per walker a frame: 1.05 and 2.03 in all. Nothing
// cheaper is exact: the host has no call that tells a new vessel from an old one at the same
// address, so every remembered vessel must be asked about again within the bound, and the
// fewest calls that tell a vessel's class are two. Fewer frames a second or a higher time
// acceleration raise the share, up to the whole list in every reading.
// The walkers are sorted into cubes of space (buckets) by their place in the list of walkers; a
// reading sorts them anew only when a place's cube changed or the number of walkers did, so a
// frame in which the crew vessels stand still (or keep to their cubes) costs no sorting.
#pragma once

#include <cstdint>
#include <vector>

#include "crew/ArrivalPass.h"

namespace crew {

// A crew vessel a pass looks at, in the host's vessel order.
struct IndexedCrewVessel {
    DWORD index;  // in the host's vessel order
    OBJHANDLE handle;
};

// What a vessel of the host's list is, as far as the arrival scans care.
enum class VesselKind : unsigned char {
    kUnknown,   // not asked about yet, or forgotten
    kOther,     // not of the crew add-on's class
    kWalker,    // of the crew add-on's class, not named as a transfer vessel
    kTransfer,  // of the crew add-on's class, named as a transfer vessel
};

// What the index remembers of the vessel it last saw at an index of the host's list. No vessel
// interface is kept: the one of a vessel deleted since is gone, so a pass asks for it afresh.
struct KnownVessel {
    OBJHANDLE handle = nullptr;
    VesselKind kind = VesselKind::kUnknown;
    bool checkName = false;  // a walker the sweep has come to: its name is read again
};

// What the index keeps from frame to frame; it lies in the module's state (crew/ModuleState.h).
struct IndexCell {
    std::int64_t x, y, z;
    bool operator==(const IndexCell&) const = default;
};

struct IndexedWalker {
    IndexedCrewVessel vessel;
    // A new one stands at the origin, in its cube, until it is read.
    VECTOR3 position{};          // global
    IndexCell cell{};            // meaningful when on the grid
    std::uint64_t cellHash = 0;  // of `cell`, when on the grid
    bool onGrid = true;
};

// Every vector keeps its storage from frame to frame: once the simulation's size has been seen,
// a frame allocates nothing.
struct ArrivalIndex {
    bool built = false;
    // The clock (AdvanceIndexClock) and the sweep: the readings ask about the vessels from index
    // sweepNext on anew, the whole list by sweepStart + kSweepSeconds.
    double clock = 0.0;
    const void* clockLink = nullptr;
    int clockMisses = 0;  // steps of other links since clockLink's last
    double sweepStart = 0.0;
    DWORD sweepNext = 0;
    double sysTime = 0.0;
    bool frameKnown = false;  // sysTime holds the frame of the last reading
    DWORD vesselCount = 0;
    int managers = 0;

    std::vector<KnownVessel> known;            // by index of the host's list
    std::vector<IndexedCrewVessel> transfers;  // vessel order
    std::vector<IndexedWalker> walkers;        // vessel order
    std::vector<std::uint32_t> offGrid;
    // Walkers on the grid by bucket: bucket b holds bucketed[bucketStart[b] .. bucketStart[b+1]).
    std::vector<std::uint32_t> bucketStart;
    std::vector<std::uint32_t> bucketed;
    std::uint64_t bucketMask = 0;

    std::vector<std::uint32_t> hits;  // a pass's walkers in its box
    // The crew vessels a pass looks at (CrewVesselsNear): kept between passes, so that a pass
    // allocates only when it looks at more vessels than any pass before.
    std::vector<IndexedCrewVessel> visits;

    bool lastCheckedKnown = false;
    int lastCheckedCount = 0;
    CheckedCrewVessel lastChecked[2];
    OBJHANDLE lastCheckedHandle[2]{};
};

// Vessels at the end of the host's list asked about anew at each frame's first reading.
inline constexpr DWORD kRecheckedAtEnd = 4;
// Simulation time in which the readings ask about every vessel of the list anew.
inline constexpr double kSweepSeconds = 0.75;

// Advances the index's clock by a step of the simulation: a scan of `link` calls this in every
// frame in which it runs, with the step it saw. One link keeps the clock (the others' steps are
// the same frames'); when it stops scanning, the next link to scan takes it over.
void AdvanceIndexClock(const void* link, double step);

// Brings the index up to date for the current frame: a pass calls this before asking it.
void RefreshArrivalIndex();

// The crew vessels a pass of the ship `own` at `ownGlobal` must look at, in vessel order: every
// transfer vessel, and every walking crew vessel that stands in the airlock box (in the ship's
// frame, about its origin) or within a margin of it (more may be given, never fewer). One host
// call at most, the ship's rotation, asked for only when a walker stands within the sphere about
// the ship's origin that holds the box: a walker outside the box costs a pass nothing. The list
// is the index's own, filled anew by each call.
const std::vector<IndexedCrewVessel>& CrewVesselsNear(const VECTOR3& ownGlobal, const VESSEL& own,
                                                      const AirlockBox& box);

// The last crew vessel in vessel order, other than `own`, whose last parent attachment is
// "U-Mm", with what that attachment carries; null when there is none. This is the one a pass
// that looks at every vessel and finds no arrival leaves in the arrival fields.
const CheckedCrewVessel* LastCheckedCrewVessel(OBJHANDLE own);

}  // namespace crew
