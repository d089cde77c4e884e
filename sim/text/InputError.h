// The one way the stand-in reports bad input: a scenario, script, command line or command it
// cannot take. The message names the file and line where there is one.
#pragma once

#include <stdexcept>

namespace sim {

class InputError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace sim
