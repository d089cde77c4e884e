// The host's free functions. Names and handles are the host's; a null handle or interface means
// none. The host implements them; a module resolves them against the host at load time.
//
// The ones the module uses, declared here for every build with the simulator's exact signatures:
// the Windows DLL imports them from orbiter.exe by the names these declarations give them.
#pragma once

#include <cstddef>

#include "host/HostTypes.h"
#include "host/Sketchpad.h"
#include "host/Vessel.h"

// The host's single writable debug line: kDebugStringSize bytes, terminator included. Modules
// write it and the host keeps it; both size it by this.
inline constexpr std::size_t kDebugStringSize = 256;

// Vessels of the simulation, by index.
QM_HOST_API DWORD oapiGetVesselCount();
QM_HOST_API OBJHANDLE oapiGetVesselByIndex(int index);
// Vessels and celestial bodies, the name's letter case ignored.
QM_HOST_API OBJHANDLE oapiGetObjectByName(char* name);
// The handle must be a live vessel's: the host reads through it unchecked.
QM_HOST_API VESSEL* oapiGetVesselInterface(OBJHANDLE hVessel);
// Copies the object's name into `name` as strncpy does: n characters at most, with no terminator
// when the name has n or more. The handle must be a live object's.
QM_HOST_API void oapiGetObjectName(OBJHANDLE hObj, char* name, int n);
QM_HOST_API void oapiGetGlobalPos(OBJHANDLE hObj, VECTOR3* pos);

// Creation gives the new vessel's handle. The host applies the status itself (fuel only with
// flag[0] & 2, thruster levels only with flag[0] & 1, a landed status in its landed encoding)
// without calling the new vessel's clbkSetStateEx. A class without configuration file ends the
// simulator.
QM_HOST_API OBJHANDLE oapiCreateVessel(const char* name, const char* classname,
                                       const VESSELSTATUS& status);
// Marks the vessel for deletion: it stays listed, named and called back until the frame's
// post-step is over; then the last vessel of the list takes its index.
QM_HOST_API bool oapiDeleteVessel(OBJHANDLE hVessel, OBJHANDLE hAlternativeCameraTarget = nullptr);
// Gives the input focus to the vessel (a live vessel's handle, read unchecked); returns the vessel
// that had it.
QM_HOST_API OBJHANDLE oapiSetFocusObject(OBJHANDLE hVessel);

QM_HOST_API double oapiGetEmptyMass(OBJHANDLE hVessel);
QM_HOST_API void oapiSetEmptyMass(OBJHANDLE hVessel, double mass);

// Length of the last simulation step, seconds.
QM_HOST_API double oapiGetSimStep();
// System (wall-clock) time since the simulation started, seconds.
QM_HOST_API double oapiGetSysTime();
// A pseudo-random number in 0..1.
QM_HOST_API double oapiRand();
// The host's debug line, kDebugStringSize bytes.
QM_HOST_API char* oapiDebugString();

// Scenario blocks: one line per call, false after the block's last line.
QM_HOST_API bool oapiReadScenario_nextline(FILEHANDLE scn, char*& line);
// Writes `item string` as one line of the vessel's block.
QM_HOST_API void oapiWriteScenario_string(FILEHANDLE scn, char* item, char* string);

// Exported by the simulator's program though its interface headers do not declare them: a
// module's library entry calls them.
// Called by every module's library entry when it is loaded.
QM_HOST_API void InitLib(HINSTANCE hModule);
// A date text such as "Apr 25 2006" as (year mod 100) * 10000 + month * 100 + day.
QM_HOST_API int Date2Int(char* date);
