// Room for the name of a crew vessel's mesh, its terminator included: the crew manager's setting
// and the module-wide name of the next crew vessel's mesh (ModuleState.h) both have it.
#pragma once

#include <cstddef>

namespace crew {

inline constexpr std::size_t kEvaMeshNameSize = 150;

}  // namespace crew
