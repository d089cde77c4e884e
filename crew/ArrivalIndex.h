// The crew vessels of the simulation as the arrival scans of one frame see them, read once per
// frame for every ship of the module. Ships scan four times a second each, so a large fleet
// scans many times in every frame; each pass then looks only at the crew vessels near its own
// vessel and at the transfer vessels, instead of asking the host about every vessel again.
//
// What the index holds (a vessel's class, name, parent attachment count and position) does not
// change during a frame's step callbacks: vessels move in the host's state update between them,
// a crew vessel gets its attachments when it is made, and a vessel the host is told to delete
// stays until the frame ends. What a pass reads of the attachments themselves it reads afresh. (A
// vessel's frame is turned by a rotation, so nearness in the own frame is nearness in space.) A
// vessel created meanwhile changes the vessel count, which makes the next pass read the vessels
// afresh. The index is read afresh, too, whenever the host's system time, which moves on with every
// frame, or the number of crew managers started (a new session starts new ones) has changed.
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
    DWORD parents;
};

// What the index keeps from frame to frame; it lies in the module's state (crew/ModuleState.h).
struct IndexCell {
    std::int64_t x, y, z;
    bool operator==(const IndexCell&) const = default;
};

struct IndexedWalker {
    IndexedCrewVessel vessel;
    VECTOR3 position;  // global
    IndexCell cell;    // meaningful when on the grid
};

// Every vector keeps its storage from frame to frame: once the simulation's size has been seen,
// a frame allocates nothing.
struct ArrivalIndex {
    bool built = false;
    double sysTime = 0.0;
    DWORD vesselCount = 0;
    int managers = 0;

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

// Brings the index up to date for the current frame: a pass calls this before asking it.
void RefreshArrivalIndex();

// The crew vessels a pass of a ship at `ownGlobal` must look at, in vessel order: every transfer
// vessel, and every other crew vessel within `reach` metres of `ownGlobal` (more may be given,
// never fewer). The list is the index's own, filled anew by each call.
const std::vector<IndexedCrewVessel>& CrewVesselsNear(const VECTOR3& ownGlobal, double reach);

// The last crew vessel in vessel order, other than `own`, whose last parent attachment is
// "U-Mm", with what that attachment carries; null when there is none. This is the one a pass
// that looks at every vessel and finds no arrival leaves in the arrival fields.
const CheckedCrewVessel* LastCheckedCrewVessel(OBJHANDLE own);

}  // namespace crew
