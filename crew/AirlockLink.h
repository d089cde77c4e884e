// The record through which a crew manager deals with everything that crosses its vessel's hull:
// the published airlock (child attachment "UMmu"), the docked ship's published numbers, the
// arrival scan's findings and the spawn switches. Records live in one module-wide table.
//
// Where its operations are: start, airlock, docked numbers and arrival fields in AirlockLink.cpp;
// crew vessels in CrewVesselSpawn.cpp; ScanForArrivals in CrewArrivals.cpp, which runs the
// arrival scan (ArrivalScan.h).
#pragma once

#include <cstddef>
#include <deque>

#include "crew/Airlock.h"
#include "crew/StartResult.h"
#include "host/HostApi.h"

namespace crew {

// The link record's fields, in order. The record inherits them privately and answers what others
// need to know of them through its read functions.
struct AirlockLinkFields {
    int transferDock;
    OBJHANDLE arrivalVessel;
    int autoDeleteArrival;
    VESSEL* vessel;
    double scanTimer;
    OBJHANDLE vesselHandle;
    ATTACHMENTHANDLE attachment;
    int ignoreDocking;
    int airlockDefined;
    int airlockState;
    AirlockBox box;
    char arrivalName[40];
    int arrivalAge;
    int arrivalPulse;
    int arrivalWeight;
    int auxValue;
    int freeSeats;
    int ejectFlag;
};

class AirlockLink : private AirlockLinkFields {
  public:
    // Resets every field, then checks the crew add-on's module file and the vessel: kStarted, or
    // kAddonMissing when the module file cannot be opened, or kNoVessel for a null handle or one
    // without a vessel interface.
    StartResult Init(OBJHANDLE vesselHandle);

    // What the record's setters give: done, or refused with nothing changed.
    enum class Result : int {
        kDone = 1,
        kRefused = -1,
    };

    // Stores and publishes the airlock. Refused for an inverted box, a state other than 0 or 1,
    // or no vessel interface.
    Result DefineAirlock(int state, float xMin, float xMax, float yMin, float yMax, float zMin,
                         float zMax);
    // The setters of published values refuse while nothing is published.
    Result SetAirlockState(int state);
    // The door state, 1 open or 0 closed; -1 while nothing is published.
    int GetAirlockState() const;
    Result SetAuxValue(int value);
    Result SetFreeSeats(int value);
    // The vessel docked at `port` of `own`, or null.
    static OBJHANDLE DockedVessel(const VESSEL& own, int port);
    // Published numbers of the ship docked at the own port `port`, or -1.
    int GetDockedFreeSeats(int port) const;
    int GetDockedAuxValue(int port) const;
    void SetTransferDock(int port);
    void SetIgnoreDocking(int value);
    void SetEjectFlag(int value);
    // Refused until an airlock is defined.
    Result SetAutoDeleteArrival(int value);
    OBJHANDLE GetArrivalVessel() const;
    // Copies the arrival's vessel name without its five-character prefix, at most min(n, 32)
    // characters, in the manner of strncpy.
    void GetArrivalName(char* destination, int n) const;
    // Deletes the kept arrival; refused when none is kept.
    Result DeleteArrivalVessel();
    int GetArrivalAge() const;
    int GetArrivalPulse() const;
    int GetArrivalWeight() const;

    // What the arrival scan finds: the arrival's fields, set together (the vessel name at most 39
    // characters, the rest of the field cleared), and the arrival kept for the crew manager.
    void SetArrival(const char* vesselName, int age, int pulse, int weight);
    void SetArrivalVessel(OBJHANDLE arrival);
    // Adds the last step to the scan timer. True once the timer is above the time between passes:
    // a pass is due, and the timer starts again from zero.
    bool StepScanTimer(double step);

    // What the record tells of itself.
    OBJHANDLE VesselHandle() const { return vesselHandle; }
    // The vessel's interface; null until a start found one.
    const VESSEL* Vessel() const { return vessel; }
    // Whether the airlock is published (the attachment exists) and defined.
    bool Published() const { return attachment != nullptr; }
    bool AirlockDefined() const { return airlockDefined != 0; }
    // The door as stored, whether published or not: open is 1 and nothing else.
    bool DoorOpen() const { return airlockState == kDoorOpen; }
    const AirlockBox& Box() const { return box; }
    // The values the record publishes (or will, once the airlock is).
    int FreeSeats() const { return freeSeats; }
    int AuxValue() const { return auxValue; }
    // Whether a found arrival is deleted by the scan at once rather than kept for the crew
    // manager.
    bool DeletesArrivalsAtOnce() const { return autoDeleteArrival == 1; }
    int TransferDock() const { return transferDock; }
    // The switches a spawn reads: send to free space even when docked; mark the hand-over
    // record as an ejection.
    bool IgnoresDocking() const { return ignoreDocking != 0; }
    bool Ejecting() const { return ejectFlag != 0; }
    // Seconds gathered toward the next pass of the arrival scan; 0 right after a pass.
    double ScanTimer() const { return scanTimer; }
    // The arrival's vessel name as the scan recorded it (its prefix included).
    const char* ArrivalVesselName() const { return arrivalName; }

    // Results of SpawnCrewVessel.
    enum class SpawnResult : int {
        kInFreeSpace = 1,
        kTransfer = 2,  // the transfer vessel carries the member
        // The transfer vessel could not be given the member: it is gone again.
        kTransferUnmarked = 3,
        kNoDockedAirlock = -1,  // the docked ship publishes no airlock
        kDockedAirlockClosed = -2,
        kNoInterface = -3,       // of this vessel or of the docked ship
        kNotCreated = -4,        // the host created no vessel
        kTransferUnderWay = -5,  // a transfer to the docked ship has not arrived yet
        // The docked ship's name is too long for a transfer vessel's.
        kReceiverNameTooLong = -6,
        // The hand-over record the crew vessel reads could not be written: no vessel is made.
        kRecordNotWritten = -7,
    };

    // Creates a crew vessel for a member: in free space beside the vessel, or a transfer vessel
    // at the airlock of the ship docked at `transferDock`.
    SpawnResult SpawnCrewVessel(const char* memberString, int age, int evaValue, int pulse,
                                int weight, const char* meshName, const VECTOR3* position,
                                const VECTOR3* angles, const VECTOR3* velocity);
    void OrientCrewVessel(const VECTOR3* angles, OBJHANDLE crewVessel) const;

    // Results of ScanForArrivals.
    enum class ScanResult : int {
        // Nobody; also while it is not yet time, the door is closed or no seat is free.
        kNothing = 0,
        kWalkedIn = 1,       // a crew vessel in the open airlock
        kTransferredIn = 2,  // a transfer vessel addressed to this vessel
        // A transfer vessel addressed to this vessel whose member neither it, nor the module's
        // record of the transfers under way, nor the transfer file names: it stays in
        // `arrivalVessel`, never deleted by the scan, and the arrival fields hold the unknown
        // member (NameUnknownMember) for the crew manager to send out into free space.
        kTransferUnnamed = 3,
        kNoVessel = -3,
    };

    // Looks for crew vessels in the open airlock every 0.25 s of simulation time, and for transfer
    // vessels addressed to this vessel; sends a transfer vessel whose receiver is gone back into
    // free space.
    ScanResult ScanForArrivals();

  private:
    // Hands the airlock's three vectors to the host: creates the attachment the first time.
    void Publish();
};

// The module-wide table of link records. Every crew manager that starts gets a record of its own;
// indices are handed out in start order and never given back.
// Records that exist before any manager starts; the table grows beyond them as needed.
inline constexpr std::size_t kInitialLinkRecords = 100;

// The table, in the module's state (crew/ModuleState.h). A deque keeps every record where it is
// while the table grows, so a crew manager's record never moves.
struct LinkTable {
    std::deque<AirlockLink> records = std::deque<AirlockLink>(kInitialLinkRecords);
    int count = 0;
};

// Number of indices handed out so far.
int LinkCount();
// The record with index `index` (an index handed out, or LinkCount() for the next one), made when
// first asked for; the reference stays valid for the library's life.
AirlockLink& LinkRecord(int index);
// Hands out the next index: raises the count by one.
void CommitNextLink();

}  // namespace crew
