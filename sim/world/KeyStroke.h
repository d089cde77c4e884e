// A key as a script writes it: optional "Shift+", "Ctrl+", "Alt+" (any combination), then a
// letter, a digit, "KP+", "KP-" or a scan code "0xNN".
#pragma once

#include <optional>
#include <string_view>

#include "host/Keyboard.h"
#include "host/Platform.h"

namespace sim {

struct KeyStroke {
    DWORD key = 0;  // scan code
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

inline constexpr DWORD kKeyLeftShift = OAPI_KEY_LSHIFT;
inline constexpr DWORD kKeyLeftControl = OAPI_KEY_LCONTROL;
inline constexpr DWORD kKeyLeftAlt = 0x38;

// The parsed key, or nothing when the text is not a key.
std::optional<KeyStroke> ParseKeyStroke(std::string_view text);

}  // namespace sim
