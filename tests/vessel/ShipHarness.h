// The stand-in simulator with the Quillmar module registered, and the few steps every ship test
// takes: creating ships, loading scenario blocks, pressing keys and reading what `print` shows.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "host/CrewAddon.h"
#include "sim/session/Simulator.h"
#include "testing/PublishedAirlocks.h"
#include "testing/ScenarioBuilder.h"
#include "testing/ShipModule.h"

namespace quillmar_test {

inline constexpr char kWelcome[] =
    "Welcome aboard ! E=EVA 1,2=select UMmu A=Open/Close airlock S=info";
inline constexpr double kRcsMaximum = 200000.0;
inline constexpr double kRcsMinimum = 10000.0;
inline constexpr int kMainEngines = 8;  // thrusters 0 to 7; the attitude thrusters follow
inline constexpr double kScenarioMjd = 51982.0;

using Vec = std::array<double, 3>;
inline Vec AsVec(const nlohmann::json& value) { return {value[0], value[1], value[2]}; }
inline Vec AsVec(const VECTOR3& value) { return {value.x, value.y, value.z}; }

// One ship's scenario block, line by line, as it stands between its header and END.
using Block = test_support::Block;
using Ships = std::vector<std::pair<std::string, Block>>;

// Loads a scenario of Quillmar ships with these blocks, in this order; the first has the focus.
inline void LoadShips(sim::Simulator& sim, const Ships& ships) {
    test_support::ScenarioBuilder scenario;
    scenario.Environment(kScenarioMjd).Focus(ships.front().first);
    for (const auto& [name, block] : ships) scenario.Vessel(name, test_support::kShipClass, block);
    scenario.Load(sim);
}

// The ship's message line as the next HUD frame draws it (the ship takes the focus).
inline std::string Hud(sim::Simulator& sim, const std::string& ship) {
    sim.SetFocus(sim.FindVessel(ship));
    sim.Frame();
    return sim.HudText(ship);
}

class ShipTest : public testing::Test {
  protected:
    ShipTest() { test_support::RegisterShipModule(sim); }

    void CreateShip(const std::string& name) { sim.CreateVessel(name, test_support::kShipClass); }
    void LoadShips(const Ships& ships) { quillmar_test::LoadShips(sim, ships); }
    nlohmann::json Describe(const std::string& name) const { return sim.Describe(name); }
    // Presses the key on the ship and returns the handler's result for the press.
    int Key(const std::string& ship, const std::string& keyStroke) {
        return sim.PressKey(ship, keyStroke);
    }
    std::string Hud(const std::string& ship) { return quillmar_test::Hud(sim, ship); }
    // The ship's published airlock; none when it publishes none.
    std::optional<crew_addon::PublishedAirlock> Airlock(const std::string& ship) const {
        return test_support::PublishedAirlockOf(sim, ship);
    }

    // The attitude thrusters' maximum thrust, in thruster order.
    std::vector<double> AttitudeThrust(const std::string& ship) const {
        std::vector<double> thrust;
        const nlohmann::json thrusters = Describe(ship)["thrusters"];
        for (std::size_t i = kMainEngines; i < thrusters.size(); ++i) {
            thrust.push_back(thrusters[i]["max"].get<double>());
        }
        return thrust;
    }

    sim::Simulator sim;
};

}  // namespace quillmar_test
