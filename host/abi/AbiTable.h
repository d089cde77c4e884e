// The simulator's binary interface on Windows, x64 and x86, as measured on the simulator's own
// interface (its 2024 line) compiled in the MSVC C++ ABI: the facts the project's declarations in
// host/ must keep for Quillmar.dll to work inside the real orbiter.exe. Data only, in lists that
// expand a macro X given by the user of each list:
//   - scripts/check-abi.py compiles host/abi/AbiProbe.cpp against host/ (and against a user's own
//     installation when given one) for both targets and compares the compiler's vtable layouts,
//     record layouts and decorated names with these lists, naming each slot, field or constant
//     that differs;
//   - the Windows test host (tests/orbiter-host) calls the module's callbacks through the slots
//     listed here, never through host/Vessel.h's virtual functions, so that a slot fault in those
//     declarations cannot hide behind a test host that shares them.
// A value that depends on the architecture is given twice: x64, then x86.
#pragma once

// The vessel callbacks in vtable order. VESSEL declares no virtual function: slot 0 is the first
// entry of the table that the vftable pointer at the start of a VESSEL2 object points to. Each
// entry: the class that introduces the callback, its name, its slot (the same on x64 and x86), the
// decorated names of its base implementation that orbiter.exe exports (x64, x86).
// clang-format off
#define QM_ABI_VESSEL_CALLBACKS(X) \
    X(VESSEL2, clbkSetClassCaps, 0, "?clbkSetClassCaps@VESSEL2@@UEAAXPEAX@Z", "?clbkSetClassCaps@VESSEL2@@UAEXPAX@Z") \
    X(VESSEL2, clbkSaveState, 1, "?clbkSaveState@VESSEL2@@UEAAXPEAX@Z", "?clbkSaveState@VESSEL2@@UAEXPAX@Z") \
    X(VESSEL2, clbkLoadStateEx, 2, "?clbkLoadStateEx@VESSEL2@@UEAAXPEAX0@Z", "?clbkLoadStateEx@VESSEL2@@UAEXPAX0@Z") \
    X(VESSEL2, clbkSetStateEx, 3, "?clbkSetStateEx@VESSEL2@@UEAAXPEBX@Z", "?clbkSetStateEx@VESSEL2@@UAEXPBX@Z") \
    X(VESSEL2, clbkPostCreation, 4, "?clbkPostCreation@VESSEL2@@UEAAXXZ", "?clbkPostCreation@VESSEL2@@UAEXXZ") \
    X(VESSEL2, clbkFocusChanged, 5, "?clbkFocusChanged@VESSEL2@@UEAAX_NPEAX1@Z", "?clbkFocusChanged@VESSEL2@@UAEX_NPAX1@Z") \
    X(VESSEL2, clbkPreStep, 6, "?clbkPreStep@VESSEL2@@UEAAXNNN@Z", "?clbkPreStep@VESSEL2@@UAEXNNN@Z") \
    X(VESSEL2, clbkPostStep, 7, "?clbkPostStep@VESSEL2@@UEAAXNNN@Z", "?clbkPostStep@VESSEL2@@UAEXNNN@Z") \
    X(VESSEL2, clbkPlaybackEvent, 8, "?clbkPlaybackEvent@VESSEL2@@UEAA_NNNPEBD0@Z", "?clbkPlaybackEvent@VESSEL2@@UAE_NNNPBD0@Z") \
    X(VESSEL2, clbkVisualCreated, 9, "?clbkVisualCreated@VESSEL2@@UEAAXPEAXH@Z", "?clbkVisualCreated@VESSEL2@@UAEXPAXH@Z") \
    X(VESSEL2, clbkVisualDestroyed, 10, "?clbkVisualDestroyed@VESSEL2@@UEAAXPEAXH@Z", "?clbkVisualDestroyed@VESSEL2@@UAEXPAXH@Z") \
    X(VESSEL2, clbkDrawHUD, 11, "?clbkDrawHUD@VESSEL2@@UEAAXHPEBUHUDPAINTSPEC@@PEAUHDC__@@@Z", "?clbkDrawHUD@VESSEL2@@UAEXHPBUHUDPAINTSPEC@@PAUHDC__@@@Z") \
    X(VESSEL2, clbkRCSMode, 12, "?clbkRCSMode@VESSEL2@@UEAAXH@Z", "?clbkRCSMode@VESSEL2@@UAEXH@Z") \
    X(VESSEL2, clbkADCtrlMode, 13, "?clbkADCtrlMode@VESSEL2@@UEAAXK@Z", "?clbkADCtrlMode@VESSEL2@@UAEXK@Z") \
    X(VESSEL2, clbkHUDMode, 14, "?clbkHUDMode@VESSEL2@@UEAAXH@Z", "?clbkHUDMode@VESSEL2@@UAEXH@Z") \
    X(VESSEL2, clbkMFDMode, 15, "?clbkMFDMode@VESSEL2@@UEAAXHH@Z", "?clbkMFDMode@VESSEL2@@UAEXHH@Z") \
    X(VESSEL2, clbkNavMode, 16, "?clbkNavMode@VESSEL2@@UEAAXH_N@Z", "?clbkNavMode@VESSEL2@@UAEXH_N@Z") \
    X(VESSEL2, clbkDockEvent, 17, "?clbkDockEvent@VESSEL2@@UEAAXHPEAX@Z", "?clbkDockEvent@VESSEL2@@UAEXHPAX@Z") \
    X(VESSEL2, clbkAnimate, 18, "?clbkAnimate@VESSEL2@@UEAAXN@Z", "?clbkAnimate@VESSEL2@@UAEXN@Z") \
    X(VESSEL2, clbkConsumeDirectKey, 19, "?clbkConsumeDirectKey@VESSEL2@@UEAAHPEAD@Z", "?clbkConsumeDirectKey@VESSEL2@@UAEHPAD@Z") \
    X(VESSEL2, clbkConsumeBufferedKey, 20, "?clbkConsumeBufferedKey@VESSEL2@@UEAAHK_NPEAD@Z", "?clbkConsumeBufferedKey@VESSEL2@@UAEHK_NPAD@Z") \
    X(VESSEL2, clbkLoadGenericCockpit, 21, "?clbkLoadGenericCockpit@VESSEL2@@UEAA_NXZ", "?clbkLoadGenericCockpit@VESSEL2@@UAE_NXZ") \
    X(VESSEL2, clbkLoadPanel, 22, "?clbkLoadPanel@VESSEL2@@UEAA_NH@Z", "?clbkLoadPanel@VESSEL2@@UAE_NH@Z") \
    X(VESSEL2, clbkPanelMouseEvent, 23, "?clbkPanelMouseEvent@VESSEL2@@UEAA_NHHHH@Z", "?clbkPanelMouseEvent@VESSEL2@@UAE_NHHHH@Z") \
    X(VESSEL2, clbkPanelRedrawEvent, 24, "?clbkPanelRedrawEvent@VESSEL2@@UEAA_NHHPEAX@Z", "?clbkPanelRedrawEvent@VESSEL2@@UAE_NHHPAX@Z") \
    X(VESSEL2, clbkLoadVC, 25, "?clbkLoadVC@VESSEL2@@UEAA_NH@Z", "?clbkLoadVC@VESSEL2@@UAE_NH@Z") \
    X(VESSEL2, clbkVCMouseEvent, 26, "?clbkVCMouseEvent@VESSEL2@@UEAA_NHHAEATVECTOR3@@@Z", "?clbkVCMouseEvent@VESSEL2@@UAE_NHHAATVECTOR3@@@Z") \
    X(VESSEL2, clbkVCRedrawEvent, 27, "?clbkVCRedrawEvent@VESSEL2@@UEAA_NHHPEAX@Z", "?clbkVCRedrawEvent@VESSEL2@@UAE_NHHPAX@Z") \
    X(VESSEL3, clbkPanelMouseEvent, 28, "?clbkPanelMouseEvent@VESSEL3@@UEAA_NHHHHPEAX@Z", "?clbkPanelMouseEvent@VESSEL3@@UAE_NHHHHPAX@Z") \
    X(VESSEL3, clbkPanelRedrawEvent, 29, "?clbkPanelRedrawEvent@VESSEL3@@UEAA_NHHPEAX0@Z", "?clbkPanelRedrawEvent@VESSEL3@@UAE_NHHPAX0@Z") \
    X(VESSEL3, clbkGeneric, 30, "?clbkGeneric@VESSEL3@@UEAAHHHPEAX@Z", "?clbkGeneric@VESSEL3@@UAEHHHPAX@Z") \
    X(VESSEL3, clbkLoadPanel2D, 31, "?clbkLoadPanel2D@VESSEL3@@UEAA_NHPEAXKK@Z", "?clbkLoadPanel2D@VESSEL3@@UAE_NHPAXKK@Z") \
    X(VESSEL3, clbkDrawHUD, 32, "?clbkDrawHUD@VESSEL3@@UEAA_NHPEBUHUDPAINTSPEC@@PEAVSketchpad@oapi@@@Z", "?clbkDrawHUD@VESSEL3@@UAE_NHPBUHUDPAINTSPEC@@PAVSketchpad@oapi@@@Z") \
    X(VESSEL3, clbkRenderHUD, 33, "?clbkRenderHUD@VESSEL3@@UEAAXHPEBUHUDPAINTSPEC@@PEAX@Z", "?clbkRenderHUD@VESSEL3@@UAEXHPBUHUDPAINTSPEC@@PAX@Z") \
    X(VESSEL3, clbkGetRadiationForce, 34, "?clbkGetRadiationForce@VESSEL3@@UEAAXAEBTVECTOR3@@AEAT2@1@Z", "?clbkGetRadiationForce@VESSEL3@@UAEXABTVECTOR3@@AAT2@1@Z") \
    X(VESSEL4, clbkNavProcess, 35, "?clbkNavProcess@VESSEL4@@UEAAHH@Z", "?clbkNavProcess@VESSEL4@@UAEHH@Z")

// Object layout of the vessel classes: the offset of each data member inside a VESSEL and inside a
// VESSEL2 (the same in VESSEL3 and VESSEL4, which add no data), x64 and x86. A VESSEL2 begins with
// its vftable pointer; its VESSEL base follows it.
#define QM_ABI_VESSEL_MEMBERS(X) \
    X(vessel, 0, 0, 8, 4) \
    X(flightmodel, 8, 4, 16, 8) \
    X(version, 10, 6, 18, 10)

// Size and alignment of each class that crosses the boundary: x64 size, x86 size, x64 alignment,
// x86 alignment. A class derived from VESSEL4 places its own members after its 24 (x64) or 12
// (x86) bytes, rounded up to each member's alignment.
#define QM_ABI_CLASS_SIZES(X) \
    X(VESSEL, 16, 8, 8, 4) \
    X(VESSEL2, 24, 12, 8, 4) \
    X(VESSEL3, 24, 12, 8, 4) \
    X(VESSEL4, 24, 12, 8, 4) \
    X(oapi::Sketchpad, 16, 8, 8, 4)

// The value structs and unions the module hands to the simulator or gets from it: size, then
// alignment, x64 and x86 ...
#define QM_ABI_STRUCT_SIZES(X) \
    X(VECTOR3, 24, 24, 8, 8) \
    X(MATRIX3, 72, 72, 8, 8) \
    X(VESSELSTATUS, 504, 496, 8, 8) \
    X(PARTICLESTREAMSPEC, 120, 120, 8, 8) \
    X(HUDPAINTSPEC, 32, 32, 8, 8) \
    X(TOUCHDOWNVTX, 56, 56, 8, 8)

// ... and the offset of each member, x64 and x86.
#define QM_ABI_STRUCT_MEMBERS(X) \
    X(VECTOR3, data, 0, 0) \
    X(VECTOR3, x, 0, 0) \
    X(VECTOR3, y, 8, 8) \
    X(VECTOR3, z, 16, 16) \
    X(MATRIX3, data, 0, 0) \
    X(MATRIX3, m11, 0, 0) \
    X(MATRIX3, m12, 8, 8) \
    X(MATRIX3, m13, 16, 16) \
    X(MATRIX3, m21, 24, 24) \
    X(MATRIX3, m22, 32, 32) \
    X(MATRIX3, m23, 40, 40) \
    X(MATRIX3, m31, 48, 48) \
    X(MATRIX3, m32, 56, 56) \
    X(MATRIX3, m33, 64, 64) \
    X(VESSELSTATUS, rpos, 0, 0) \
    X(VESSELSTATUS, rvel, 24, 24) \
    X(VESSELSTATUS, vrot, 48, 48) \
    X(VESSELSTATUS, arot, 72, 72) \
    X(VESSELSTATUS, fuel, 96, 96) \
    X(VESSELSTATUS, eng_main, 104, 104) \
    X(VESSELSTATUS, eng_hovr, 112, 112) \
    X(VESSELSTATUS, rbody, 120, 120) \
    X(VESSELSTATUS, base, 128, 124) \
    X(VESSELSTATUS, port, 136, 128) \
    X(VESSELSTATUS, status, 140, 132) \
    X(VESSELSTATUS, vdata, 144, 136) \
    X(VESSELSTATUS, fdata, 384, 376) \
    X(VESSELSTATUS, flag, 464, 456) \
    X(PARTICLESTREAMSPEC, flags, 0, 0) \
    X(PARTICLESTREAMSPEC, srcsize, 8, 8) \
    X(PARTICLESTREAMSPEC, srcrate, 16, 16) \
    X(PARTICLESTREAMSPEC, v0, 24, 24) \
    X(PARTICLESTREAMSPEC, srcspread, 32, 32) \
    X(PARTICLESTREAMSPEC, lifetime, 40, 40) \
    X(PARTICLESTREAMSPEC, growthrate, 48, 48) \
    X(PARTICLESTREAMSPEC, atmslowdown, 56, 56) \
    X(PARTICLESTREAMSPEC, ltype, 64, 64) \
    X(PARTICLESTREAMSPEC, levelmap, 68, 68) \
    X(PARTICLESTREAMSPEC, lmin, 72, 72) \
    X(PARTICLESTREAMSPEC, lmax, 80, 80) \
    X(PARTICLESTREAMSPEC, atmsmap, 88, 88) \
    X(PARTICLESTREAMSPEC, amin, 96, 96) \
    X(PARTICLESTREAMSPEC, amax, 104, 104) \
    X(PARTICLESTREAMSPEC, tex, 112, 112) \
    X(HUDPAINTSPEC, W, 0, 0) \
    X(HUDPAINTSPEC, H, 4, 4) \
    X(HUDPAINTSPEC, CX, 8, 8) \
    X(HUDPAINTSPEC, CY, 12, 12) \
    X(HUDPAINTSPEC, Scale, 16, 16) \
    X(HUDPAINTSPEC, Markersize, 24, 24) \
    X(TOUCHDOWNVTX, pos, 0, 0) \
    X(TOUCHDOWNVTX, stiffness, 24, 24) \
    X(TOUCHDOWNVTX, damping, 32, 32) \
    X(TOUCHDOWNVTX, mu, 40, 40) \
    X(TOUCHDOWNVTX, mu_lng, 48, 48)

// The handle types, each a plain `void *`, 8 bytes on x64 and 4 on x86.
#define QM_ABI_HANDLES(X) \
    X(OBJHANDLE) X(VISHANDLE) X(MESHHANDLE) X(SURFHANDLE) X(PANELHANDLE) X(FILEHANDLE) \
    X(THRUSTER_HANDLE) X(THGROUP_HANDLE) X(PROPELLANT_HANDLE) X(PSTREAM_HANDLE) X(DOCKHANDLE) \
    X(ATTACHMENTHANDLE)

// The slots of oapi::Sketchpad's virtual functions that host/Sketchpad.h declares (the simulator's
// class has more after them). Slot 0 is the destructor.
#define QM_ABI_SKETCHPAD_SLOTS(X) \
    X(SetFont, 1) \
    X(SetPen, 2) \
    X(SetBrush, 3) \
    X(SetTextAlign, 4) \
    X(SetTextColor, 5) \
    X(SetBackgroundColor, 6) \
    X(SetBackgroundMode, 7) \
    X(GetCharSize, 8) \
    X(GetTextWidth, 9) \
    X(SetOrigin, 10) \
    X(GetOrigin, 11) \
    X(Text, 12) \
    X(TextBox, 13)

// Constants: their values are the same on both architectures. Key codes are scan codes, the
// index of the key in the key-state array.
#define QM_ABI_CONSTANTS(X) \
    X(OAPI_KEY_1, 0x02) \
    X(OAPI_KEY_2, 0x03) \
    X(OAPI_KEY_Q, 0x10) \
    X(OAPI_KEY_E, 0x12) \
    X(OAPI_KEY_LCONTROL, 0x1D) \
    X(OAPI_KEY_A, 0x1E) \
    X(OAPI_KEY_S, 0x1F) \
    X(OAPI_KEY_LSHIFT, 0x2A) \
    X(OAPI_KEY_C, 0x2E) \
    X(OAPI_KEY_RSHIFT, 0x36) \
    X(OAPI_KEY_SUBTRACT, 0x4A) \
    X(OAPI_KEY_ADD, 0x4E) \
    X(OAPI_KEY_RCONTROL, 0x9D) \
    X(MESHVIS_NEVER, 0x00) \
    X(MESHVIS_EXTERNAL, 0x01) \
    X(MESHVIS_COCKPIT, 0x02) \
    X(MESHVIS_ALWAYS, 0x03) \
    X(MESHVIS_VC, 0x04) \
    X(MESHVIS_EXTPASS, 0x10) \
    X(THGROUP_MAIN, 0) \
    X(THGROUP_RETRO, 1) \
    X(THGROUP_HOVER, 2) \
    X(THGROUP_ATT_PITCHUP, 3) \
    X(THGROUP_ATT_PITCHDOWN, 4) \
    X(THGROUP_ATT_YAWLEFT, 5) \
    X(THGROUP_ATT_YAWRIGHT, 6) \
    X(THGROUP_ATT_BANKLEFT, 7) \
    X(THGROUP_ATT_BANKRIGHT, 8) \
    X(THGROUP_ATT_RIGHT, 9) \
    X(THGROUP_ATT_LEFT, 10) \
    X(THGROUP_ATT_UP, 11) \
    X(THGROUP_ATT_DOWN, 12) \
    X(THGROUP_ATT_FORWARD, 13) \
    X(THGROUP_ATT_BACK, 14) \
    X(PARTICLESTREAMSPEC::EMISSIVE, 0) \
    X(PARTICLESTREAMSPEC::DIFFUSE, 1) \
    X(PARTICLESTREAMSPEC::LVL_FLAT, 0) \
    X(PARTICLESTREAMSPEC::LVL_LIN, 1) \
    X(PARTICLESTREAMSPEC::LVL_SQRT, 2) \
    X(PARTICLESTREAMSPEC::LVL_PLIN, 3) \
    X(PARTICLESTREAMSPEC::LVL_PSQRT, 4) \
    X(PARTICLESTREAMSPEC::ATM_FLAT, 0) \
    X(PARTICLESTREAMSPEC::ATM_PLIN, 1) \
    X(PARTICLESTREAMSPEC::ATM_PLOG, 2) \
    X(oapi::Sketchpad::LEFT, 0) \
    X(oapi::Sketchpad::CENTER, 1) \
    X(oapi::Sketchpad::RIGHT, 2) \
    X(oapi::Sketchpad::TOP, 0) \
    X(oapi::Sketchpad::BASELINE, 1) \
    X(oapi::Sketchpad::BOTTOM, 2) \
    X(oapi::Sketchpad::BK_TRANSPARENT, 0) \
    X(oapi::Sketchpad::BK_OPAQUE, 1)
// clang-format on

namespace abi {

// The callbacks' slots by name: abi::slot::VESSEL3_clbkDrawHUD is 32.
namespace slot {
#define QM_ABI_SLOT_CONSTANT(introducedBy, name, slot, x64Name, x86Name) \
    inline constexpr int introducedBy##_##name = slot;
QM_ABI_VESSEL_CALLBACKS(QM_ABI_SLOT_CONSTANT)
#undef QM_ABI_SLOT_CONSTANT
}  // namespace slot

// Which column of the table this build reads: 0 on x64, 1 on x86.
inline constexpr int kArchitecture = sizeof(void*) == 8 ? 0 : 1;

// VESSEL's data members' offsets by name, {x64, x86}: abi::in_vessel::version[kArchitecture]
// inside a VESSEL, abi::in_vessel2::version[kArchitecture] inside a VESSEL2, 3 or 4.
namespace in_vessel {
#define QM_ABI_MEMBER_OFFSET(member, x64, x86, x64InVessel2, x86InVessel2) \
    inline constexpr int member[2] = {x64, x86};
QM_ABI_VESSEL_MEMBERS(QM_ABI_MEMBER_OFFSET)
#undef QM_ABI_MEMBER_OFFSET
}  // namespace in_vessel
namespace in_vessel2 {
#define QM_ABI_MEMBER_OFFSET(member, x64, x86, x64InVessel2, x86InVessel2) \
    inline constexpr int member[2] = {x64InVessel2, x86InVessel2};
QM_ABI_VESSEL_MEMBERS(QM_ABI_MEMBER_OFFSET)
#undef QM_ABI_MEMBER_OFFSET
}  // namespace in_vessel2

// Where the VESSEL base lies inside a VESSEL2, VESSEL3 or VESSEL4 object. The simulator holds a
// module's vessel by the VESSEL pointer ovcInit returns; the vftable pointer lies this many bytes
// before it.
inline constexpr int kVesselBaseInVessel2 =
    in_vessel2::vessel[kArchitecture] - in_vessel::vessel[kArchitecture];

}  // namespace abi
