// The crew add-on's version, read from its version file once per module.
#pragma once

namespace crew {

// The version number: the one read before (kept in the module's state, crew/ModuleState.h), else
// the number at the start of the version file's first line (0 when it does not begin with one),
// or -1.0 when the file cannot be opened.
float ReadAddonVersionFile();

}  // namespace crew
