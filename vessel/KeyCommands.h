// The ship's keyboard commands: which key with which modifiers runs which command. Key codes are
// the host's keyboard (scan) codes.
#pragma once

#include "host/Keyboard.h"

namespace quillmar {

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
    {OAPI_KEY_1, Modifier::NotHeld, Modifier::Held, KeyCommand::ToggleRcsLevel, kKeyLeftToHost},
    {OAPI_KEY_E, Modifier::NotHeld, Modifier::NotHeld, KeyCommand::EvaOrTransfer, kKeyConsumed},
    {OAPI_KEY_1, Modifier::NotHeld, Modifier::NotHeld, KeyCommand::SelectNextMember, kKeyConsumed},
    {OAPI_KEY_2, Modifier::NotHeld, Modifier::NotHeld, KeyCommand::SelectPreviousMember,
     kKeyConsumed},
    {OAPI_KEY_A, Modifier::NotHeld, Modifier::NotHeld, KeyCommand::ToggleAirlock, kKeyConsumed},
    {OAPI_KEY_S, Modifier::Ignored, Modifier::Ignored, KeyCommand::CrewInfo, kKeyConsumed},
    {OAPI_KEY_C, Modifier::Ignored, Modifier::Ignored, KeyCommand::SwitchEvaMesh, kKeyConsumed},
    {OAPI_KEY_SUBTRACT, Modifier::Held, Modifier::NotHeld, KeyCommand::PreviousDock, kKeyConsumed},
    {OAPI_KEY_ADD, Modifier::Held, Modifier::NotHeld, KeyCommand::NextDock, kKeyConsumed},
};

}  // namespace quillmar
