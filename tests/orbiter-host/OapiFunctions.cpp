// The simulator's free functions that a vessel module imports, answered from the host's world,
// InitLib and Date2Int among them (host/HostApi.h).
#include <cstdio>
#include <cstring>

#include "HostWorld.h"

namespace {

ScenarioBlock* Block(FILEHANDLE scn) { return static_cast<ScenarioBlock*>(scn); }

constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

}  // namespace

// ---- Vessels -----------------------------------------------------------------------------------

DWORD oapiGetVesselCount() { return static_cast<DWORD>(World().LiveVessels().size()); }

OBJHANDLE oapiGetVesselByIndex(int index) {
    const std::vector<Vessel*> live = World().LiveVessels();
    if (index < 0 || static_cast<std::size_t>(index) >= live.size()) return nullptr;
    return live[static_cast<std::size_t>(index)];
}

OBJHANDLE oapiGetObjectByName(char* name) { return World().FindByName(name); }

VESSEL* oapiGetVesselInterface(OBJHANDLE hVessel) {
    Vessel* vessel = World().FindLive(hVessel);
    return vessel != nullptr ? vessel->vesselInterface : nullptr;
}

void oapiGetObjectName(OBJHANDLE hObj, char* name, int n) {
    if (name == nullptr || n <= 0) return;
    const Vessel* vessel = World().FindLive(hObj);
    std::snprintf(name, static_cast<std::size_t>(n), "%s",
                  vessel != nullptr ? vessel->name.c_str() : "");
}

void oapiGetGlobalPos(OBJHANDLE hObj, VECTOR3* pos) {
    const Vessel* vessel = World().FindLive(hObj);
    if (vessel != nullptr && pos != nullptr) *pos = vessel->status.rpos;
}

OBJHANDLE oapiCreateVessel(const char* name, const char* classname, const VESSELSTATUS& status) {
    return World().CreateVessel(name, classname, status);
}

bool oapiDeleteVessel(OBJHANDLE hVessel, OBJHANDLE) {
    HostWorld& world = World();
    return world.DeleteVessel(world.FindLive(hVessel));
}

OBJHANDLE oapiSetFocusObject(OBJHANDLE hVessel) {
    HostWorld& world = World();
    const OBJHANDLE previous = world.focus;
    if (world.FindLive(hVessel) != nullptr) world.focus = hVessel;
    return previous;
}

double oapiGetEmptyMass(OBJHANDLE hVessel) {
    const Vessel* vessel = World().FindLive(hVessel);
    return vessel != nullptr ? vessel->emptyMass : 0.0;
}

void oapiSetEmptyMass(OBJHANDLE hVessel, double mass) {
    if (Vessel* vessel = World().FindLive(hVessel)) vessel->emptyMass = mass;
}

// ---- Time, random numbers, debug line ----------------------------------------------------------

double oapiGetSimStep() { return World().simStep; }
double oapiGetSysTime() { return World().sysTime; }

// A small linear congruential generator: reproducible runs, values in [0, 1).
double oapiRand() {
    unsigned int& state = World().randomState;
    state = state * 1103515245u + 12345u;
    return static_cast<double>((state >> 8) & 0xFFFFFFu) / static_cast<double>(0x1000000);
}

char* oapiDebugString() { return World().debugString; }

// ---- Scenario blocks ---------------------------------------------------------------------------

// Each line is handed out in a buffer of its own that the module may change.
bool oapiReadScenario_nextline(FILEHANDLE scn, char*& line) {
    ScenarioBlock* block = Block(scn);
    if (block == nullptr || block->next >= block->lines.size()) return false;
    block->current = block->lines[block->next++];
    line = block->current.data();
    return true;
}

void oapiWriteScenario_string(FILEHANDLE scn, char* item, char* string) {
    ScenarioBlock* block = Block(scn);
    if (block == nullptr) return;
    std::string text = item != nullptr ? item : "";
    text += ' ';
    text += string != nullptr ? string : "";
    block->written.push_back(text);
}

// ---- Module start-up ---------------------------------------------------------------------------

void InitLib(HINSTANCE hModule) {
    HostWorld& world = World();
    world.initLibModule = hModule;
    ++world.initLibCalls;
}

// "Apr 25 2006" gives 60425: (year mod 100) * 10000 + month * 100 + day; 0 for other texts.
int Date2Int(char* date) {
    HostWorld& world = World();
    world.date2IntTexts.emplace_back(date != nullptr ? date : "");
    if (date == nullptr) return 0;
    char month[4] = {};
    int day = 0;
    int year = 0;
    if (std::sscanf(date, "%3s %d %d", month, &day, &year) != 3) return 0;
    for (int m = 0; m < 12; ++m) {
        if (std::strcmp(month, kMonths[m]) == 0) return (year % 100) * 10000 + (m + 1) * 100 + day;
    }
    return 0;
}
