// The module's vessel object reached as the simulator reaches it: through the vtable slots and the
// member offsets of the ABI table (host/abi/AbiTable.h), never through host/Vessel.h's virtual
// functions or its layout. The module is built from those declarations; a test host that called
// through them would share any fault in them (a slot moved by a using-declaration, say) and pass
// anyway. Calls from here reach whatever function the module put in the simulator's slot.
#pragma once

#include "host/HostApi.h"
#include "host/abi/AbiTable.h"

namespace by_slot {

// Member functions are __thiscall on x86 (the object in ECX, the arguments on the stack, popped
// by the callee); x64 has a single convention.
#if defined(_M_IX86)
#define QM_MEMBER_CALL __thiscall
#else
#define QM_MEMBER_CALL
#endif

// The VESSEL2 object around the VESSEL interface that ovcInit gave: its vftable pointer lies
// before the VESSEL base.
inline void* Vessel2Object(VESSEL* vessel) {
    return reinterpret_cast<char*>(vessel) - abi::kVesselBaseInVessel2;
}

template <typename Result, typename... Args>
Result Call(VESSEL* vessel, int slot, Args... args) {
    void* object = Vessel2Object(vessel);
    using Function = Result(QM_MEMBER_CALL*)(void*, Args...);
    void* const* table = *static_cast<void* const* const*>(object);
    return reinterpret_cast<Function>(table[slot])(object, args...);
}

inline void SetClassCaps(VESSEL* vessel, FILEHANDLE cfg) {
    Call<void, FILEHANDLE>(vessel, abi::slot::VESSEL2_clbkSetClassCaps, cfg);
}
inline void SaveState(VESSEL* vessel, FILEHANDLE scn) {
    Call<void, FILEHANDLE>(vessel, abi::slot::VESSEL2_clbkSaveState, scn);
}
inline void LoadStateEx(VESSEL* vessel, FILEHANDLE scn, void* status) {
    Call<void, FILEHANDLE, void*>(vessel, abi::slot::VESSEL2_clbkLoadStateEx, scn, status);
}
inline void PreStep(VESSEL* vessel, double simt, double simdt, double mjd) {
    Call<void, double, double, double>(vessel, abi::slot::VESSEL2_clbkPreStep, simt, simdt, mjd);
}
inline void PostStep(VESSEL* vessel, double simt, double simdt, double mjd) {
    Call<void, double, double, double>(vessel, abi::slot::VESSEL2_clbkPostStep, simt, simdt, mjd);
}
inline int ConsumeBufferedKey(VESSEL* vessel, DWORD key, bool down, char* kstate) {
    return Call<int, DWORD, bool, char*>(vessel, abi::slot::VESSEL2_clbkConsumeBufferedKey, key,
                                         down, kstate);
}
// The HUD as the simulator draws it for every vessel of version 2 or more.
inline bool DrawHud(VESSEL* vessel, int mode, const HUDPAINTSPEC* hps, oapi::Sketchpad* skp) {
    return Call<bool, int, const HUDPAINTSPEC*, oapi::Sketchpad*>(
        vessel, abi::slot::VESSEL3_clbkDrawHUD, mode, hps, skp);
}

// VESSEL's `version` member, read at the table's offset.
inline int Version(const VESSEL* vessel) {
    return *reinterpret_cast<const short*>(reinterpret_cast<const char*>(vessel) +
                                           abi::in_vessel::version[abi::kArchitecture]);
}

#undef QM_MEMBER_CALL

}  // namespace by_slot
