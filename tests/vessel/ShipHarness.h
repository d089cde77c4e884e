// The stand-in simulator with the Quillmar module registered, and the few steps every ship test
// takes: creating ships, loading scenario blocks, pressing keys and reading what `print` shows.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "sim/Simulator.h"

namespace quillmar_test {

inline constexpr char kWelcome[] =
    "Welcome aboard ! E=EVA 1,2=select UMmu A=Open/Close airlock S=info";
inline constexpr double kRcsMaximum = 200000.0;
inline constexpr double kRcsMinimum = 10000.0;
inline constexpr int kMainEngines = 8;  // thrusters 0 to 7; the attitude thrusters follow

using Vec = std::array<double, 3>;
inline Vec AsVec(const nlohmann::json& value) { return {value[0], value[1], value[2]}; }

// One ship's scenario block, line by line, as it stands between its header and END.
using Block = std::vector<std::string>;
using Ships = std::vector<std::pair<std::string, Block>>;

// Writes a scenario of Quillmar ships with these blocks, in this order; the first has the focus.
inline void WriteScenario(const std::filesystem::path& file, const Ships& ships) {
    std::ofstream out(file);
    out << "BEGIN_ENVIRONMENT\n  System Sol\n  Date MJD 51982.0\nEND_ENVIRONMENT\n";
    out << "BEGIN_FOCUS\n  Ship " << ships.front().first << "\nEND_FOCUS\n";
    out << "BEGIN_SHIPS\n";
    for (const auto& [name, block] : ships) {
        out << name << ":Quillmar\n";
        for (const std::string& line : block) out << "  " << line << "\n";
        out << "END\n";
    }
    out << "END_SHIPS\n";
}

inline void LoadShips(sim::Simulator& sim, const Ships& ships) {
    const auto file = sim.Root() / "test.scn";
    WriteScenario(file, ships);
    sim.LoadScenario(file);
}

// The ship's message line as the next HUD frame draws it (the ship takes the focus).
inline std::string Hud(sim::Simulator& sim, const std::string& ship) {
    sim.SetFocus(sim.FindVessel(ship));
    sim.Frame();
    return sim.HudText(ship);
}

// The ship's published airlock: its child attachment "UMmu", or null.
inline nlohmann::json Airlock(const sim::Simulator& sim, const std::string& ship) {
    const nlohmann::json description = sim.Describe(ship);
    for (const auto& point : description["attachments"]["child"]) {
        if (point["id"] == "UMmu") return point;
    }
    return nullptr;
}

class ShipTest : public testing::Test {
  protected:
    ShipTest() { sim.RegisterModule("Quillmar", QM_MODULE_PATH); }

    void CreateShip(const std::string& name) { sim.CreateVessel(name, "Quillmar"); }
    void LoadShips(const Ships& ships) { quillmar_test::LoadShips(sim, ships); }
    nlohmann::json Describe(const std::string& name) const { return sim.Describe(name); }
    // Presses the key on the ship and returns the handler's result for the press.
    int Key(const std::string& ship, const std::string& keyStroke) {
        return sim.PressKey(ship, keyStroke);
    }
    std::string Hud(const std::string& ship) { return quillmar_test::Hud(sim, ship); }
    nlohmann::json Airlock(const std::string& ship) const {
        return quillmar_test::Airlock(sim, ship);
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
