// A vessel and what is around it drawn as a self-contained SVG document: a top view (x-z) and a
// side view (y-z) to one scale in the vessel's frame, with the hull outline, docking ports, the
// published crew airlock, thrusters, the thruster groups, nearby crew and docked vessels, a scale
// bar and a title. What it shows is worked out in DrawingScene.h; this lays it out on the page.
// For people to look at (not per frame).
#pragma once

#include <string>

namespace sim {

struct DrawingScene;

std::string DrawingSvg(const DrawingScene& scene);

}  // namespace sim
