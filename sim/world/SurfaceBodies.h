// The celestial bodies whose surface the stand-in models, with the simulator's own figures for
// them (its body configuration files): each a sphere of the body's mean radius, on which a landed
// vessel stands where no terrain is loaded, that turns about the global y axis (the north pole)
// once in its sidereal rotation period, eastwards for a positive period; and its mass, from which
// the simulator works out surface gravity with its own gravitational constant. Other bodies have
// no surface here.
#pragma once

#include <string_view>

namespace sim {

struct SurfaceBody {
    std::string_view name;
    double meanRadius;   // m
    double siderealDay;  // s; negative: the body turns westwards
    double mass;         // kg
};

// The simulator's gravitational constant, m^3 kg^-1 s^-2.
inline constexpr double kGravitationalConstant = 6.67259e-11;

// clang-format off
inline constexpr SurfaceBody kSurfaceBodies[] = {
    {"Mercury", 2.4394e6,   5067034.512,  3.301880e+23},
    {"Venus",   6.05184e6, -20996797.02,  4.86855374e+24},
    {"Earth",   6.37101e6,  86164.10132,  5.973698968e+24},
    {"Moon",    1.738e6,    2360588.15,   7.347673176382784e+22},
    {"Mars",    3.39e6,     88642.66435,  6.418542e+23},
};
// clang-format on

// Gravity at the body's mean radius, m/s^2: G M / R^2, as the simulator works it out.
constexpr double SurfaceGravity(const SurfaceBody& body) {
    return kGravitationalConstant * body.mass / (body.meanRadius * body.meanRadius);
}

// The body of that name (letter case ignored), or null when the stand-in gives it no surface.
const SurfaceBody* FindSurfaceBody(std::string_view name);

}  // namespace sim
