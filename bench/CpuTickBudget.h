#pragma once

// The window's step budget on the calling thread's CPU clock while an object
// of this class lives: on the wall clock a loaded machine stretches the
// ticks and the budget cuts them, so that what a tick does would depend on
// the machine's load rather than on the window.

#include "ThreadCpuClock.h"
#include "common/MainWindowProbe.h"

namespace vxo::bench {

class CpuTickBudget {
public:
    CpuTickBudget() : previous_(MainWindowProbe::tickClock()) { MainWindowProbe::setTickClock(&threadCpuMilliseconds); }
    ~CpuTickBudget() { MainWindowProbe::setTickClock(previous_); }
    CpuTickBudget(const CpuTickBudget&) = delete;
    CpuTickBudget& operator=(const CpuTickBudget&) = delete;

private:
    double (*previous_)();
};

} // namespace vxo::bench
