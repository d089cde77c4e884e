// A vessel as `print` shows it: one JSON object with its definition, motion, HUD and state lines.
#pragma once

#include <nlohmann/json.hpp>

namespace sim {

class World;
struct SimVessel;

nlohmann::json DescribeVessel(World& world, SimVessel& vessel);

}  // namespace sim
