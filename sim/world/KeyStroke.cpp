#include "sim/world/KeyStroke.h"

#include <charconv>

#include "sim/text/TextParsing.h"

namespace sim {
namespace {

struct NamedKey {
    std::string_view name;
    DWORD code;
};

// PC keyboard scan codes of the keys a script can name.
constexpr NamedKey kNamedKeys[] = {
    {"1", 0x02}, {"2", 0x03},   {"3", 0x04},   {"4", 0x05}, {"5", 0x06}, {"6", 0x07}, {"7", 0x08},
    {"8", 0x09}, {"9", 0x0A},   {"0", 0x0B},   {"Q", 0x10}, {"W", 0x11}, {"E", 0x12}, {"R", 0x13},
    {"T", 0x14}, {"Y", 0x15},   {"U", 0x16},   {"I", 0x17}, {"O", 0x18}, {"P", 0x19}, {"A", 0x1E},
    {"S", 0x1F}, {"D", 0x20},   {"F", 0x21},   {"G", 0x22}, {"H", 0x23}, {"J", 0x24}, {"K", 0x25},
    {"L", 0x26}, {"Z", 0x2C},   {"X", 0x2D},   {"C", 0x2E}, {"V", 0x2F}, {"B", 0x30}, {"N", 0x31},
    {"M", 0x32}, {"KP-", 0x4A}, {"KP+", 0x4E},
};

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
    for (const auto& named : kNamedKeys) {
        if (text::EqualsNoCase(text, named.name)) {
            stroke.key = named.code;
            return stroke;
        }
    }
    return {};
}

}  // namespace sim
