// The end of a run where the simulator itself would end or crash because of what a module did:
// a host call given a handle that is null or no longer valid, a vessel created of a class that is
// not installed. The message names the call or the class; vesselsim prints it and exits with
// status 3. A module fault therefore shows in the stand-in instead of in the game.
#pragma once

#include <stdexcept>
#include <string>

namespace sim {

class HostStop : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

[[noreturn]] inline void StopRun(const std::string& message) { throw HostStop(message); }

}  // namespace sim
