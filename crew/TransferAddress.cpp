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

// The one vessel but `transfer` whose name begins with the cut name; null when none or several.
const char* OnlyVesselBeginningWith(const char* cut, OBJHANDLE transfer) {
    const char* found = nullptr;
    const DWORD count = oapiGetVesselCount();
    for (DWORD index = 0; index < count; ++index) {
        const OBJHANDLE handle = oapiGetVesselByIndex(static_cast<int>(index));
        if (handle == transfer) continue;
        const char* name = NameOf(handle);
        if (name == nullptr || std::strncmp(name, cut, kCutAddressChars) != 0) continue;
        if (found != nullptr) return nullptr;
        found = name;
    }
    return found;
}

}  // namespace

Addressee ResolveAddress(const char* address, const char* ownName, OBJHANDLE transfer) {
    const char* found = nullptr;
    if (ownName != nullptr && std::strcmp(address, ownName) == 0) {
        found = ownName;
    } else {
        found = VesselNamed(address);
        if (found == nullptr && BoundedLength(address, kCutAddressChars + 1) == kCutAddressChars) {
            found = OnlyVesselBeginningWith(address, transfer);
        }
    }
    if (found == nullptr) return Addressee::kGone;
    return ownName != nullptr && std::strcmp(found, ownName) == 0 ? Addressee::kOwn
                                                                  : Addressee::kOther;
}

}  // namespace crew
