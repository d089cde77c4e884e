// The crew of one vessel: roster, seats, airlock, crew mass bookkeeping, start-up checks of the
// crew add-on, crew lines in the scenario, EVA, transfer and arrivals. Results are small integer
// codes: 1 done, 0 or negative for refusals; a refusal changes nothing.
#pragma once

#include "crew/AirlockLink.h"
#include "crew/CrewMember.h"
#include "host/HostApi.h"

class CrewManager {
  public:
    // Constructed not started: every operation but DefineAirlock, GetLastEvaName,
    // GetLastArrivalName and SelectEvaMesh refuses until Initialize and DefineAirlock succeed.
    CrewManager() = default;

    // Start-up.
    int Initialize(OBJHANDLE vesselHandle);
    void ShowWarnings(const char* addonName);
    float ReadAddonVersion();
    void LoadIdTable();
    void SelectEvaMesh(const char* idCode);

    // Roster and member data.
    int AddMember(const char* name, int age, int pulse, int weight, const char* idCode);
    int RemoveMember(const char* name);
    int GetCrewCount() const;
    const char* GetMemberName(int slot) const;
    int GetAge(int slot) const;
    int GetPulse(int slot) const;
    int SetPulse(int slot, int value);
    int GetWeight(int slot) const;
    const char* GetIdCode(int slot) const;
    int GetAgeByName(const char* name) const;
    int GetPulseByName(const char* name) const;
    int SetPulseByName(const char* name, int value);
    int GetWeightByName(const char* name) const;
    const char* GetIdCodeByName(const char* name) const;

    // Settings, airlock and placement.
    int SetSeatCount(int seats);
    int SetMassBookkeeping(int flag);
    int SetEvaValue(int value);
    int SetSpareValue(int value);
    int SetEvaMesh(const char* mesh);
    int SetEvaPlacement(VECTOR3 position, VECTOR3 angles);
    int SetEjectPlacement(VECTOR3 position, VECTOR3 angles, VECTOR3 velocity);
    int DefineAirlock(int state, float xMin, float xMax, float yMin, float yMax, float zMin,
                      float zMax);
    int SetAirlockState(int state);
    int GetAirlockState();
    int SetTransferDock(int port);

    // The last crossings.
    const char* GetLastEvaName() const;
    const char* GetLastArrivalName() const;
    const char* GetLastEvaVesselName() const;
    OBJHANDLE FindLastEvaVessel();

    // Scenario lines.
    int SaveCrew(FILEHANDLE scn) const;
    int LoadCrewLine(const char* line);

    // Leaving and arriving.
    int EvaMember(const char* name);
    int EjectMember(const char* name);
    int ProcessArrivals();

    // Fields, in order, except the warnings' deadline: every step reads it with `readyFlags` and
    // `airlockOpen`, so it shares their cache line.
    CrewMember roster[102]{};
    double warningUntil = 0.0;
    int readyFlags = 0;
    int crewCount = 0;
    int seatCount = 0;
    double crewMass = 0.0;
    int loadedCount = 0;
    int massBookkeeping = 0;
    int airlockOpen = 0;
    int evaValue = 0;
    int spareValue = 0;
    char evaMesh[150]{};
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
    OBJHANDLE lastEvaVessel = nullptr;
    int linkIndex = -1;
    int addonOutdated = 0;

  private:
    bool Ready() const { return readyFlags == 3; }
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
    void RemoveSlot(int slot);
    // The values of a fresh start, bound to the vessel and its link record.
    void ResetForStart(OBJHANDLE handle, int index);
    // Sends the member in `slot` out, to free space or through the transfer port (EvaMember)
    // or always to free space at the eject placement (EjectMember).
    int LeaveVessel(int slot, bool eject);
};
