#pragma once

#include "core/SplitStepFourierSolver2D.h"

#include <cstdint>

namespace vxo {

// Forces the sub-step count of a solver's steps, Fourier and magnetic alike
// (0: back to the rule's), so that a convergence measurement can find the
// fewest a run needs. The tables are dropped and rebuilt at the next step.
// Reads the sub-steps propagated, the work a tick's budget is spent on.
struct SubStepCountProbe {
    static void force(SplitStepFourierSolver2D& solver, std::uint32_t count)
    {
        if (solver.forcedSubSteps_ == count)
            return;
        solver.forcedSubSteps_ = count;
        solver.potentialPhase_.clear();
    }
    // Sub-steps the solver has propagated so far, those of a call still
    // running included.
    static std::uint64_t propagated(const SplitStepFourierSolver2D& solver) { return solver.subStepsPropagated_; }
};

} // namespace vxo
