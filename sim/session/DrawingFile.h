// A vessel's drawing written to a file, from the running simulation: what a script's "draw"
// command and vesselsim's --draw write.
#pragma once

#include <filesystem>
#include <string>

namespace sim {

class Simulator;

// Writes the drawing of the named vessel of the running simulation. Throws InputError when there
// is no such vessel or the file cannot be written.
void WriteVesselDrawing(const Simulator& simulator, const std::string& vessel,
                        const std::filesystem::path& file);

}  // namespace sim
