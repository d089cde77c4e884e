// The celestial bodies whose surface the stand-in models: each a sphere of its volumetric mean
// radius that turns about the global y axis (the north pole) once in its sidereal rotation period,
// eastwards for a positive period. Figures from the NASA planetary fact sheets (Goddard Space
// Flight Center, "Planetary Fact Sheet - Metric"): volumetric mean radius and sidereal rotation
// period; Earth's period is the IERS value of 23 h 56 min 4.0905 s. Other bodies have no surface
// here.
#pragma once

#include <string_view>

namespace sim {

struct SurfaceBody {
    std::string_view name;
    double meanRadius;   // m
    double siderealDay;  // s; negative: the body turns westwards
};

// clang-format off
inline constexpr SurfaceBody kSurfaceBodies[] = {
    {"Mercury", 2439.7e3,  1407.6 * 3600.0},
    {"Venus",   6051.8e3, -5832.6 * 3600.0},
    {"Earth",   6371.0e3,  86164.0905},
    {"Moon",    1737.4e3,  655.720 * 3600.0},
    {"Mars",    3389.5e3,  24.6229 * 3600.0},
};
// clang-format on

// The body of that name (letter case ignored), or null when the stand-in gives it no surface.
const SurfaceBody* FindSurfaceBody(std::string_view name);

}  // namespace sim
