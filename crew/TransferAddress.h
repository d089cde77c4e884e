// Which ship a transfer vessel's name addresses. A ship of this module writes the receiver's
// whole name behind "UMmuT"; a ship that follows the crew add-on's published hand-over cuts the
// vessel's name to a name field's 38 characters, so that a receiver's name of more than 33
// characters stands there cut to its first 33.
#pragma once

#include <cstddef>

#include "host/CrewAddon.h"
#include "host/HostApi.h"

namespace crew {

// The length of a receiver's name that may have been cut.
inline constexpr std::size_t kCutAddressChars =
    crew_addon::kNameFieldChars - crew_addon::kVesselPrefixLength;

enum class Addressee {
    kOwn,    // the scanning ship
    kOther,  // another vessel
    kGone,   // no vessel, or, for a cut name, several that it could be: nobody takes the member
};

// The addressee of the transfer vessel `transfer`, whose name behind the prefix is `address`,
// seen by the ship named `ownName`. A vessel of exactly that name is the addressee; else, when
// the name may have been cut (`whole` false: not a transfer this module sent, which writes the
// whole name), the one ship whose name begins with it that publishes an airlock, so can take
// crew: a vessel that cannot is never the addressee of a cut name.
Addressee ResolveAddress(const char* address, const char* ownName, OBJHANDLE transfer, bool whole);

}  // namespace crew
