// The crew vessels of the simulation as the arrival scans of one frame see them, read once per
// frame for every ship of the module. Ships scan four times a second each, so a large fleet
// scans many times in every frame; each pass then looks only at the crew vessels near its own
// vessel and at the transfer vessels, instead of asking the host about every vessel again.
//
// What the index holds within a frame (which vessels are crew vessels, and where they are) does
// not change during a frame's step callbacks: vessels move in the host's state update between
// them, and a vessel the host is told to delete stays until the frame ends. What a pass reads of
// the attachments it reads afresh. (A vessel's frame is turned by a rotation, so nearness in the
// own frame is nearness in space.) A vessel created meanwhile changes the vessel count, which
// makes the next pass read the vessels afresh. The index is read afresh, too, whenever the host's
// system time, which moves on with every frame, or the number of crew managers started (a new
// session starts new ones) has changed.
//
// What it keeps from frame to frame: what each vessel is. A vessel's handle is stable for its
// life, and its class and name do not change while it exists, so the index remembers, for each
// index of the host's vessel list, the handle it last saw there and what that vessel is (another
// vessel, a walking crew vessel, a transfer vessel). Reading the index then costs one host call
// per vessel (its handle) and one more per walking crew vessel (its position); a handle not seen
// at that index before is asked about in full (interface, class, and for a crew vessel its name).
// How a remembered handle is known to be gone or reused:
//   - a vessel deleted by the host leaves the list at the end of the frame, and the last vessel
//     takes its index: a different handle at that index, asked about anew; a list that got
//     shorter forgets what lay beyond its end;
//   - the module forgets each vessel it deletes itself (DeleteVessel, crew/VesselDeletion.h), so
//     a new vessel made at its address is asked about;
//   - a vessel of another module deleted at the end of the list, and a new one made at the same
//     address in the next frame before any ship scans, would keep the old vessel's kind: so the
//     first reading of every frame asks about the last kRecheckedAtEnd vessels of the list anew.
//     Only more deletions of the list's last vessels than that, each followed by a new vessel at
//     the same address and index before the next frame's first scan, could go unseen.
// The walkers are sorted into cubes of space (buckets) by their place in the list of walkers; a
// reading sorts them anew only when a place's cube changed or the number of walkers did, so a
// frame in which the crew vessels stand still (or keep to their cubes) costs no sorting.
#pragma once

#include <cstdint>
#include <vector>

#include "crew/ArrivalPass.h"

namespace crew {

// A crew vessel that may be arriving (CrewVesselAttachments).
struct IndexedCrewVessel {
    DWORD index;  // in the host's vessel order
    OBJHANDLE handle;
    const VESSEL* vessel;
    DWORD parents;  // set when a pass is given the vessel (CrewVesselsNear)
};

// What a vessel of the host's list is, as far as the arrival scans care.
enum class VesselKind : unsigned char {
    kUnknown,   // not asked about yet, or forgotten
    kOther,     // not of the crew add-on's class
    kWalker,    // of the crew add-on's class, not named as a transfer vessel
    kTransfer,  // of the crew add-on's class, named as a transfer vessel
};

// What the index remembers of the vessel it last saw at an index of the host's list.
struct KnownVessel {
    OBJHANDLE handle = nullptr;
    const VESSEL* vessel = nullptr;
    VesselKind kind = VesselKind::kUnknown;
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

    std::vector<std::uint32_t> hits;  // a pass's near walkers
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

// Brings the index up to date for the current frame: a pass calls this before asking it.
void RefreshArrivalIndex();

// The crew vessels a pass of a ship at `ownGlobal` must look at, in vessel order, each with its
// parent attachment count read now: every transfer vessel, and every walking crew vessel within
// `reach` metres of `ownGlobal` that CrewVesselAttachments takes for arriving (more may be given,
// never fewer). The list is the index's own, filled anew by each call.
const std::vector<IndexedCrewVessel>& CrewVesselsNear(const VECTOR3& ownGlobal, double reach);

// The last crew vessel in vessel order, other than `own`, whose last parent attachment is
// "U-Mm", with what that attachment carries; null when there is none. This is the one a pass
// that looks at every vessel and finds no arrival leaves in the arrival fields.
const CheckedCrewVessel* LastCheckedCrewVessel(OBJHANDLE own);

}  // namespace crew
