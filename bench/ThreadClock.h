// Processor time of the calling thread, in seconds. The machine is shared and a frame runs on one
// thread, so the benchmarks measure the processor time they use rather than the time that passes.
#pragma once

#include <time.h>

namespace bench {

inline double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

}  // namespace bench
