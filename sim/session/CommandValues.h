// The values the stand-in's commands take, each rule with its message in one place: a script
// checks its lines with them before anything runs, and the simulator's own calls check what they
// are given. Each check throws InputError (without location) when the value cannot be used.
#pragma once

#include <cmath>
#include <string>

#include "sim/text/InputError.h"
#include "sim/text/TextParsing.h"
#include "sim/world/KeyStroke.h"
#include "sim/world/SimVessel.h"

namespace sim {

// Largest port number a command may name.
inline constexpr double kMaxCommandPort = 1000.0;

inline void CheckRunTime(double seconds) {
    if (!std::isfinite(seconds) || seconds < 0.0) {
        throw InputError("run needs a time of 0 seconds or more");
    }
}

inline void CheckStep(double seconds) {
    if (!std::isfinite(seconds) || seconds <= 0.0) {
        throw InputError("step needs a frame length above 0 seconds");
    }
}

inline void CheckWarp(double factor) {
    if (!std::isfinite(factor) || factor <= 0.0) throw InputError("warp needs a factor above 0");
}

inline KeyStroke CheckKey(const std::string& keyStroke) {
    const auto key = ParseKeyStroke(keyStroke);
    if (!key) throw InputError("'" + keyStroke + "' is not a key");
    return *key;
}

// A thruster group type number and a level for it.
inline void CheckThrust(double groupType, double level) {
    if (!(groupType >= 0.0 && groupType < kThrusterGroupTypes)) {
        throw InputError("thruster group type must be 0 to " +
                         std::to_string(kThrusterGroupTypes - 1));
    }
    if (!(level >= 0.0 && level <= 1.0)) throw InputError("thrust level must be 0 to 1");
}

inline void CheckPort(double port) {
    if (port > kMaxCommandPort) {
        throw InputError("port number " + text::FormatNumber(port) + " is too large");
    }
}

}  // namespace sim
