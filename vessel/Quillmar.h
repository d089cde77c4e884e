// The Quillmar: a very large crewed ship with eight main engines, twenty attitude thrusters and
// seven docking ports. The host creates one object per vessel through ovcInit and drives it
// through the callbacks below. A VESSEL4, as the simulator's own sample vessels are: the simulator
// calls the HUD callback of VESSEL3 and later only.
#pragma once

#include "crew/CrewManager.h"
#include "host/HostApi.h"
#include "vessel/HudMessage.h"
#include "vessel/RotationRateRules.h"
#include "vessel/ShipTables.h"

namespace quillmar {

// Maximum thrust of every attitude thruster, one value for the whole module: new ships create
// their attitude thrusters with it, and the RCS-level key switches it.
extern double rcsThrustLevel;

class Quillmar final : public VESSEL4 {
  public:
    Quillmar(OBJHANDLE hVessel, int flightModel) : VESSEL4(hVessel, flightModel) {}

    // The device-context HUD callback keeps the host's own behaviour: the simulator draws a
    // VESSEL3's HUD through the Sketchpad one below.
    using VESSEL3::clbkDrawHUD;

    void clbkSetClassCaps(FILEHANDLE cfg) override;
    void clbkSaveState(FILEHANDLE scn) override;
    void clbkLoadStateEx(FILEHANDLE scn, void* status) override;
    void clbkPreStep(double simt, double simdt, double mjd) override;
    void clbkPostStep(double simt, double simdt, double mjd) override;
    bool clbkDrawHUD(int mode, const HUDPAINTSPEC* hps, oapi::Sketchpad* skp) override;
    int clbkConsumeBufferedKey(DWORD key, bool down, char* kstate) override;

  private:
    // HUD message line (HudMessage.cpp).
    char* StartHudMessage();
    void PostHudText(const char* text);
    // Posts the text, or, when a message was posted earlier in this frame, adds it behind that
    // message, whose display time goes on: the pilot sees both.
    void PostHudTextBesideThisFrames(const char* text);
    template <typename... Args>
    void PostHudMessage(const char* format, Args... args) {
        FormatHudMessage(StartHudMessage(), sizeof hudMessage, format, args...);
    }

    // Active docking port and the airlock placed at it (DockingPorts.cpp).
    void ActiveDockChanged();
    void PlaceAirlockAtActiveDock();

    // Keyboard commands (KeyCommands.cpp).
    void ToggleRcsLevel();
    void EvaSelectedMember();
    void SelectMember(int direction, const char* message);
    void ToggleAirlock();
    void ShowCrewInfo();
    void SwitchEvaMesh();
    void StepActiveDock(int direction);

    // Set-up steps (ClassCaps.cpp).
    void StartCrew();
    void CreateMainEngines();
    void CreateAttitudeThrusters();
    void CreateDocks();
    // Fills groupScratch with the group's thrusters and creates the group (also when a rate rule
    // restores it).
    void CreateAttitudeGroup(const AttitudeGroup& group);

    // Every member is first written by clbkSetClassCaps; the zero values only keep a callback
    // that the host might call earlier from reading undefined values.
    VECTOR3 mainExhaustPos[kMainEngineCount]{};
    THRUSTER_HANDLE mainThrusters[kMainEngineCount]{};
    THRUSTER_HANDLE rcsThrusters[kAttitudeThrusterCount]{};
    THRUSTER_HANDLE groupScratch[kMaxGroupMembers]{};
    RateDecisions rateDecisions;
    PROPELLANT_HANDLE propellant = nullptr;
    crew::CrewManager crew;
    int selectedSlot = 0;
    char hudMessage[kHudMessageSize]{};
    double hudMessageTimer = 0.0;
    // A message was posted since the last step ended.
    bool hudMessageThisFrame = false;
    int activeDock = 0;
    int transponderChannel = 0;
    char dockedName[kDockedNameSize]{};
};

}  // namespace quillmar
