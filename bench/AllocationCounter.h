// Counts heap allocations (global operator new) while counting is on, split by where the call
// came from: the vessel module's own code, or anything else (the stand-in simulator and the
// standard library it calls, including host functions the module calls).
#pragma once

#include <cstdint>
#include <filesystem>

namespace bench {

// False in sanitizer builds, which keep the runtime's own operator new: nothing is counted.
#ifdef QM_NO_ALLOCATION_COUNT
inline constexpr bool kCountsAllocations = false;
#else
inline constexpr bool kCountsAllocations = true;
#endif

struct AllocationCounts {
    std::uint64_t module = 0;
    std::uint64_t host = 0;
};

// The code of the loaded library whose file is `library` is the module's from now on (throws
// when it is not loaded); an empty path: no code is the module's.
void AttributeToModule(const std::filesystem::path& library);

void StartCountingAllocations();
AllocationCounts StopCountingAllocations();

}  // namespace bench
