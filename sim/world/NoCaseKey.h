// Hash and equality of names that ignore the case of ASCII letters, as the simulator looks
// objects up by name.
#pragma once

#include <cstddef>
#include <string_view>

#include "sim/text/TextParsing.h"

namespace sim {

struct NoCaseHash {
    std::size_t operator()(std::string_view text) const {
        std::size_t hash = 14695981039346656037ULL;  // FNV-1a over the lower-case letters
        for (const char c : text) {
            const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
            hash = (hash ^ static_cast<unsigned char>(lower)) * 1099511628211ULL;
        }
        return hash;
    }
};

struct NoCaseEqual {
    bool operator()(std::string_view a, std::string_view b) const {
        return text::EqualsNoCase(a, b);
    }
};

}  // namespace sim
