// The player's page as the package gives it: the page's text with its key table made from the key
// table the module uses (vessel/KeyCommands.h), each key named as a player reads it ("Ctrl+1",
// "Shift+Numpad +") from the keyboard's names (host/Keyboard.h).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "vessel/KeyCommands.h"

namespace player_page {

// The line of the page's text that the key table takes the place of.
inline constexpr std::string_view kKeyTableMarker =
    "<!-- the key table, made from the ship's key table by quillmar_package page -->";

// The binding's key with the modifiers it needs held; a modifier the binding ignores or wants
// released is not named. Nothing for a key code without a name.
std::optional<std::string> BindingName(const quillmar::KeyBinding& binding);

// The key table in HTML: a row for each binding, in the table's order, then which keys work
// whatever modifier is held. Nothing when a binding's key has no name.
std::optional<std::string> KeyTableHtml();

// The page: `text` with its marker line replaced by the key table. Nothing, with `error` set,
// when the text has no marker line or more than one, or a key has no name.
std::optional<std::string> MakePage(std::string_view text, std::string& error);

}  // namespace player_page
