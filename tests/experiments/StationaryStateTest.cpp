#include "core/ComplexField2D.h"
#include "core/PotentialField2D.h"
#include "core/SplitStepFourierSolver2D.h"
#include "experiments/BoundStates1D.h"

#include <gtest/gtest.h>

#include <complex>

using namespace vxo;

namespace {

// |<a|b>| / (|a| |b|) over the grid.
double overlap(const ComplexField2D& a, const ComplexField2D& b)
{
    std::complex<double> sum = 0.0;
    double na = 0.0, nb = 0.0;
    for (std::uint64_t c = 0; c < a.size(); ++c) {
        const std::complex<double> x(a.data()[c].real(), a.data()[c].imag());
        const std::complex<double> y(b.data()[c].real(), b.data()[c].imag());
        sum += std::conj(x) * y;
        na += std::norm(x);
        nb += std::norm(y);
    }
    return std::abs(sum) / std::sqrt(na * nb);
}

} // namespace

TEST(StationaryState, SquareWellBoundStatesStayStationaryAtTheWindowStep)
{
    // A bound state of a sharp square well only turns its phase. At the
    // window's dt = 0.02 the grid's kinetic range and the well's depth span
    // more than pi per step, and a step that aliases them pumps the state
    // into others.
    const std::uint64_t nx = 256, ny = 8;
    PotentialField2D well(nx, ny, 0.16f, 0.3f);
    well.addRectangle(0.0f, 0.0f, 4.0f, 100.0f, -120.0f);
    BoundStateSettings settings;
    const BoundStateResult states = BoundStates1D::compute(well, settings);
    ASSERT_TRUE(states.ok) << states.message;
    ASSERT_GE(states.states.size(), 2u) << "the well holds a ground and an excited state";
    for (int n = 0; n < 2; ++n) {
        ComplexField2D start(nx, ny, 0.16f, 0.3f);
        ASSERT_TRUE(BoundStates1D::prepareEigenstate(start, states, n));
        ComplexField2D psi = start;
        SplitStepFourierSolver2D solver;
        solver.configure(SplitStepParameters{1.0f, 1.0f, 0.02f});
        double lowest = 1.0;
        for (int s = 0; s < 500; ++s) {
            solver.step(psi, well);
            if (s % 50 == 49)
                lowest = std::min(lowest, overlap(start, psi));
        }
        EXPECT_GT(lowest, 0.999) << "state " << n << " over 10 time units";
    }
}
