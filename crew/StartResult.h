// How the start of a crew manager, and of the link record it binds to, went: one type for both,
// since the manager passes the record's failure on as its own.
#pragma once

namespace crew {

enum class StartResult : int {
    kStarted = 1,
    kNoVessel = -1,        // no handle, or the host has no interface for it
    kAddonMissing = -999,  // the crew add-on's module file is not installed
};

}  // namespace crew
