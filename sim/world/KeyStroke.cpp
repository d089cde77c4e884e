#include "sim/world/KeyStroke.h"

#include <charconv>

#include "sim/text/TextParsing.h"

namespace sim {
namespace {

struct Modifier {
    std::string_view prefix;
    bool KeyStroke::*flag;
};

constexpr Modifier kModifiers[] = {
    {"Shift+", &KeyStroke::shift},
    {"Ctrl+", &KeyStroke::ctrl},
    {"Alt+", &KeyStroke::alt},
};

std::optional<DWORD> ScanCode(std::string_view text) {
    if (text.size() < 3 || text.size() > 4 || !text::StartsWithNoCase(text, "0x")) return {};
    unsigned value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data() + 2, end, value, 16);
    if (error != std::errc{} || ptr != end || value > 0xFF) return {};
    return value;
}

}  // namespace

std::optional<KeyStroke> ParseKeyStroke(std::string_view text) {
    KeyStroke stroke;
    for (bool found = true; found;) {
        found = false;
        for (const auto& modifier : kModifiers) {
            if (text.size() > modifier.prefix.size() &&
                text::StartsWithNoCase(text, modifier.prefix) && !(stroke.*modifier.flag)) {
                stroke.*modifier.flag = true;
                text.remove_prefix(modifier.prefix.size());
                found = true;
            }
        }
    }
    if (auto code = ScanCode(text)) {
        stroke.key = *code;
        return stroke;
    }
    // The keys by the names scripts give them (host/Keyboard.h).
    for (const KeyName& named : kKeyNames) {
        if (text::EqualsNoCase(text, named.scriptName)) {
            stroke.key = named.code;
            return stroke;
        }
    }
    return {};
}

}  // namespace sim
