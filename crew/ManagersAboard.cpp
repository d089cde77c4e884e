#include "crew/ManagersAboard.h"

#include <algorithm>
#include <cstring>

#include "crew/CrewManager.h"
#include "crew/CrewText.h"
#include "crew/MemberLimits.h"
#include "crew/ModuleState.h"

namespace crew {

void ManagerMade(const CrewManager* manager) { TheModuleState().crewManagers.push_back(manager); }

void ManagerGone(const CrewManager* manager) {
    std::vector<const CrewManager*>& managers = TheModuleState().crewManagers;
    const auto found = std::find(managers.begin(), managers.end(), manager);
    if (found != managers.end()) managers.erase(found);
}

bool AboardAShipOfTheModule(const char* memberString) {
    if (memberString == nullptr) return false;
    // Split and cleaned as an arrival's text is when the member comes aboard.
    char idCode[kStoredCodeChars + 1]{};
    char name[kStoredNameChars + 1]{};
    if (const char* hyphen = std::strchr(memberString, '-')) {
        CopyText(idCode, sizeof idCode, memberString,
                 static_cast<std::size_t>(hyphen - memberString));
        CopyText(name, sizeof name, hyphen + 1, kStoredNameChars);
    } else {
        CopyText(name, sizeof name, memberString, kStoredNameChars);
    }
    SanitizeCode(idCode);
    SanitizeName(name);
    for (const CrewManager* manager : TheModuleState().crewManagers) {
        if (manager->HoldsMember(idCode, name)) return true;
    }
    return false;
}

}  // namespace crew
