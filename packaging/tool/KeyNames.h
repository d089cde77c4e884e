// The ship's keys as a player reads them ("Ctrl+1", "Shift+Numpad +"), from the key table the
// module uses (vessel/KeyCommands.h), so the player's page can be checked against it.
#pragma once

#include <optional>
#include <string>

#include "vessel/KeyCommands.h"

namespace key_names {

// The binding's key with the modifiers it needs held; a modifier the binding ignores or wants
// released is not named. Nothing for a key code without a name here.
std::optional<std::string> BindingName(const quillmar::KeyBinding& binding);

}  // namespace key_names
