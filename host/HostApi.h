// The host's free functions. Names and handles are the host's; a null handle or interface means
// none. The host implements them; a module resolves them against the host at load time.
#pragma once

#include "host/HostTypes.h"
#include "host/Vessel.h"

// Vessels of the simulation, in index (creation) order.
QM_HOST_API DWORD oapiGetVesselCount();
QM_HOST_API OBJHANDLE oapiGetVesselByIndex(int index);
QM_HOST_API OBJHANDLE oapiGetObjectByName(const char* name);
QM_HOST_API VESSEL* oapiGetVesselInterface(OBJHANDLE object);
// Copies the object's name into `name`, at most n - 1 characters, always terminated.
QM_HOST_API void oapiGetObjectName(OBJHANDLE object, char* name, int n);
QM_HOST_API void oapiGetGlobalPos(OBJHANDLE object, VECTOR3* pos);

// Creation gives the new vessel's handle or null.
QM_HOST_API OBJHANDLE oapiCreateVessel(const char* name, const char* className,
                                       const VESSELSTATUS& status);
QM_HOST_API bool oapiDeleteVessel(OBJHANDLE vessel, OBJHANDLE alternativeFocus = nullptr);
// Gives the input focus to the object; returns the object that had it.
QM_HOST_API OBJHANDLE oapiSetFocusObject(OBJHANDLE object);

QM_HOST_API double oapiGetEmptyMass(OBJHANDLE vessel);
QM_HOST_API void oapiSetEmptyMass(OBJHANDLE vessel, double emptyMass);

// Length of the last simulation step, seconds.
QM_HOST_API double oapiGetSimStep();
// System (wall-clock) time since the simulation started, seconds.
QM_HOST_API double oapiGetSysTime();
// A pseudo-random number in 0..1.
QM_HOST_API double oapiRand();
// The host's single writable debug line: kDebugStringSize bytes, terminator included.
inline constexpr int kDebugStringSize = 256;
QM_HOST_API char* oapiDebugString();

// Scenario blocks: one line per call, false after the block's last line.
QM_HOST_API bool oapiReadScenario_nextline(FILEHANDLE scn, char*& line);
// Writes `item value` as one line of the vessel's block.
QM_HOST_API void oapiWriteScenario_string(FILEHANDLE scn, const char* item, const char* value);

// Called by every module's library entry when it is loaded.
QM_HOST_API void InitLib(HINSTANCE module);
// A date text such as "Apr 25 2006" as (year mod 100) * 10000 + month * 100 + day.
QM_HOST_API int Date2Int(const char* date);
