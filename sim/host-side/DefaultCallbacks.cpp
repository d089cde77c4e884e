// The VESSEL2 to VESSEL4 constructors and the default of every callback that does nothing for the
// vessel, as the simulator documents them. Every host compiles this file against host/Vessel.h:
// the stand-in and the Windows test host (tests/orbiter-host).
// Each host defines the callbacks whose defaults act on its record of the vessel (saving and
// loading state, setting the state, drawing the default HUD) itself. A module never compiles it: it
// resolves these against the host.
#include "host/Vessel.h"

namespace {

// The interface version each class reports (VESSEL::version).
constexpr short kVersionVessel2 = 1;
constexpr short kVersionVessel3 = 2;
constexpr short kVersionVessel4 = 3;

}  // namespace

VESSEL2::VESSEL2(OBJHANDLE hVessel, int fmodel) : VESSEL(hVessel, fmodel) {
    version = kVersionVessel2;
}

VESSEL3::VESSEL3(OBJHANDLE hVessel, int fmodel) : VESSEL2(hVessel, fmodel) {
    version = kVersionVessel3;
}

VESSEL4::VESSEL4(OBJHANDLE hVessel, int fmodel) : VESSEL3(hVessel, fmodel) {
    version = kVersionVessel4;
}

// ---- VESSEL2 -----------------------------------------------------------------------------------

void VESSEL2::clbkSetClassCaps(FILEHANDLE) {}
void VESSEL2::clbkPostCreation() {}
void VESSEL2::clbkFocusChanged(bool, OBJHANDLE, OBJHANDLE) {}
void VESSEL2::clbkPreStep(double, double, double) {}
void VESSEL2::clbkPostStep(double, double, double) {}
bool VESSEL2::clbkPlaybackEvent(double, double, const char*, const char*) { return false; }
void VESSEL2::clbkVisualCreated(VISHANDLE, int) {}
void VESSEL2::clbkVisualDestroyed(VISHANDLE, int) {}
void VESSEL2::clbkDrawHUD(int, const HUDPAINTSPEC*, HDC) {}
void VESSEL2::clbkRCSMode(int) {}
void VESSEL2::clbkADCtrlMode(DWORD) {}
void VESSEL2::clbkHUDMode(int) {}
void VESSEL2::clbkMFDMode(int, int) {}
void VESSEL2::clbkNavMode(int, bool) {}
void VESSEL2::clbkDockEvent(int, OBJHANDLE) {}
void VESSEL2::clbkAnimate(double) {}
int VESSEL2::clbkConsumeDirectKey(char*) { return 0; }
int VESSEL2::clbkConsumeBufferedKey(DWORD, bool, char*) { return 0; }
// Every vessel has the generic cockpit view unless it says otherwise.
bool VESSEL2::clbkLoadGenericCockpit() { return true; }
bool VESSEL2::clbkLoadPanel(int) { return false; }
bool VESSEL2::clbkPanelMouseEvent(int, int, int, int) { return false; }
bool VESSEL2::clbkPanelRedrawEvent(int, int, SURFHANDLE) { return false; }
bool VESSEL2::clbkLoadVC(int) { return false; }
bool VESSEL2::clbkVCMouseEvent(int, int, VECTOR3&) { return false; }
bool VESSEL2::clbkVCRedrawEvent(int, int, SURFHANDLE) { return false; }

// ---- VESSEL3 and VESSEL4 -----------------------------------------------------------------------

bool VESSEL3::clbkPanelMouseEvent(int, int, int, int, void*) { return false; }
bool VESSEL3::clbkPanelRedrawEvent(int, int, SURFHANDLE, void*) { return false; }
int VESSEL3::clbkGeneric(int, int, void*) { return 0; }
bool VESSEL3::clbkLoadPanel2D(int, PANELHANDLE, DWORD, DWORD) { return false; }
void VESSEL3::clbkRenderHUD(int, const HUDPAINTSPEC*, SURFHANDLE) {}
void VESSEL3::clbkGetRadiationForce(const VECTOR3&, VECTOR3& F, VECTOR3& pos) {
    F = VECTOR3{};
    pos = VECTOR3{};
}

int VESSEL4::clbkNavProcess(int mode) { return mode; }
