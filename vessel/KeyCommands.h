// The ship's keyboard commands: which key with which modifiers runs which command, and what the
// player's page says it does. Key codes are the host's keyboard (scan) codes. A key command is one
// row of kKeyBindings here, its handler in KeyCommands.cpp and its message in Messages.h; the
// player's page lists the keys from this table.
#pragma once

#include <cstddef>
#include <iterator>

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
    // What the key does, as the player's page says it (HTML).
    const char* whatItDoes;
};

// The player's page lists the keys in this order. No keystroke matches two bindings (checked
// below), so the order decides nothing else. Alt is never looked at.
inline constexpr KeyBinding kKeyBindings[] = {
    {OAPI_KEY_E, Modifier::NotHeld, Modifier::NotHeld, KeyCommand::EvaOrTransfer, kKeyConsumed,
     "Sends the selected crew member out through the airlock: on EVA into free space, or, when a "
     "ship is docked at the airlock's port, across into that ship (a transfer)."},
    {OAPI_KEY_1, Modifier::NotHeld, Modifier::NotHeld, KeyCommand::SelectNextMember, kKeyConsumed,
     "Selects the next crew member for EVA or transfer."},
    {OAPI_KEY_2, Modifier::NotHeld, Modifier::NotHeld, KeyCommand::SelectPreviousMember,
     kKeyConsumed, "Selects the previous crew member."},
    {OAPI_KEY_A, Modifier::NotHeld, Modifier::NotHeld, KeyCommand::ToggleAirlock, kKeyConsumed,
     "Opens or closes the airlock. It starts closed."},
    {OAPI_KEY_S, Modifier::Ignored, Modifier::Ignored, KeyCommand::CrewInfo, kKeyConsumed,
     "Shows the crew count and the free seats."},
    {OAPI_KEY_C, Modifier::Ignored, Modifier::Ignored, KeyCommand::SwitchEvaMesh, kKeyConsumed,
     "Gives crew members who leave from now on another suit (mesh). There is no key to switch "
     "back."},
    {OAPI_KEY_ADD, Modifier::Held, Modifier::NotHeld, KeyCommand::NextDock, kKeyConsumed,
     "Moves the airlock to the next docking port (up to port 6). The airlock of a port that a "
     "ship is docked to leads into that ship."},
    {OAPI_KEY_SUBTRACT, Modifier::Held, Modifier::NotHeld, KeyCommand::PreviousDock, kKeyConsumed,
     "Moves the airlock to the previous docking port (down to port 0)."},
    {OAPI_KEY_1, Modifier::NotHeld, Modifier::Held, KeyCommand::ToggleRcsLevel, kKeyLeftToHost,
     "Switches the attitude thrusters between full (200 kN) and low (10 kN) thrust. The setting "
     "is shared by every Quillmar; the key goes on to the simulator as well."},
};

// Whether no keystroke can hold one modifier as both rules want it.
constexpr bool Exclusive(Modifier a, Modifier b) {
    return (a == Modifier::Held && b == Modifier::NotHeld) ||
           (a == Modifier::NotHeld && b == Modifier::Held);
}

constexpr bool NoKeystrokeRunsTwoBindings() {
    for (std::size_t i = 0; i < std::size(kKeyBindings); ++i) {
        for (std::size_t j = i + 1; j < std::size(kKeyBindings); ++j) {
            const KeyBinding& a = kKeyBindings[i];
            const KeyBinding& b = kKeyBindings[j];
            if (a.key == b.key && !Exclusive(a.shift, b.shift) && !Exclusive(a.ctrl, b.ctrl)) {
                return false;
            }
        }
    }
    return true;
}
static_assert(NoKeystrokeRunsTwoBindings(), "two key bindings match one keystroke");

}  // namespace quillmar
