// The host's free functions, acting on the current world. Where the simulator reads through a
// handle without checking it (the interface, the name, the focus), a null or stale handle stops
// the run with a message naming the call; elsewhere a handle that is not a live vessel gives none:
// null or zero. Every function counts itself as a call into the host
// (sim/host-side/HostCallCounter.h).
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "host/HostApi.h"
#include "sim/host-side/HostCallCounter.h"
#include "sim/host-side/HostStop.h"
#include "sim/host-side/LibraryCallLog.h"
#include "sim/scenario/ScenarioLineIo.h"
#include "sim/text/InputError.h"
#include "sim/text/TextParsing.h"
#include "sim/world/World.h"

using sim::SimVessel;
using sim::World;

namespace sim {
namespace {

LibraryCallLog libraryCalls;

// The live vessel of a handle the simulator would read through unchecked.
SimVessel* RequireVessel(OBJHANDLE object, const char* call) {
    SimVessel* vessel = World::LiveVessel(object);
    if (vessel == nullptr) {
        StopRun(std::string(call) + ": " + (object == nullptr ? "null" : "stale") +
                " vessel handle (the simulator would crash here)");
    }
    return vessel;
}

constexpr std::string_view kMonthNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// "Mon DD YYYY" (the form of a build date, day possibly padded with a blank) as
// (year mod 100) * 10000 + month * 100 + day; 0 when the text is no such date.
int DateNumber(const char* date) {
    if (date == nullptr) return 0;
    const auto words = text::Split(date);
    if (words.size() != 3) return 0;
    int month = 0;
    for (int i = 0; i < 12; ++i) {
        if (text::EqualsNoCase(words[0], kMonthNames[i])) month = i + 1;
    }
    const auto day = text::ParseInteger(words[1]);
    const auto year = text::ParseInteger(words[2]);
    if (month == 0 || !day || !year || *day < 1 || *day > 31 || *year < 0 || *year > 9999) return 0;
    return static_cast<int>(*year % 100) * 10000 + month * 100 + static_cast<int>(*day);
}

}  // namespace

const LibraryCallLog& LibraryCalls() { return libraryCalls; }

}  // namespace sim

DWORD oapiGetVesselCount() {
    sim::CountHostCall<"oapiGetVesselCount">();
    World* world = World::Current();
    return world ? static_cast<DWORD>(world->Vessels().size()) : 0;
}

OBJHANDLE oapiGetVesselByIndex(int index) {
    sim::CountHostCall<"oapiGetVesselByIndex">();
    World* world = World::Current();
    if (world == nullptr || index < 0) return nullptr;
    return world->VesselAt(static_cast<std::size_t>(index));
}

OBJHANDLE oapiGetObjectByName(char* name) {
    sim::CountHostCall<"oapiGetObjectByName">();
    World* world = World::Current();
    if (world == nullptr || name == nullptr) return nullptr;
    // Vessels and celestial bodies alike, letter case ignored.
    if (SimVessel* vessel = world->Find(name)) return vessel;
    return const_cast<void*>(world->FindBody(name));
}

VESSEL* oapiGetVesselInterface(OBJHANDLE object) {
    sim::CountHostCall<"oapiGetVesselInterface">();
    SimVessel* vessel = sim::RequireVessel(object, "oapiGetVesselInterface");
    if (World::Current()->faults.hideInterfaces) return nullptr;
    return vessel->vesselInterface;
}

void oapiGetObjectName(OBJHANDLE object, char* name, int n) {
    sim::CountHostCall<"oapiGetObjectName">();
    World* world = World::Current();
    const std::string* bodyName = world ? world->BodyName(object) : nullptr;
    const std::string& objectName =
        bodyName ? *bodyName : sim::RequireVessel(object, "oapiGetObjectName")->name;
    if (name == nullptr || n <= 0) return;
    // As strncpy, which the simulator uses: a name of n characters or more fills the buffer with
    // no terminator; a shorter one is padded with zeros. Called for every crew vessel of every
    // arrival scan: copies, not a format.
    const auto size = static_cast<std::size_t>(n);
    const std::size_t length = std::min(objectName.size(), size);
    std::memcpy(name, objectName.data(), length);
    if (length < size) std::memset(name + length, 0, size - length);
}

void oapiGetGlobalPos(OBJHANDLE object, VECTOR3* pos) {
    sim::CountHostCall<"oapiGetGlobalPos">();
    if (pos == nullptr) return;
    const sim::VesselMotion* motion = World::LiveMotion(object);
    *pos = motion ? motion->pos : VECTOR3{};
}

OBJHANDLE oapiCreateVessel(const char* name, const char* className, const VESSELSTATUS& status) {
    sim::CountHostCall<"oapiCreateVessel">();
    World* world = World::Current();
    if (world == nullptr || name == nullptr || className == nullptr ||
        world->faults.refuseCreateVessel) {
        return nullptr;
    }
    // The simulator ends with an error box when the class has no configuration file.
    if (!world->ClassInstalled(className)) {
        sim::StopRun(std::string("oapiCreateVessel: vessel class ") + className +
                     " is not installed (no Config/Vessels/" + className + ".cfg or Config/" +
                     className + ".cfg in the root; the simulator ends here)");
    }
    try {
        return world->CreateVessel(name, className, status);
    } catch (const sim::InputError&) {
        return nullptr;  // the host refuses the vessel: the module gets no handle
    }
}

bool oapiDeleteVessel(OBJHANDLE vessel, OBJHANDLE alternativeFocus) {
    sim::CountHostCall<"oapiDeleteVessel">();
    SimVessel* doomed = World::LiveVessel(vessel);
    if (doomed == nullptr) return false;
    return World::Current()->DeleteVessel(doomed, World::LiveVessel(alternativeFocus));
}

OBJHANDLE oapiSetFocusObject(OBJHANDLE object) {
    sim::CountHostCall<"oapiSetFocusObject">();
    SimVessel* vessel = sim::RequireVessel(object, "oapiSetFocusObject");
    return World::Current()->SetFocus(vessel);
}

double oapiGetEmptyMass(OBJHANDLE vessel) {
    sim::CountHostCall<"oapiGetEmptyMass">();
    SimVessel* v = World::LiveVessel(vessel);
    return v ? v->emptyMass : 0.0;
}

void oapiSetEmptyMass(OBJHANDLE vessel, double emptyMass) {
    sim::CountHostCall<"oapiSetEmptyMass">();
    if (SimVessel* v = World::LiveVessel(vessel)) v->emptyMass = emptyMass;
}

double oapiGetSimStep() {
    sim::CountHostCall<"oapiGetSimStep">();
    World* world = World::Current();
    return world ? world->simStep : 0.0;
}

double oapiGetSysTime() {
    sim::CountHostCall<"oapiGetSysTime">();
    World* world = World::Current();
    return world ? world->sysTime : 0.0;
}

double oapiRand() {
    sim::CountHostCall<"oapiRand">();
    World* world = World::Current();
    return world ? world->Rand() : 0.0;
}

char* oapiDebugString() {
    sim::CountHostCall<"oapiDebugString">();
    // Without a simulation the line still exists, so a caller can always write into it.
    static char detached[kDebugStringSize];
    World* world = World::Current();
    return world ? world->DebugString() : detached;
}

bool oapiReadScenario_nextline(FILEHANDLE scn, char*& line) {
    sim::CountHostCall<"oapiReadScenario_nextline">();
    return sim::NextScenarioLine(scn, line);
}

void oapiWriteScenario_string(FILEHANDLE scn, char* item, char* value) {
    sim::CountHostCall<"oapiWriteScenario_string">();
    if (item == nullptr) return;
    sim::WriteScenarioLine(scn, item,
                           value != nullptr ? std::string_view(value) : std::string_view());
}

void InitLib(HINSTANCE module) {
    sim::CountHostCall<"InitLib">();
    ++sim::libraryCalls.initLibCalls;
    sim::libraryCalls.lastInitLibModule = module;
}

int Date2Int(char* date) {
    sim::CountHostCall<"Date2Int">();
    ++sim::libraryCalls.date2IntCalls;
    return sim::DateNumber(date);
}
