// The crew of one vessel: roster, seats, airlock, crew mass bookkeeping, start-up checks of the
// crew add-on, crew lines in the scenario, EVA, transfer and arrivals. An operation that can be
// refused returns a result type that names each outcome; a refusal changes nothing. Getters of
// numbers give kNoValue's number when they have no value.
//
// Where its operations are: roster, seats, airlock and getters in CrewManager.cpp; start-up, the
// add-on's version and the crew ID table in CrewStartup.cpp; crew lines in CrewPersistence.cpp;
// EVA, transfer and ejection in CrewLeaving.cpp; arrivals in CrewArrivals.cpp. The link record
// makes the crew vessels of those who leave (CrewVesselSpawn.cpp).
#pragma once

#include "crew/AirlockLink.h"
#include "crew/CrewMember.h"
#include "crew/EvaMeshName.h"
#include "crew/KeptCrewLines.h"
#include "crew/StartResult.h"
#include "host/HostApi.h"

namespace crew {

// The crew manager's fields. The manager inherits them privately and answers what others need to
// know of them through its getters and read functions. In order, except the warnings'
// deadline: every step reads it with `readyFlags` and `airlockOpen`, so it shares their cache line.
struct CrewManagerFields {
    CrewMember roster[kRosterSlots]{};
    double warningUntil = 0.0;
    int readyFlags = 0;
    int crewCount = 0;
    int seatCount = 0;
    double crewMass = 0.0;
    int loadedCount = 0;
    int massBookkeeping = 0;
    int airlockOpen = 0;
    int evaValue = 0;
    char evaMesh[kEvaMeshNameSize]{};
    VECTOR3 evaPosition{};
    VECTOR3 evaAngles{};
    VECTOR3 ejectPosition{};
    VECTOR3 ejectAngles{};
    VECTOR3 ejectVelocity{};
    char emptyText[2]{};
    char lastEvaName[50]{};
    char lastArrivalName[50]{};
    OBJHANDLE vesselHandle = nullptr;
    char lastEvaVesselName[200]{};
    int linkIndex = -1;
    int addonOutdated = 0;
    KeptCrewLines keptCrewLines;
};

class CrewManager : private CrewManagerFields {
  public:
    // What `readyFlags` holds: one bit from Initialize, one from DefineAirlock. The manager works
    // only with both.
    enum ReadyFlag : int {
        kStarted = 1,
        kAirlockDefined = 2,
        kReady = kStarted | kAirlockDefined,
    };

    // The results most operations give: done, or refused and nothing changed. The pulse setters
    // and SetAirlockState refuse with "no value" instead, as the getters of numbers do (they give
    // kNoValue's number in place of the value).
    enum class Result : int {
        kNoValue = -1,
        kRefused = 0,
        kDone = 1,
    };
    static constexpr int kNoValue = static_cast<int>(Result::kNoValue);

    // `loadedCount` until the first crew line of a scenario arrives.
    static constexpr int kNoCrewLinesRead = -1;

    // EvaMember's and EjectMember's results; the vessel shows one message for each.
    enum class EvaResult : int {
        kTransferred = 2,  // to the ship docked at the transfer port
        kDone = 1,         // into free space
        kNobodyAboard = 0,
        kAirlockClosed = -1,
        kDockedAirlockClosed = -2,
        kDockedShipFull = -3,
        kNoSuchMember = -4,           // also a name too long to look up
        kDockedShipWithoutCrew = -5,  // the docked ship publishes no airlock
        kMiscError = -6,              // not ready, or the crew vessel could not be made
        // A transfer to the docked ship is under way; it takes one at a time.
        kTransferUnderWay = -7,
    };

    // Constructed not started: every operation but DefineAirlock, GetLastEvaName,
    // GetLastArrivalName and SelectEvaMesh refuses until Initialize and DefineAirlock succeed.
    // Every manager in existence is known to the module (ManagersAboard.h), so that a record
    // naming a member who is aboard one of its ships is never taken for a member in transit.
    CrewManager();
    CrewManager(const CrewManager& other);
    CrewManager& operator=(const CrewManager& other);
    ~CrewManager();

    // Whether a member of this code and name, as the roster stores them (cut, cleaned; letter
    // case ignored), is aboard.
    bool HoldsMember(const char* idCode, const char* name) const;

    // Start-up.
    StartResult Initialize(OBJHANDLE vesselHandle);
    void ShowWarnings(const char* addonName);
    float ReadAddonVersion();
    void LoadIdTable();
    void SelectEvaMesh(const char* idCode);

    // The manager's whole interface, as every part of the ship may use it. Operations marked
    // "(interface)" have no caller in this ship today; they stay because they belong to that
    // interface, and its tests hold them to it.

    // Roster and member data.
    Result AddMember(const char* name, int age, int pulse, int weight, const char* idCode);
    Result RemoveMember(const char* name);  // (interface)
    int GetCrewCount() const;
    const char* GetMemberName(int slot) const;
    int GetAge(int slot) const;
    int GetPulse(int slot) const;          // (interface)
    Result SetPulse(int slot, int value);  // (interface)
    int GetWeight(int slot) const;         // (interface)
    const char* GetIdCode(int slot) const;
    int GetAgeByName(const char* name) const;
    int GetPulseByName(const char* name) const;          // (interface)
    Result SetPulseByName(const char* name, int value);  // (interface)
    int GetWeightByName(const char* name) const;         // (interface)
    const char* GetIdCodeByName(const char* name) const;

    // Settings, airlock and placement.
    Result SetSeatCount(int seats);
    Result SetMassBookkeeping(int flag);  // (interface)
    Result SetEvaValue(int value);        // (interface)
    Result SetEvaMesh(const char* mesh);
    Result SetEvaPlacement(VECTOR3 position, VECTOR3 angles);
    Result SetEjectPlacement(VECTOR3 position, VECTOR3 angles, VECTOR3 velocity);  // (interface)
    Result DefineAirlock(int state, float xMin, float xMax, float yMin, float yMax, float zMin,
                         float zMax);
    Result SetAirlockState(int state);
    int GetAirlockState();
    Result SetTransferDock(int port);

    // The last crossings.
    const char* GetLastEvaName() const;
    const char* GetLastArrivalName() const;
    const char* GetLastEvaVesselName() const;  // (interface)
    OBJHANDLE FindLastEvaVessel();             // (interface)

    // Scenario lines.
    Result SaveCrew(FILEHANDLE scn) const;
    Result LoadCrewLine(const char* line);
    // A manager that is not ready (the crew add-on is missing) takes no member from a crew line
    // but keeps it as read (1; 0 for a line that is not a crew line or one that does not fit
    // KeptCrewLines), and writes the kept lines back unchanged, in their order. A ready manager
    // keeps so the crew lines LoadCrewLine refused (not valid, or beyond the seats), and the
    // debug line tells how many all ships keep unread, and why (ShowWarnings).
    Result KeepCrewLine(const char* line);
    void SaveKeptCrewLines(FILEHANDLE scn) const;

    // Leaving and arriving.
    EvaResult EvaMember(const char* name);
    EvaResult EjectMember(const char* name);  // (interface)
    // ProcessArrivals' results; the vessel shows a message for each arrival.
    enum class ArrivalResult : int {
        kNotReady = -1,
        kNone = 0,
        kWalkedIn = 1,       // through the open airlock
        kTransferredIn = 2,  // from a docked ship
        // A transfer vessel addressed to this vessel named nobody (ScanResult::kTransferUnnamed):
        // its member went out into free space at the EVA placement under the unknown member's
        // name, which GetLastArrivalName gives.
        kTransferSentOutside = 3,
    };
    ArrivalResult ProcessArrivals();

    // Started and with an airlock: what every operation but DefineAirlock, GetLastEvaName,
    // GetLastArrivalName and SelectEvaMesh needs.
    bool Ready() const { return readyFlags == kReady; }

    // What the manager tells of itself, ready or not.
    // Initialize succeeded (the airlock may still be missing).
    bool Started() const { return (readyFlags & kStarted) != 0; }
    // The index of its record in the module's link table; -1 before a successful start.
    int LinkIndex() const { return linkIndex; }
    // The system time (oapiGetSysTime) until which the start-up warnings run: 0 or less when none
    // run, -1 once they ended.
    double WarningsUntil() const { return warningUntil; }
    // Whether the start found the crew add-on older than it needs.
    bool AddonOutdated() const { return addonOutdated != 0; }
    int SeatCount() const { return seatCount; }
    // Kilograms: the members' weights added up.
    double CrewMass() const { return crewMass; }
    // Crew lines taken from the scenario; kNoCrewLinesRead before the first.
    int LoadedCount() const { return loadedCount; }
    // The door as the manager last read it from its record; EVA and arrivals need it open.
    bool AirlockOpen() const { return airlockOpen != 0; }
    // The mesh setting for crew vessels (SetEvaMesh).
    const char* EvaMesh() const { return evaMesh; }

  private:
    // Tests reach through it the one state no operation makes: a member weight that is not a
    // whole number.
    friend class CrewManagerTestPeer;

    // The manager's link record; null until a start-up succeeded.
    AirlockLink* Link() const;
    // Slot of the first member with that name (letter case ignored), or -1; refuses as the
    // lookups by name do.
    int FindMember(const char* name) const;
    // Publishes seatCount - crewCount free seats and the aux value 0.
    void PublishSeats() const;
    // Moves the crew's share of the host's empty mass from crewMass to newCrewMass, when the
    // bookkeeping is on.
    void ApplyCrewMassToHost(double newCrewMass) const;
    // Puts the member into the next free slot: the crew's mass and the published seats follow.
    // REQUIRES: a free seat (crewCount < seatCount <= kMostMembers).
    void SeatMember(const CrewMember& member);
    void RemoveSlot(int slot);
    // The values of a fresh start, bound to the vessel and its link record.
    void ResetForStart(OBJHANDLE handle, int index);
    // Sends the member in `slot` out, to free space or through the transfer port (EvaMember)
    // or always to free space at the eject placement (EjectMember).
    EvaResult LeaveVessel(int slot, bool eject);
    // Sends the member of the unnamed transfer vessel the scan left in the link out into free
    // space, as an EVA would, and deletes the transfer vessel: kTransferSentOutside, or
    // kNone when no crew vessel could be made and the transfer vessel stays for the next pass.
    ArrivalResult SendOutUnnamedTransfer(AirlockLink& link);
};

}  // namespace crew
