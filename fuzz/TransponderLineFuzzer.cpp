// A scenario line offered to the transponder reader: it reads only within the line, and a channel
// it takes is a number that was written there.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "vessel/TransponderLine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    if (!quillmar::transponder_line::IsTransponderLine(line.c_str())) return 0;
    constexpr int kUntouched = -1;
    int channel = kUntouched;
    if (quillmar::transponder_line::ReadChannel(line.c_str(), channel)) {
        if (channel < 0) std::abort();
    } else if (channel != kUntouched) {
        std::abort();
    }
    return 0;
}
