// The mesh for the next crew vessel, module-wide: written by a crew manager's SelectEvaMesh right
// before each spawn and read by that spawn.
#pragma once

namespace crew {

inline constexpr int kEvaMeshNameSize = 150;
inline char evaMeshName[kEvaMeshNameSize]{};

}  // namespace crew
