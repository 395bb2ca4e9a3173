#pragma once

#include "core/SplitStepFourierSolver2D.h"

#include <cstdint>

namespace vxo {

// Forces the sub-step count of a solver's steps, Fourier and magnetic alike
// (0: back to the rule's), so that a convergence measurement can find the
// fewest a run needs. The tables are dropped and rebuilt at the next step.
struct SubStepCountProbe {
    static void force(SplitStepFourierSolver2D& solver, std::uint32_t count)
    {
        if (solver.forcedSubSteps_ == count)
            return;
        solver.forcedSubSteps_ = count;
        solver.potentialPhase_.clear();
    }
};

} // namespace vxo
