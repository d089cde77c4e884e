// A hint to fetch memory into the cache before it is read; no effect on the program's results,
// and nothing at all where the compiler offers no such hint.
#pragma once

#include <cstddef>

namespace sim {

inline constexpr std::size_t kCacheLine = 64;
// Processors commonly fetch a line together with its neighbour in the same aligned pair, so
// data read together is best kept within one pair, and one prefetch brings both lines.
inline constexpr std::size_t kCacheLinePair = 2 * kCacheLine;

inline void Prefetch(const void* address) {
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(address);
#else
    static_cast<void>(address);
#endif
}

}  // namespace sim
