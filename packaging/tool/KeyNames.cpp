#include "packaging/tool/KeyNames.h"

namespace key_names {
namespace {

struct KeyName {
    DWORD key;
    const char* name;
};
constexpr KeyName kKeyNames[] = {
    {keys::k1, "1"},
    {keys::k2, "2"},
    {keys::kE, "E"},
    {keys::kA, "A"},
    {keys::kS, "S"},
    {keys::kC, "C"},
    {keys::kNumpadMinus, "Numpad -"},
    {keys::kNumpadPlus, "Numpad +"},
};

}  // namespace

std::optional<std::string> BindingName(const KeyBinding& binding) {
    for (const KeyName& key : kKeyNames) {
        if (key.key != binding.key) continue;
        std::string name;
        if (binding.shift == Modifier::Held) name += "Shift+";
        if (binding.ctrl == Modifier::Held) name += "Ctrl+";
        return name + key.name;
    }
    return std::nullopt;
}

}  // namespace key_names
