// The session's transcript: every line kept without its time stamp, and written as it happens,
// behind a "[time] " stamp of simulation time, to an optional stream.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace sim {

class Transcript {
  public:
    void SetStream(std::ostream* stream) { stream_ = stream; }
    void Add(double simulationTime, std::string line);
    const std::vector<std::string>& Lines() const { return lines_; }

  private:
    std::ostream* stream_ = nullptr;
    std::vector<std::string> lines_;
};

}  // namespace sim
