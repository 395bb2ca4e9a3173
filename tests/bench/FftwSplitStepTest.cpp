#include "bench/FftwSplitStep.h"

#include "core/GaussianPacket2D.h"
#include "core/PotentialField2D.h"
#include "core/SplitStepFourierSolver2D.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <functional>
#include <stdexcept>

using vxo::ComplexField2D;
using vxo::PotentialField2D;
using vxo::SplitStepFourierSolver2D;
using vxo::bench::FftwSplitStep;

namespace {

constexpr std::uint64_t kNx = 64;
constexpr std::uint64_t kNy = 32;
constexpr float kDx = 0.3f;
constexpr float kDy = 0.45f;

struct Scene {
    ComplexField2D psi;
    PotentialField2D potential;
    SplitStepFourierSolver2D solver;
};

// A moving packet on a grid of unequal cells, the potential painted by
// paint, both tables built as the benchmark builds them.
void prepare(Scene& s, const std::function<void(PotentialField2D&)>& paint)
{
    s.psi.reset(kNx, kNy, kDx, kDy);
    vxo::GaussianPacket2D packet;
    packet.x0 = -2.0f;
    packet.y0 = 0.5f;
    packet.sigma = 1.2f;
    packet.px = 1.5f;
    packet.py = -1.0f;
    vxo::GaussianPacket2D::prepare(s.psi, packet);
    s.potential.reset(kNx, kNy, kDx, kDy);
    paint(s.potential);
    s.solver.configure(vxo::SplitStepParameters{1.0f, 1.0f, 0.02f});
    s.solver.prepareKineticPhase(s.psi);
    s.solver.preparePotentialPhase(s.potential);
}

// NaN when any difference is not a number, so that it fails every bound.
double largestDifference(const ComplexField2D& a, const ComplexField2D& b)
{
    double worst = 0.0;
    for (std::uint64_t c = 0; c < a.size(); ++c) {
        const double d = std::abs(a.data()[c] - b.data()[c]);
        if (!(d <= worst))
            worst = d;
    }
    return worst;
}

double largestModulus(const ComplexField2D& a)
{
    double largest = 0.0;
    for (std::uint64_t c = 0; c < a.size(); ++c)
        largest = std::max(largest, double(std::abs(a.data()[c])));
    return largest;
}

} // namespace

// The benchmark times the solver against this step: it must be the same
// step, keeping the norm as the solver's does and following the solver's
// field to the rounding of the transforms.
TEST(FftwSplitStep, KeepsTheNormAndFollowsTheSolversStep)
{
    struct Case {
        const char* name;
        std::function<void(PotentialField2D&)> paint;
    };
    const Case cases[] = {
        {"free packet", [](PotentialField2D& v) { v.fill(0.0f); }},
        {"harmonic trap", [](PotentialField2D& v) { v.addHarmonic(0.5f, -0.3f, 0.2f, 0.3f, 0.1f); }},
        {"soft bump", [](PotentialField2D& v) { v.addGaussian(1.0f, 0.0f, 1.5f, 2.0f, 2.0f); }},
    };
    constexpr int kSteps = 50;
    for (const Case& c : cases) {
        Scene s;
        prepare(s, c.paint);
        ASSERT_EQ(s.solver.subSteps(), 1u) << c.name << ": the scene must be one the reference can step";
        const double before = s.psi.norm();
        FftwSplitStep reference(s.solver, s.psi, FFTW_ESTIMATE);
        ComplexField2D referenced = s.psi;
        for (int i = 0; i < kSteps; ++i) {
            s.solver.step(s.psi, s.potential);
            reference.step();
        }
        reference.copyTo(referenced);
        EXPECT_NEAR(referenced.norm(), before, 1e-5 * before) << c.name << ": the reference step changes the norm";
        EXPECT_LT(largestDifference(referenced, s.psi), 1e-4 * largestModulus(s.psi))
            << c.name << ": the reference step is not the solver's step";
    }
}

TEST(FftwSplitStep, RefusesTablesItCannotReproduce)
{
    Scene walled;
    // Walls one cell thin and 300 high: the solver takes sub-steps, whose
    // tables the reference does not have.
    prepare(walled, [](PotentialField2D& v) { v.addRectangle(0.0f, 0.0f, 0.3f, 20.0f, 300.0f); });
    ASSERT_GT(walled.solver.subSteps(), 1u);
    EXPECT_THROW(FftwSplitStep(walled.solver, walled.psi, FFTW_ESTIMATE), std::invalid_argument) << "sub-steps";

    Scene other;
    prepare(other, [](PotentialField2D& v) { v.fill(0.0f); });
    ComplexField2D finer;
    finer.reset(2 * kNx, kNy, 0.5f * kDx, kDy);
    EXPECT_THROW(FftwSplitStep(other.solver, finer, FFTW_ESTIMATE), std::invalid_argument) << "another grid";
}
