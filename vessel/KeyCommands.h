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

struct KeyBinding {
    DWORD key;
    Modifier shift;
    Modifier ctrl;
    KeyCommand command;
    int result;  // what the key handler returns: 1 consumed, 0 left to the host
};

// Tried in this order; the first binding that matches runs. Alt is never looked at.
inline constexpr KeyBinding kKeyBindings[] = {
    {keys::k1, Modifier::NotHeld, Modifier::Held, KeyCommand::ToggleRcsLevel, 0},
    {keys::kE, Modifier::NotHeld, Modifier::NotHeld, KeyCommand::EvaOrTransfer, 1},
    {keys::k1, Modifier::NotHeld, Modifier::NotHeld, KeyCommand::SelectNextMember, 1},
    {keys::k2, Modifier::NotHeld, Modifier::NotHeld, KeyCommand::SelectPreviousMember, 1},
    {keys::kA, Modifier::NotHeld, Modifier::NotHeld, KeyCommand::ToggleAirlock, 1},
    {keys::kS, Modifier::Ignored, Modifier::Ignored, KeyCommand::CrewInfo, 1},
    {keys::kC, Modifier::Ignored, Modifier::Ignored, KeyCommand::SwitchEvaMesh, 1},
    {keys::kNumpadMinus, Modifier::Held, Modifier::NotHeld, KeyCommand::PreviousDock, 1},
    {keys::kNumpadPlus, Modifier::Held, Modifier::NotHeld, KeyCommand::NextDock, 1},
};
