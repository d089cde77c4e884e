#include "packaging/tool/KeyNames.h"

namespace key_names {
namespace {

struct KeyName {
    DWORD key;
    const char* name;
};
constexpr KeyName kKeyNames[] = {
    {OAPI_KEY_1, "1"},
    {OAPI_KEY_2, "2"},
    {OAPI_KEY_E, "E"},
    {OAPI_KEY_A, "A"},
    {OAPI_KEY_S, "S"},
    {OAPI_KEY_C, "C"},
    {OAPI_KEY_SUBTRACT, "Numpad -"},
    {OAPI_KEY_ADD, "Numpad +"},
};

}  // namespace

std::optional<std::string> BindingName(const quillmar::KeyBinding& binding) {
    for (const KeyName& key : kKeyNames) {
        if (key.key != binding.key) continue;
        std::string name;
        if (binding.shift == quillmar::Modifier::Held) name += "Shift+";
        if (binding.ctrl == quillmar::Modifier::Held) name += "Ctrl+";
        return name + key.name;
    }
    return std::nullopt;
}

}  // namespace key_names
