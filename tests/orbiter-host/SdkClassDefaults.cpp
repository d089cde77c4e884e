// Members of the SDK's other exported classes (celestial bodies, MFDs, plug-in modules, launchpad
// items, camera modes, dialogs, the Sketchpad base). A vessel module never calls them, but built
// with OAPI_IMPLEMENTATION the headers export these classes, and their vtables and inline members
// reference the out-of-line members below, so the program does not link without them. Each does
// what the SDK documents as the default, or nothing.
#include "HostWorld.h"

// ---- Celestial bodies --------------------------------------------------------------------------

bool CELBODY::bEphemeris() const { return false; }
void CELBODY::clbkInit(FILEHANDLE) {}
int CELBODY::clbkEphemeris(double, int, double*) { return 0; }
int CELBODY::clbkFastEphemeris(double, int, double*) { return 0; }
bool CELBODY::clbkAtmParam(double, ATMPARAM*) { return false; }
CELBODY2::~CELBODY2() {}
void CELBODY2::clbkInit(FILEHANDLE cfg) { CELBODY::clbkInit(cfg); }
bool ATMOSPHERE::clbkConstants(ATMCONST*) const { return false; }
bool ATMOSPHERE::clbkParams(const PRM_IN*, PRM_OUT*) { return false; }

// ---- MFDs --------------------------------------------------------------------------------------

MFD::MFD(DWORD w, DWORD h, VESSEL* vessel) : W(w), H(h), cw(0), ch(0), pV(vessel), instr(nullptr) {}
MFD::~MFD() {}
bool MFD2::Update(oapi::Sketchpad*) { return false; }
ExternMFD::~ExternMFD() {}
void ExternMFD::SetVessel(OBJHANDLE hV) { hVessel = hV; }
void ExternMFD::clbkUpdate() {}
void ExternMFD::clbkRefreshDisplay(SURFHANDLE) {}
void ExternMFD::clbkRefreshButtons() {}
void ExternMFD::clbkFocusChanged(OBJHANDLE) {}

// ---- Plug-in modules ---------------------------------------------------------------------------

oapi::Module::~Module() {}
void oapi::Module::clbkSimulationStart(RenderMode) {}
void oapi::Module::clbkSimulationEnd() {}
void oapi::Module::clbkPreStep(double, double, double) {}
void oapi::Module::clbkPostStep(double, double, double) {}
void oapi::Module::clbkFocusChanged(OBJHANDLE, OBJHANDLE) {}
void oapi::Module::clbkTimeAccChanged(double, double) {}
void oapi::Module::clbkDeleteVessel(OBJHANDLE) {}
void oapi::Module::clbkPause(bool) {}

// ---- Launchpad items, camera modes, dialogs ----------------------------------------------------

LaunchpadItem::~LaunchpadItem() {}
char* LaunchpadItem::Name() { return nullptr; }
char* LaunchpadItem::Description() { return nullptr; }
bool LaunchpadItem::OpenDialog(HINSTANCE, HWND, int, DLGPROC) { return false; }
bool LaunchpadItem::clbkOpen(HWND) { return false; }
int LaunchpadItem::clbkWriteConfig() { return 0; }

void CameraMode_Cockpit::Init(char*) {}
void CameraMode_Cockpit::Store(char* str) {
    if (str != nullptr) str[0] = '\0';
}
void CameraMode_Cockpit::GetDescr(char* str, int len) {
    if (str != nullptr && len > 0) str[0] = '\0';
}
void CameraMode_Track::Init(char*) {}
void CameraMode_Track::Store(char* str) {
    if (str != nullptr) str[0] = '\0';
}
void CameraMode_Track::GetDescr(char* str, int len) {
    if (str != nullptr && len > 0) str[0] = '\0';
}
void CameraMode_Ground::Init(char*) {}
void CameraMode_Ground::Store(char* str) {
    if (str != nullptr) str[0] = '\0';
}
void CameraMode_Ground::GetDescr(char* str, int len) {
    if (str != nullptr && len > 0) str[0] = '\0';
}

void ImGuiDialog::Display() {}

// ---- The Sketchpad base: its out-of-line defaults, built on Text and Line ---------------------

oapi::Sketchpad::Sketchpad(SURFHANDLE s) : surf(s) {}
oapi::Sketchpad::~Sketchpad() {}

bool oapi::Sketchpad::TextBox(int x1, int y1, int, int, const char* str, int len) {
    return Text(x1, y1, str, len);
}

void oapi::Sketchpad::Rectangle(int x0, int y0, int x1, int y1) {
    MoveTo(x0, y0);
    LineTo(x1, y0);
    LineTo(x1, y1);
    LineTo(x0, y1);
    LineTo(x0, y0);
}

void oapi::Sketchpad::PolyPolygon(const oapi::IVECTOR2* pt, const int* npt, const int nline) {
    for (int i = 0; i < nline; ++i) {
        Polygon(pt, npt[i]);
        pt += npt[i];
    }
}

void oapi::Sketchpad::PolyPolyline(const oapi::IVECTOR2* pt, const int* npt, const int nline) {
    for (int i = 0; i < nline; ++i) {
        Polyline(pt, npt[i]);
        pt += npt[i];
    }
}
