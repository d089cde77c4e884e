// The checks of a vessel module driven as the simulator drives it, one group per callback area.
#pragma once

// Loads the module, checks its start-up and looks up its three exports. False when the module
// cannot be driven at all (the failures are recorded).
bool LoadModule(const char* path, const char* className);

// Every group in turn: version, creation, class set-up, scenario, keys, frames, HUD, exit and
// unloading. Needs a loaded module.
void RunModuleChecks();
