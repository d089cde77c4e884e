// What scripts/check-abi.py compiles, for x64 and x86, to hold a declaration of the simulator's
// interface to the facts of host/abi/AbiTable.h: against the project's own host/ headers, or with
// QM_ABI_PROBE_INSTALLATION against the interface headers of a user's simulator installation.
// Sizes, alignments, offsets and constants are compile-time assertions whose messages name what
// differs; the vtable slots and the decorated names of the callbacks' base implementations are
// read by the script from the compiler's vtable dump and from the object's undefined symbols, made
// by the two classes below. Never linked into anything.
#include <cstddef>
#include <type_traits>

#if defined(QM_ABI_PROBE_INSTALLATION)
#include <Orbitersdk.h>
#else
#include "host/HostApi.h"
#include "host/Keyboard.h"
#endif

#include "host/abi/AbiTable.h"

#pragma clang diagnostic ignored "-Winvalid-offsetof"

namespace {

constexpr long long Pick(long long x64, long long x86) {
    return abi::kArchitecture == 0 ? x64 : x86;
}

// Derived classes reach VESSEL's protected members.
struct VesselMembers : VESSEL {
    static void Check() {
#define QM_ABI_CHECK(member, x64, x86, x64InVessel2, x86InVessel2)   \
    static_assert(offsetof(VesselMembers, member) == Pick(x64, x86), \
                  "VESSEL::" #member ": offset " #x64 " (x64), " #x86 " (x86)");
        QM_ABI_VESSEL_MEMBERS(QM_ABI_CHECK)
#undef QM_ABI_CHECK
    }
};

struct Vessel4Members : VESSEL4 {
    static void Check() {
#define QM_ABI_CHECK(member, x64, x86, x64InVessel2, x86InVessel2)                       \
    static_assert(offsetof(Vessel4Members, member) == Pick(x64InVessel2, x86InVessel2),  \
                  "VESSEL4::" #member ": offset " #x64InVessel2 " (x64), " #x86InVessel2 \
                  " (x86)");
        QM_ABI_VESSEL_MEMBERS(QM_ABI_CHECK)
#undef QM_ABI_CHECK
    }
};

#define QM_ABI_CHECK(type, x64Size, x86Size, x64Align, x86Align)                \
    static_assert(sizeof(type) == Pick(x64Size, x86Size),                       \
                  "sizeof(" #type "): " #x64Size " (x64), " #x86Size " (x86)"); \
    static_assert(alignof(type) == Pick(x64Align, x86Align),                    \
                  "alignof(" #type "): " #x64Align " (x64), " #x86Align " (x86)");
QM_ABI_CLASS_SIZES(QM_ABI_CHECK)
QM_ABI_STRUCT_SIZES(QM_ABI_CHECK)
#undef QM_ABI_CHECK

#define QM_ABI_CHECK(type, member, x64, x86)                \
    static_assert(offsetof(type, member) == Pick(x64, x86), \
                  #type "::" #member ": offset " #x64 " (x64), " #x86 " (x86)");
QM_ABI_STRUCT_MEMBERS(QM_ABI_CHECK)
#undef QM_ABI_CHECK

#define QM_ABI_CHECK(handle) static_assert(std::is_same_v<handle, void*>, #handle " is void *");
QM_ABI_HANDLES(QM_ABI_CHECK)
#undef QM_ABI_CHECK

#define QM_ABI_CHECK(name, value) static_assert((name) == (value), #name " is " #value);
QM_ABI_CONSTANTS(QM_ABI_CHECK)
#undef QM_ABI_CHECK

// The scalar types the decorated names spell: DWORD is K, WORD G, UINT I.
static_assert(std::is_same_v<DWORD, unsigned long>, "DWORD is unsigned long");
static_assert(std::is_same_v<WORD, unsigned short>, "WORD is unsigned short");
static_assert(std::is_same_v<UINT, unsigned int>, "UINT is unsigned int");
static_assert(sizeof(THGROUP_TYPE) == 4 && std::is_signed_v<std::underlying_type_t<THGROUP_TYPE>>,
              "THGROUP_TYPE is a 4-byte signed enum");

// The key-state tests: a key is held when the top bit of its byte is set; the shift and control
// tests each take either key of the pair and only that pair.
struct KeyArray {
    char keys[256];
};
constexpr KeyArray Holding(int key, unsigned char value = 0x80) {
    KeyArray state{};
    state.keys[key] = static_cast<char>(value);
    return state;
}
constexpr KeyArray kLeftShift = Holding(OAPI_KEY_LSHIFT);
constexpr KeyArray kRightShift = Holding(OAPI_KEY_RSHIFT, 0xFF);
constexpr KeyArray kLeftControl = Holding(OAPI_KEY_LCONTROL);
constexpr KeyArray kRightControl = Holding(OAPI_KEY_RCONTROL);
constexpr KeyArray kLowBitsOnly = Holding(OAPI_KEY_LSHIFT, 0x7F);
static_assert(KEYDOWN(kLeftShift.keys, OAPI_KEY_LSHIFT), "KEYDOWN: byte 0x80 is held");
static_assert(KEYDOWN(kRightShift.keys, OAPI_KEY_RSHIFT), "KEYDOWN: byte 0xFF is held");
static_assert(!KEYDOWN(kLowBitsOnly.keys, OAPI_KEY_LSHIFT), "KEYDOWN: byte 0x7F is not held");
static_assert(KEYMOD_SHIFT(kLeftShift.keys) && KEYMOD_SHIFT(kRightShift.keys),
              "KEYMOD_SHIFT: either shift key");
static_assert(!KEYMOD_SHIFT(kLeftControl.keys), "KEYMOD_SHIFT: not a control key");
static_assert(KEYMOD_CONTROL(kLeftControl.keys) && KEYMOD_CONTROL(kRightControl.keys),
              "KEYMOD_CONTROL: either control key");
static_assert(!KEYMOD_CONTROL(kRightShift.keys), "KEYMOD_CONTROL: not a shift key");

}  // namespace

// Classes with a constructor, so that the compiler lays out (and dumps) their vtables, and their
// vtables name every base implementation they inherit.
class AbiProbeVessel : public VESSEL4 {
  public:
    explicit AbiProbeVessel(OBJHANDLE hVessel);
};
AbiProbeVessel::AbiProbeVessel(OBJHANDLE hVessel) : VESSEL4(hVessel) {}

class AbiProbeSketchpad : public oapi::Sketchpad {
  public:
    explicit AbiProbeSketchpad(SURFHANDLE surface);
};
AbiProbeSketchpad::AbiProbeSketchpad(SURFHANDLE surface) : oapi::Sketchpad(surface) {}
