// A simulator on a fresh temporary root, with the probe module registered as class "Probe".
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "sim/session/Simulator.h"

class SimulatorTest : public ::testing::Test {
  protected:
    SimulatorTest();

    // Writes `text` to a file in the root and gives its path.
    std::filesystem::path WriteFile(const std::string& name, const std::string& text) const;
    std::string ReadFile(const std::filesystem::path& path) const;
    // Loads a scenario whose BEGIN_SHIPS section holds `ships`.
    void LoadShips(const std::string& ships);
    VESSEL* Vessel(const std::string& name) const;
    // Whether the transcript holds the line, and how often.
    long Count(const std::string& line) const;

    sim::Simulator sim;
};
