// What a vessel name may be, for every way a vessel comes into the stand-in (scenario, script,
// module, test): names travel through the host as C strings and through scenario files as the
// word before a colon, so they hold no blank, separator or control character.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "sim/text/TextParsing.h"

namespace sim {

inline constexpr std::size_t kMaxVesselNameLength = 255;

// Why the name cannot be a vessel's, or nothing when it can.
inline std::optional<std::string> VesselNameFault(std::string_view name) {
    if (name.empty()) return "a vessel name needs at least one character";
    if (name.size() > kMaxVesselNameLength) {
        return "vessel name longer than " + std::to_string(kMaxVesselNameLength) + " characters";
    }
    // ':' ends the name in a scenario's vessel header and ';' starts a comment there.
    if (name.find_first_of(" \t:;") != std::string_view::npos) {
        return "vessel name '" + std::string(name) + "' holds a blank, tab, ':' or ';'";
    }
    // A name with a NUL would be cut in some places and not in others.
    if (text::HasControlCharacter(name)) return "vessel name holds a control character";
    return std::nullopt;
}

}  // namespace sim
