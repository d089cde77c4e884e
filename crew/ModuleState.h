// What the crew code keeps for the whole module rather than for one ship, all in one object: the
// ships' link records, the crew ID table, the crew add-on's version, the vessels taken in the
// current step, the transfers under way, the arrival index, the crew lines not kept, the mesh of
// the next crew vessel and the hand-over record. The
// simulator loads the module once per session and unloads it after; a freshly loaded module has
// this state as ResetModuleState leaves it. The ship's own module-wide value, the attitude thrust
// level, is the ship's (vessel/Quillmar.h): the crew code knows nothing of thrusters.
#pragma once

#include <vector>

#include "crew/AirlockLink.h"
#include "crew/ArrivalIndex.h"
#include "crew/CrewIdTable.h"
#include "crew/EvaMeshName.h"
#include "crew/KeptCrewLines.h"
#include "crew/TakenThisStep.h"
#include "crew/TransfersInFlight.h"
#include "host/CrewAddon.h"

namespace crew {

class CrewManager;

struct ModuleState {
    LinkTable links;
    IdTable idTable{};          // empty until the first crew manager starts
    float addonVersion = 0.0f;  // 0 until read
    TakenList takenThisStep;
    std::vector<TransferInFlight> transfersInFlight;
    ArrivalIndex arrivalIndex;
    // Every crew manager in existence (ManagersAboard.h).
    std::vector<const CrewManager*> crewManagers;
    // Crew lines that ships without the crew add-on could not keep (KeptCrewLines.h): the debug
    // line is the whole module's, and says so as long as any ship lost one.
    int crewLinesNotKept = 0;
    // Crew lines ready ships keep unread (KeptCrewLines.h), for the debug line.
    UnreadCrewLines unreadCrewLines;
    // The mesh for the next crew vessel: written by a crew manager's SelectEvaMesh right before
    // each spawn and read by that spawn.
    char evaMeshName[kEvaMeshNameSize]{};
    // Both hand-over files are written from it and the transfer file is read back into it
    // (SpawnRecord.h).
    crew_addon::HandOverRecord spawnRecord{};
};

// The one object, made on first use.
ModuleState& TheModuleState();

// Whether the one object exists: made and not yet destroyed. A crew manager destroyed after the
// module's static objects (a host that destroys its vessels only at the process's exit) leaves
// the module's state alone.
bool ModuleStateExists();

// Gives the state of a freshly loaded module: no link records handed out, the crew ID table and
// the add-on's version still to read, nothing taken and no transfer under way, no crew vessel
// mesh chosen and the hand-over record zero. For a new session
// in the same process (the tests'); no crew manager may outlive it, since the link records it
// held are given out again.
void ResetModuleState();

}  // namespace crew
