#pragma once

// The calling thread's CPU time: what a piece of work costs whatever else
// the machine runs, unlike the wall clock, which a loaded machine stretches.

#include <ctime>

namespace vxo::bench {

inline double threadCpuMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) * 1e-6;
}

} // namespace vxo::bench
