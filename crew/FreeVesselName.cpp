#include "crew/FreeVesselName.h"

#include <cstdio>
#include <cstring>

#include "crew/CrewText.h"
#include "host/HostApi.h"

namespace crew {

namespace {

// Numbers tried behind a vessel name that is taken.
constexpr int kMostNameNumbers = 399;

// "%s%i" cut to a name field: the name is shortened so the number always fits.
void NumberedName(const char* name, int number, char (&out)[crew_addon::kNameFieldSize]) {
    char digits[12];
    const int digitChars = std::snprintf(digits, sizeof digits, "%i", number);
    char base[crew_addon::kNameFieldSize];
    CopyText(base, sizeof base, name,
             crew_addon::kNameFieldChars - static_cast<std::size_t>(digitChars));
    JoinText(out, sizeof out, base, digits);
}

}  // namespace

void ChooseFreeVesselName(char (&name)[crew_addon::kNameFieldSize]) {
    if (oapiGetObjectByName(name) == nullptr) return;
    char candidate[crew_addon::kNameFieldSize];
    for (int number = 1; number <= kMostNameNumbers; ++number) {
        NumberedName(name, number, candidate);
        if (oapiGetObjectByName(candidate) == nullptr) break;
    }
    std::memcpy(name, candidate, sizeof name);
}

}  // namespace crew
