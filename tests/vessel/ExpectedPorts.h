// The docking ports the ship must have, in creation order, and the crew airlock that each one
// places: what the vessel tests check the ship against. A port added to the ship is one row here.
#pragma once

#include <array>
#include <iterator>

namespace quillmar_test {

struct ExpectedPort {
    std::array<double, 3> pos, dir, rot;
    std::array<double, 2> xRange, yRange, zRange;  // the published airlock box
    std::array<double, 3> evaPosition;
    bool opensDoor;  // selecting the port opens the airlock; otherwise the door keeps its state
};

inline constexpr ExpectedPort kExpectedPorts[] = {
    {{0, 0, 207.2}, {0, 0, 1}, {0, 1, 0}, {-15, 15}, {-15, 15}, {194, 224}, {0, 0, 209}, false},
    {{4.57, 0, -4.67},
     {1, 0, 0},
     {0, 0, -1},
     {-15, 15},
     {-15, 15},
     {-15, 15},
     {5.5, 0, -4.67},
     true},
    {{-4.57, 0, -4.67},
     {-1, 0, 0},
     {0, 0, -1},
     {-15, 15},
     {-15, 15},
     {-15, 15},
     {-5.5, 0, -4.67},
     true},
    {{20, 0, 49}, {0, 0, -1}, {1, 0, 0}, {5, 35}, {-15, 15}, {32, 62}, {20, 0, 47}, true},
    {{-20, 0, 49}, {0, 0, -1}, {-1, 0, 0}, {-35, -5}, {-15, 15}, {32, 62}, {-20, 0, 47}, true},
    {{0, -20, 49}, {0, 0, -1}, {0, -1, 0}, {-15, 15}, {-35, -5}, {32, 62}, {0, -20, 47}, true},
    {{0, 20, 49}, {0, 0, -1}, {0, 1, 0}, {-15, 15}, {5, 35}, {32, 62}, {0, 20, 47}, true},
};
inline constexpr int kExpectedPortCount = static_cast<int>(std::size(kExpectedPorts));
inline constexpr int kLastPort = kExpectedPortCount - 1;

}  // namespace quillmar_test
