#include "crew/AddonVersion.h"

#include <cctype>
#include <charconv>
#include <cstdio>
#include <cstring>

#include "host/CrewAddon.h"
#include "host/Platform.h"

namespace addon_version {
namespace {

// Characters of the first line that are read.
constexpr int kLineChars = 13;

float cachedVersion = 0.0f;

// A decimal number at the start of the text: leading white space and a sign allowed, anything
// after the number ignored; 0 when the text does not begin with a number.
float ParseVersion(const char* text) {
    while (std::isspace(static_cast<unsigned char>(*text))) ++text;
    bool negative = false;
    if (*text == '+' || *text == '-') negative = *text++ == '-';
    const bool startsWithDigit =
        std::isdigit(static_cast<unsigned char>(text[0])) ||
        (text[0] == '.' && std::isdigit(static_cast<unsigned char>(text[1])));
    if (!startsWithDigit) return 0.0f;
    float value = 0.0f;
    std::from_chars(text, text + std::strlen(text), value, std::chars_format::general);
    return negative ? -value : value;
}

}  // namespace

float Read() {
    if (cachedVersion != 0.0f) return cachedVersion;
    std::FILE* file = platform::OpenFile(crew_addon::kVersionFile, "r");
    if (file == nullptr) return -1.0f;
    char line[kLineChars + 1]{};
    if (std::fgets(line, sizeof line, file) == nullptr) line[0] = '\0';
    std::fclose(file);
    cachedVersion = ParseVersion(line);
    return cachedVersion;
}

void Forget() { cachedVersion = 0.0f; }

}  // namespace addon_version
