// A key as a script writes it: optional "Shift+", "Ctrl+", "Alt+" (any combination), then a
// letter, a digit, "KP+", "KP-" or a scan code "0xNN".
#pragma once

#include <optional>
#include <string_view>

#include "host/Platform.h"

namespace sim {

struct KeyStroke {
    DWORD key = 0;  // scan code
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

inline constexpr DWORD kKeyLeftShift = 0x2A;
inline constexpr DWORD kKeyLeftControl = 0x1D;
inline constexpr DWORD kKeyLeftAlt = 0x38;

// The parsed key, or nothing when the text is not a key.
std::optional<KeyStroke> ParseKeyStroke(std::string_view text);

}  // namespace sim
