// Conversion of a number read from another vessel or from a double field to an integer.
#pragma once

#include <limits>

namespace crew {

// Truncates towards zero; values beyond the integer range give its nearest end, not-a-number 0.
inline int TruncateToInt(double value) {
    if (value != value) return 0;
    if (value >= static_cast<double>(std::numeric_limits<int>::max())) {
        return std::numeric_limits<int>::max();
    }
    if (value <= static_cast<double>(std::numeric_limits<int>::min())) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(value);
}

}  // namespace crew
