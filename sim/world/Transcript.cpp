#include "sim/world/Transcript.h"

#include <cstdio>

namespace sim {

void Transcript::Add(double simulationTime, std::string line) {
    if (stream_ != nullptr) {
        char stamp[48];
        std::snprintf(stamp, sizeof stamp, "[%.2f] ", simulationTime);
        *stream_ << stamp << line << '\n';
    }
    lines_.push_back(std::move(line));
}

}  // namespace sim
