#include "crew/AddonVersion.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "crew/ModuleState.h"
#include "host/CrewAddon.h"
#include "host/Platform.h"

namespace crew {

namespace {

// Characters of the first line that are read.
constexpr int kLineChars = 13;

// Significant digits kept of a number; the first line holds at most kLineChars characters.
constexpr int kMaxDigits = 18;
constexpr int kMaxExponent = 300;

// A decimal number at the start of the text: leading white space and a sign allowed, digits
// with an optional fraction and exponent, anything after the number ignored; 0 when the text does
// not begin with a number. ReadAddonVersionFile by hand: the C library's readers follow the
// process's locale, and the Windows build's C++ library has no floating-point from_chars.
float ParseVersion(const char* text) {
    while (std::isspace(static_cast<unsigned char>(*text))) ++text;
    bool negative = false;
    if (*text == '+' || *text == '-') negative = *text++ == '-';
    const auto digit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
    if (!digit(text[0]) && !(text[0] == '.' && digit(text[1]))) return 0.0f;

    std::uint64_t mantissa = 0;
    int digits = 0;
    int exponent = 0;
    const auto take = [&](char c, bool fraction) {
        if (digits < kMaxDigits) {
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
            if (mantissa != 0) ++digits;
            if (fraction) --exponent;
        } else if (!fraction) {
            ++exponent;
        }
    };
    for (; digit(*text); ++text) take(*text, false);
    if (*text == '.') {
        for (++text; digit(*text); ++text) take(*text, true);
    }
    if (*text == 'e' || *text == 'E') {
        const char* e = text + 1;
        bool negativeExponent = false;
        if (*e == '+' || *e == '-') negativeExponent = *e++ == '-';
        if (digit(*e)) {
            int written = 0;
            for (; digit(*e); ++e) written = std::min(written * 10 + (*e - '0'), kMaxExponent);
            exponent += negativeExponent ? -written : written;
        }
    }
    const double scale = std::pow(10.0, std::abs(exponent));
    const double value = exponent < 0 ? static_cast<double>(mantissa) / scale
                                      : static_cast<double>(mantissa) * scale;
    // A number beyond a float's range counts as none, as from_chars leaves it.
    if (!(value <= std::numeric_limits<float>::max())) return 0.0f;
    return static_cast<float>(negative ? -value : value);
}

}  // namespace

float ReadAddonVersionFile() {
    float& cachedVersion = TheModuleState().addonVersion;
    if (cachedVersion != 0.0f) return cachedVersion;
    std::FILE* file = platform::OpenFile(crew_addon::kVersionFile, "r");
    if (file == nullptr) return -1.0f;
    char line[kLineChars + 1]{};
    if (std::fgets(line, sizeof line, file) == nullptr) line[0] = '\0';
    std::fclose(file);
    cachedVersion = ParseVersion(line);
    return cachedVersion;
}

}  // namespace crew
