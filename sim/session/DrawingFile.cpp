#include "sim/session/DrawingFile.h"

#include <fstream>

#include "sim/drawing/DrawingScene.h"
#include "sim/drawing/SvgDrawing.h"
#include "sim/session/Simulator.h"
#include "sim/text/InputError.h"
#include "sim/world/World.h"

namespace sim {

void WriteVesselDrawing(const Simulator& simulator, const std::string& vessel,
                        const std::filesystem::path& file) {
    const SimVessel* drawn = World::LiveVessel(simulator.FindVessel(vessel));
    const World* world = World::Current();
    if (drawn == nullptr || world == nullptr) throw InputError("no vessel named " + vessel);
    const std::string svg = DrawingSvg(MakeDrawingScene(*world, *drawn));
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (out) out.write(svg.data(), static_cast<std::streamsize>(svg.size()));
    out.flush();
    if (!out) throw InputError(file.string() + ": cannot write the drawing");
}

}  // namespace sim
