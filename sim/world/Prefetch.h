// Asks the processor for memory ahead of a pass that will read it. A crowded world's vessels, and
// the modules' objects for them, lie far apart: a pass over many of them would otherwise wait on
// each in turn.
#pragma once

#include <cstddef>

namespace sim {

// How many places ahead of the one it is at a pass asks.
inline constexpr std::size_t kPrefetchAhead = 8;

// The cache lines holding `bytes` from `address` on.
inline void Prefetch(const void* address, std::size_t bytes) {
#if defined(__GNUC__) || defined(__clang__)
    constexpr std::size_t kLine = 64;
    for (std::size_t offset = 0; offset < bytes; offset += kLine) {
        __builtin_prefetch(static_cast<const char*>(address) + offset);
    }
#else
    (void)address;
    (void)bytes;
#endif
}

}  // namespace sim
