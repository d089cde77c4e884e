// The crew add-on's version, read from its version file once per module.
#pragma once

namespace addon_version {

// The version number: the one read before, else the number at the start of the version file's
// first line (0 when it does not begin with one), or -1.0 when the file cannot be opened.
float Read();

// Forgets the number read, so that the next Read opens the file again.
void Forget();

}  // namespace addon_version
