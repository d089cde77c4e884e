// The Quillmar: a very large crewed ship with eight main engines, twenty attitude thrusters and
// seven docking ports. The host creates one object per vessel through ovcInit (ModuleExports.cpp)
// and drives it through the callbacks below. A VESSEL4, as the simulator's own sample vessels are:
// the simulator calls the HUD callback of VESSEL3 and later only.
//
// All of the ship's code is in namespace quillmar; only what the host looks up by name stays
// outside it: the exports in ModuleExports.cpp and the library entry in LibraryEntry.cpp.
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

    // Set-up (ClassCaps.cpp).
    void clbkSetClassCaps(FILEHANDLE cfg) override;
    // The ship's block in a scenario (ScenarioState.cpp).
    void clbkSaveState(FILEHANDLE scn) override;
    void clbkLoadStateEx(FILEHANDLE scn, void* status) override;
    // Every frame: arrivals and warnings before the step, the rotation-rate limits after it
    // (StepBehaviour.cpp).
    void clbkPreStep(double simt, double simdt, double mjd) override;
    void clbkPostStep(double simt, double simdt, double mjd) override;
    // The HUD message line (HudMessage.cpp).
    bool clbkDrawHUD(int mode, const HUDPAINTSPEC* hps, oapi::Sketchpad* skp) override;
    // The keys (KeyCommands.cpp; the key table in KeyCommands.h).
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

    // The keyboard commands run on the ship (KeyCommands.cpp).
    friend class KeyCommands;

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
