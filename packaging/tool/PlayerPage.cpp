#include "packaging/tool/PlayerPage.h"

#include <vector>

#include "host/Keyboard.h"

namespace player_page {

std::optional<std::string> BindingName(const quillmar::KeyBinding& binding) {
    const KeyName* key = FindKeyName(binding.key);
    if (key == nullptr) return std::nullopt;
    std::string name;
    if (binding.shift == quillmar::Modifier::Held) name += "Shift+";
    if (binding.ctrl == quillmar::Modifier::Held) name += "Ctrl+";
    return name + key->playerName;
}

std::optional<std::string> KeyTableHtml() {
    std::string html = "<table>\n<tr><th>Key</th><th>What it does</th></tr>\n";
    std::vector<std::string> anyModifier;
    for (const quillmar::KeyBinding& binding : quillmar::kKeyBindings) {
        const auto name = BindingName(binding);
        if (!name) return std::nullopt;
        html += "<tr><td><kbd>" + *name + "</kbd></td><td>" + binding.whatItDoes + "</td></tr>\n";
        if (binding.shift == quillmar::Modifier::Ignored &&
            binding.ctrl == quillmar::Modifier::Ignored) {
            anyModifier.push_back(*name);
        }
    }
    html += "</table>\n";
    if (!anyModifier.empty()) {
        html += anyModifier.size() == 1 ? "<p>Key " : "<p>Keys ";
        for (std::size_t i = 0; i < anyModifier.size(); ++i) {
            if (i > 0) html += i + 1 == anyModifier.size() ? " and " : ", ";
            html += anyModifier[i];
        }
        html += anyModifier.size() == 1 ? " works" : " work";
        html += " with any of Shift, Ctrl and Alt held; the others only as shown.</p>\n";
    }
    return html;
}

std::optional<std::string> MakePage(std::string_view text, std::string& error) {
    const std::string marker = std::string(kKeyTableMarker) + "\n";
    const std::size_t at = text.find(marker);
    if (at == std::string_view::npos || (at > 0 && text[at - 1] != '\n') ||
        text.find(marker, at + 1) != std::string_view::npos) {
        error = "the page needs the key table's marker line once: " + std::string(kKeyTableMarker);
        return std::nullopt;
    }
    const auto table = KeyTableHtml();
    if (!table) {
        error = "a key of the key table has no name";
        return std::nullopt;
    }
    return std::string(text.substr(0, at)) + *table + std::string(text.substr(at + marker.size()));
}

}  // namespace player_page
