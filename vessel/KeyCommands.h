// The ship's keyboard commands: which key with which modifiers runs which command. Key codes are
// the host's keyboard (scan) codes.
#pragma once

#include "host/HostTypes.h"

namespace keys {
inline constexpr DWORD k1 = 0x02;
inline constexpr DWORD k2 = 0x03;
inline constexpr DWORD kE = 0x12;
inline constexpr DWORD kA = 0x1E;
inline constexpr DWORD kS = 0x1F;
inline constexpr DWORD kC = 0x2E;
inline constexpr DWORD kNumpadMinus = 0x4A;
inline constexpr DWORD kNumpadPlus = 0x4E;
inline constexpr DWORD kLeftShift = 0x2A;
inline constexpr DWORD kRightShift = 0x36;
inline constexpr DWORD kLeftControl = 0x1D;
inline constexpr DWORD kRightControl = 0x9D;
}  // namespace keys

// A key counts as held when the high bit of its byte in the keyboard state is set.
inline constexpr unsigned char kKeyHeldBit = 0x80;

enum class Modifier {
    Held,
    NotHeld,
    Ignored,
};

enum class KeyCommand {
    ToggleRcsLevel,
    EvaOrTransfer,
    SelectNextMember,
    SelectPreviousMember,
    ToggleAirlock,
    CrewInfo,
    SwitchEvaMesh,
    PreviousDock,
    NextDock,
};

// What the key handler returns to the host.
enum KeyResult : int {
    kKeyLeftToHost = 0,
    kKeyConsumed = 1,
};

struct KeyBinding {
    DWORD key;
    Modifier shift;
    Modifier ctrl;
    KeyCommand command;
    KeyResult result;
};

// Tried in this order; the first binding that matches runs. Alt is never looked at.
inline constexpr KeyBinding kKeyBindings[] = {
    {keys::k1, Modifier::NotHeld, Modifier::Held, KeyCommand::ToggleRcsLevel, kKeyLeftToHost},
    {keys::kE, Modifier::NotHeld, Modifier::NotHeld, KeyCommand::EvaOrTransfer, kKeyConsumed},
    {keys::k1, Modifier::NotHeld, Modifier::NotHeld, KeyCommand::SelectNextMember, kKeyConsumed},
    {keys::k2, Modifier::NotHeld, Modifier::NotHeld, KeyCommand::SelectPreviousMember,
     kKeyConsumed},
    {keys::kA, Modifier::NotHeld, Modifier::NotHeld, KeyCommand::ToggleAirlock, kKeyConsumed},
    {keys::kS, Modifier::Ignored, Modifier::Ignored, KeyCommand::CrewInfo, kKeyConsumed},
    {keys::kC, Modifier::Ignored, Modifier::Ignored, KeyCommand::SwitchEvaMesh, kKeyConsumed},
    {keys::kNumpadMinus, Modifier::Held, Modifier::NotHeld, KeyCommand::PreviousDock, kKeyConsumed},
    {keys::kNumpadPlus, Modifier::Held, Modifier::NotHeld, KeyCommand::NextDock, kKeyConsumed},
};
