#include "crew/TransferAddress.h"

#include <cstring>

#include "crew/CrewText.h"

namespace crew {

namespace {

const char* NameOf(OBJHANDLE handle) {
    const VESSEL* vessel = handle == nullptr ? nullptr : oapiGetVesselInterface(handle);
    return vessel == nullptr ? nullptr : vessel->GetName();
}

// The vessel that bears exactly the name (the host's look-up by name may ignore letter case).
const char* VesselNamed(const char* name) {
    const char* found = NameOf(oapiGetObjectByName(const_cast<char*>(name)));
    if (found != nullptr && std::strcmp(found, name) == 0) return found;
    if (found == nullptr) return nullptr;
    // Another vessel whose name differs in letter case only; look for the exact one.
    const DWORD count = oapiGetVesselCount();
    for (DWORD index = 0; index < count; ++index) {
        const char* other = NameOf(oapiGetVesselByIndex(static_cast<int>(index)));
        if (other != nullptr && std::strcmp(other, name) == 0) return other;
    }
    return nullptr;
}

// Whether the vessel publishes an airlock: a ship that can take crew.
bool TakesCrew(const VESSEL& vessel) {
    crew_addon::PublishedAirlock airlock;
    return crew_addon::FindPublishedAirlock(vessel, airlock) != nullptr;
}

// The one ship but `transfer` whose name begins with the cut name and that can take crew; null
// when none or several.
const char* OnlyShipBeginningWith(const char* cut, OBJHANDLE transfer) {
    const char* found = nullptr;
    const DWORD count = oapiGetVesselCount();
    for (DWORD index = 0; index < count; ++index) {
        const OBJHANDLE handle = oapiGetVesselByIndex(static_cast<int>(index));
        if (handle == transfer) continue;
        const VESSEL* vessel = handle == nullptr ? nullptr : oapiGetVesselInterface(handle);
        const char* name = vessel == nullptr ? nullptr : vessel->GetName();
        if (name == nullptr || std::strncmp(name, cut, kCutAddressChars) != 0 ||
            !TakesCrew(*vessel)) {
            continue;
        }
        if (found != nullptr) return nullptr;
        found = name;
    }
    return found;
}

}  // namespace

Addressee ResolveAddress(const char* address, const char* ownName, OBJHANDLE transfer, bool whole) {
    const char* found = nullptr;
    if (ownName != nullptr && std::strcmp(address, ownName) == 0) {
        found = ownName;
    } else {
        found = VesselNamed(address);
        if (found == nullptr && !whole &&
            BoundedLength(address, kCutAddressChars + 1) == kCutAddressChars) {
            found = OnlyShipBeginningWith(address, transfer);
        }
    }
    if (found == nullptr) return Addressee::kGone;
    return ownName != nullptr && std::strcmp(found, ownName) == 0 ? Addressee::kOwn
                                                                  : Addressee::kOther;
}

}  // namespace crew
