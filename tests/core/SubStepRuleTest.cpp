#include "core/ComplexField2D.h"
#include "core/FFT2D.h"
#include "core/FourierGrid.h"
#include "core/GaussianPacket2D.h"
#include "core/Numeric.h"
#include "core/PotentialField2D.h"
#include "core/SpectralEnergy2D.h"
#include "core/SplitStepFourierSolver2D.h"

#include "common/SubStepCountProbe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <functional>
#include <string>
#include <vector>

using namespace vxo;

namespace {

SplitStepFourierSolver2D solverAtTheWindowsStep()
{
    SplitStepFourierSolver2D solver;
    solver.configure(SplitStepParameters{1.0f, 1.0f, 0.02f});
    return solver;
}

// sum over the cells that pass the test of |psi|^2 dA.
double probabilityWhere(const ComplexField2D& psi, const std::function<bool(double, double)>& test)
{
    double p = 0.0;
    for (std::uint64_t j = 0; j < psi.ny(); ++j)
        for (std::uint64_t i = 0; i < psi.nx(); ++i)
            if (test(gridCoordinateX(psi, i), gridCoordinateY(psi, j)))
                p += std::norm(psi.at(i, j));
    return p * psi.dx() * psi.dy();
}

// The share of the momentum distribution beyond |k| = kCut.
double shareBeyond(const ComplexField2D& psi, double kCut)
{
    ComplexField2D spectrum = psi;
    FFT2D::forward(spectrum);
    double beyond = 0.0, total = 0.0;
    for (std::uint64_t j = 0; j < psi.ny(); ++j)
        for (std::uint64_t i = 0; i < psi.nx(); ++i) {
            const double kx = fftWaveNumber(i, psi.nx(), psi.dx());
            const double ky = fftWaveNumber(j, psi.ny(), psi.dy());
            const double p = std::norm(spectrum.at(i, j));
            total += p;
            beyond += kx * kx + ky * ky > kCut * kCut ? p : 0.0;
        }
    return beyond / total;
}

// The plain Strang step of dt in `count` equal sub-steps, whatever the
// potential: the solver's step without its sub-step rule, phases in double.
class PlainStrangSteps {
public:
    PlainStrangSteps(const ComplexField2D& grid, const PotentialField2D& v, double dt, int count, double mass = 1.0)
        : count_(count)
    {
        const double tau = dt / count;
        half_.resize(v.size());
        whole_.resize(v.size());
        kinetic_.resize(v.size());
        for (std::uint64_t c = 0; c < v.size(); ++c) {
            half_[c] = Complex(std::polar(1.0, -0.5 * v.data()[c] * tau));
            whole_[c] = Complex(std::polar(1.0, -double(v.data()[c]) * tau));
        }
        for (std::uint64_t j = 0; j < grid.ny(); ++j)
            for (std::uint64_t i = 0; i < grid.nx(); ++i) {
                const double kx = fftWaveNumber(i, grid.nx(), grid.dx());
                const double ky = fftWaveNumber(j, grid.ny(), grid.dy());
                kinetic_[j * grid.nx() + i] = Complex(std::polar(1.0, -0.5 * (kx * kx + ky * ky) * tau / mass));
            }
    }
    void step(ComplexField2D& psi) const
    {
        multiply(psi, half_);
        for (int s = 0; s < count_; ++s) {
            FFT2D::forward(psi);
            multiply(psi, kinetic_);
            FFT2D::inverse(psi);
            multiply(psi, s + 1 < count_ ? whole_ : half_);
        }
    }

private:
    static void multiply(ComplexField2D& psi, const std::vector<Complex>& factors)
    {
        for (std::uint64_t c = 0; c < psi.size(); ++c)
            psi.data()[c] *= factors[c];
    }
    int count_;
    std::vector<Complex> half_, whole_, kinetic_;
};

double spectralEnergy(const ComplexField2D& psi, const PotentialField2D& v, double mass = 1.0)
{
    return SpectralEnergy2D::compute(psi, v, 1.0, mass).total;
}

// The largest relative change of the energy the step conserves over `steps`
// steps, read every few steps.
double largestEnergyDrift(ComplexField2D& psi, const PotentialField2D& v, int steps,
                          const std::function<void(ComplexField2D&)>& step, double mass = 1.0)
{
    const double start = spectralEnergy(psi, v, mass);
    double worst = 0.0;
    for (int s = 1; s <= steps; ++s) {
        step(psi);
        if (s % 5 == 0 || s == steps)
            worst = std::max(worst, std::abs(spectralEnergy(psi, v, mass) / start - 1.0));
    }
    return worst;
}

// 1 - |<a|b>|^2 / (<a|a> <b|b>).
double infidelity(const ComplexField2D& a, const ComplexField2D& b)
{
    std::complex<double> overlap = 0.0;
    double na = 0.0, nb = 0.0;
    for (std::uint64_t c = 0; c < a.size(); ++c) {
        const std::complex<double> x(a.data()[c]), y(b.data()[c]);
        overlap += std::conj(x) * y;
        na += std::norm(x);
        nb += std::norm(y);
    }
    return 1.0 - std::norm(overlap) / (na * nb);
}

// A packet uniform along y, exp(-(x - centre)^2 / spread + i k x), normalised.
ComplexField2D packetAlongX(std::uint64_t nx, std::uint64_t ny, float dx, float dy, double centre, double spread,
                            double k)
{
    ComplexField2D psi(nx, ny, dx, dy);
    for (std::uint64_t j = 0; j < ny; ++j)
        for (std::uint64_t i = 0; i < nx; ++i) {
            const double x = cellCentre(i, nx, dx) - centre;
            psi.at(i, j) = Complex(std::polar(std::exp(-x * x / spread), k * x));
        }
    psi.normalize();
    return psi;
}

// Cells 0.0125 x 0.5, as a 1024-point grid makes them over 12.8, 16 rows,
// with walls of `height` from |x| = inner to the grid's edge.
PotentialField2D wallsOnFineCells(float inner, float height)
{
    PotentialField2D v(1024, 16, 12.8f / 1024, 0.5f);
    const float edge = 6.4f;
    v.addRectangle(-0.5f * (inner + edge), 0.0f, edge - inner, 100.0f, height);
    v.addRectangle(0.5f * (inner + edge), 0.0f, edge - inner, 100.0f, height);
    return v;
}

// The spectral energy every five steps and the state a run ends with.
struct RunTrace {
    std::vector<double> energy;
    ComplexField2D last;
};

RunTrace traced(ComplexField2D psi, const PotentialField2D& v, int steps,
                const std::function<void(ComplexField2D&)>& step, double mass = 1.0)
{
    RunTrace trace;
    for (int s = 1; s <= steps; ++s) {
        step(psi);
        if (s % 5 == 0)
            trace.energy.push_back(spectralEnergy(psi, v, mass));
    }
    trace.last = std::move(psi);
    return trace;
}

// The bounds of a converged run against its reference: the largest relative
// difference of the spectral energy, and the infidelity at the end.
struct Departure {
    double energy = 0.0;
    double infidelity = 0.0;
    bool within() const { return energy <= 5e-3 && infidelity <= 3e-4; }
};

Departure departureOf(const RunTrace& run, const RunTrace& reference)
{
    Departure d;
    for (std::size_t k = 0; k < reference.energy.size(); ++k)
        d.energy = std::max(d.energy, std::abs(run.energy[k] / reference.energy[k] - 1.0));
    d.infidelity = infidelity(run.last, reference.last);
    return d;
}

} // namespace

// Walls of 120 around a floor of 0, turned by 45 degrees or round: their
// edges feed modes on the grid's diagonals, whose kinetic energy reaches
// twice the range along one axis. A packet of energy 5 from (-1, 0) with
// momentum (3, 1) bounces in the cavity until t = 8; what lies beyond the
// walls then is the evanescent tail. The references are runs at dt / 16,
// one plain Strang step each (3.19e-4 and 3.63e-4 for the turned box,
// 3.46e-4 and 4.01e-4 for the disc); counting one axis's range let 2.1e-2
// and 5.3e-3 through on the finer cells.
TEST(SubStepRule, WallsOfEveryOrientationHoldAsAConvergedRun)
{
    const double r = std::sqrt(0.5);
    const auto turned = [r](double a, double b) {
        return PotentialField2D::Vertex(float(r * (a - b)), float(r * (a + b)));
    };
    const struct Case {
        const char* name;
        std::uint64_t nx, ny;
        float dx, dy;
        double converged;
    } cases[] = {{"turned box", 128, 128, 0.16f, 0.15f, 3.19e-4},
                 {"turned box", 256, 256, 0.08f, 0.075f, 3.63e-4},
                 {"disc", 128, 128, 0.16f, 0.15f, 3.46e-4},
                 {"disc", 256, 256, 0.08f, 0.075f, 4.01e-4}};
    for (const Case& c : cases) {
        const bool disc = std::string(c.name) == "disc";
        PotentialField2D v(c.nx, c.ny, c.dx, c.dy);
        v.fill(120.0f);
        if (disc)
            v.addCircle(0.0f, 0.0f, 6.0f, 0.0f);
        else
            v.addPolygon({turned(-6, -6), turned(6, -6), turned(6, 6), turned(-6, 6)}, 0.0f);
        ComplexField2D psi(c.nx, c.ny, c.dx, c.dy);
        GaussianPacket2D::prepare(psi, GaussianPacket2D{-1.0f, 0.0f, 1.0f, 3.0f, 1.0f});
        SplitStepFourierSolver2D solver = solverAtTheWindowsStep();
        for (int s = 0; s < 400; ++s)
            solver.step(psi, v);
        const double outside = probabilityWhere(psi, [&](double x, double y) {
            return disc ? x * x + y * y > 36.0 : std::abs(r * (x + y)) > 6.0 || std::abs(r * (y - x)) > 6.0;
        });
        EXPECT_LT(outside, 2.0 * c.converged)
            << c.name << " on cells " << c.dx << " x " << c.dy << " (" << solver.subSteps() << " sub-steps)";
        EXPECT_NEAR(psi.norm(), 1.0, 1e-5) << c.name;
    }
}

// Potentials that vary only along x, on cells 0.08 wide: a barrier of 1.0
// across the whole height (a packet from x = -8 with momentum 2.5 against
// it, to t = 3.92) and a standing wave of period 0.2769 and depth 0.75 (a
// packet at rest, to t = 4). References at dt / 16: 1.8e-6 beyond |x| = 12,
// where nothing physical has arrived, and 1.9e-6 of the momentum
// distribution beyond |k| = 12. The barrier's step, which a smoothness test
// at float rounding passed, sent 9.3e-5 ahead; the standing wave, whose
// period of 3.5 cells looked smooth to second differences, 3.4e-5 beyond.
TEST(SubStepRule, LowStepsAndShortPeriodsFeedNoMoreThanAConvergedRun)
{
    const struct Case {
        const char* name;
        float height; // of the barrier; 0 for the standing wave
        GaussianPacket2D packet;
        int steps;
        double converged;
    } cases[] = {{"barrier 1.0", 1.0f, {-8.0f, 0.0f, 1.0f, 2.5f, 0.0f}, 196, 1.8e-6},
                 {"standing wave", 0.0f, {0.0f, 0.0f, 2.0f, 0.0f, 0.0f}, 200, 1.9e-6}};
    for (const Case& c : cases) {
        PotentialField2D v(512, 16, 0.08f, 0.5f);
        if (c.height > 0.0f)
            v.addRectangle(0.0f, 0.0f, 0.64f, 100.0f, c.height);
        else
            v.addStandingWaveX(0.2769f, 0.75f, 0.0f);
        ComplexField2D psi(512, 16, 0.08f, 0.5f);
        GaussianPacket2D::prepare(psi, c.packet);
        SplitStepFourierSolver2D solver = solverAtTheWindowsStep();
        for (int s = 0; s < c.steps; ++s)
            solver.step(psi, v);
        const double fed = c.height > 0.0f
                               ? probabilityWhere(psi, [](double x, double) { return std::abs(x) > 12.0; }) / psi.norm()
                               : shareBeyond(psi, 12.0);
        EXPECT_LT(fed, 2.0 * c.converged) << c.name << " (" << solver.subSteps() << " sub-steps)";
    }
}

// A potential that varies along one axis feeds no mode along the other: its
// count follows the spacing along its own axis, however fine the other is,
// and a smooth potential, or none, takes the plain step.
TEST(SubStepRule, OnlyTheAxesAlongWhichThePotentialVariesCount)
{
    const auto barrierAlongX = [](float dy) {
        PotentialField2D v(256, 64, 0.08f, dy);
        v.addRectangle(0.0f, 0.0f, 0.64f, 1000.0f, 4.5f);
        return SplitStepFourierSolver2D::subStepsFor(v, SplitStepParameters{});
    };
    const auto barrierAlongY = [](float dy) {
        PotentialField2D v(64, 256, dy, 0.08f);
        v.addRectangle(0.0f, 0.0f, 1000.0f, 0.64f, 4.5f);
        return SplitStepFourierSolver2D::subStepsFor(v, SplitStepParameters{});
    };
    const std::uint32_t own = barrierAlongX(0.08f);
    EXPECT_GT(own, 1u) << "a barrier of 4.5 on cells 0.08 wide is sharp";
    for (const float across : {0.3f, 0.04f, 0.01f}) {
        EXPECT_EQ(barrierAlongX(across), own) << "cells " << across << " high";
        EXPECT_EQ(barrierAlongY(across), own) << "cells " << across << " wide";
    }
    PotentialField2D trap(128, 64, 0.2f, 0.3f);
    trap.addHarmonic(0.0f, 0.0f, 0.0f, 1.0f, 1.0f);
    EXPECT_EQ(SplitStepFourierSolver2D::subStepsFor(trap, SplitStepParameters{}), 1u) << "a harmonic trap is smooth";
    PotentialField2D flat(128, 64, 0.2f, 0.3f);
    flat.fill(40.0f);
    EXPECT_EQ(SplitStepFourierSolver2D::subStepsFor(flat, SplitStepParameters{}), 1u) << "a flat potential";
}

// A packet of energy 8.7 bouncing in a stadium of walls 120 on cells
// 0.094 x 0.0625 for 2000 steps: a closed system, so the energy the Fourier
// step conserves (spectral kinetic energy plus <V>) must stay where it
// started: a run at dt / 16 stays within 0.02%. Counting one axis's range fed
// the curved walls' diagonal modes and drifted by 130%.
TEST(SubStepRule, AStadiumKeepsTheEnergyTheStepConserves)
{
    ComplexField2D psi(128, 128, 12.0f / 128, 8.0f / 128);
    PotentialField2D v(psi.nx(), psi.ny(), psi.dx(), psi.dy());
    v.addStadiumExterior(0.0f, 0.0f, 4.0f, 2.25f, 120.0f);
    GaussianPacket2D::prepare(psi, GaussianPacket2D{-1.5f, 0.0f, 0.7f, 4.0f, 0.0f});
    SplitStepFourierSolver2D solver = solverAtTheWindowsStep();
    const double start = SpectralEnergy2D::compute(psi, v, 1.0, 1.0).total;
    double worst = 0.0;
    for (int s = 1; s <= 2000; ++s) {
        solver.step(psi, v);
        if (s % 16 == 0)
            worst = std::max(worst, std::abs(SpectralEnergy2D::compute(psi, v, 1.0, 1.0).total / start - 1.0));
    }
    EXPECT_LT(worst, 1e-3) << solver.subSteps() << " sub-steps";
}

// A square cavity of walls 50 high, 7 wide inside, with a packet of
// momentum (3, 1) bouncing in it for 20 time units: the walls' evanescent
// tails hold energy the split step must not starve, on coarse cells with a
// light packet and on finer, unequal cells with a heavy one. Counting only
// the kinetic energy of the strong modes, not the walls' range beside it,
// gave 3 sub-steps where these take 5, and drifts of 1.4e-3 to 1.8e-3.
TEST(SubStepRule, ABoxOfSharpWallsKeepsTheEnergyTheStepConserves)
{
    const struct {
        std::uint64_t nx, ny;
        float mass;
    } rows[] = {{128, 128, 1.0f}, {256, 128, 3.0f}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.nx);
        ComplexField2D psi(row.nx, row.ny, 16.0f / row.nx, 16.0f / row.ny);
        PotentialField2D v(psi.nx(), psi.ny(), psi.dx(), psi.dy());
        v.addRectangle(-3.0f, 0.0f, 1.0f, 8.0f, 50.0f);
        v.addRectangle(3.0f, 0.0f, 1.0f, 8.0f, 50.0f);
        v.addRectangle(0.0f, -3.0f, 7.0f, 1.0f, 50.0f);
        v.addRectangle(0.0f, 3.0f, 7.0f, 1.0f, 50.0f);
        GaussianPacket2D::prepare(psi, GaussianPacket2D{-1.0f, 0.0f, 0.7f, 3.0f, 1.0f});
        SplitStepFourierSolver2D solver;
        solver.configure(SplitStepParameters{row.mass, 1.0f, 0.02f});
        const double drift = largestEnergyDrift(
            psi, v, 1000, [&](ComplexField2D& field) { solver.step(field, v); }, row.mass);
        EXPECT_LT(drift, 1e-3) << solver.subSteps() << " sub-steps";
    }
}

// A single raised cell feeds every mode of the grid with the same amplitude,
// its height over the number of cells. On cells a ten-thousandth wide the
// highest modes turn through millions of radians a step while the true
// propagator gives them 1e-23 of the packet: the negligible weight and the
// extreme phase meet at the far end of the rule's table. Finer cells only add
// higher modes, so the count never falls as the cells shrink, and the step on
// the finest still keeps the packet whole.
TEST(SubStepRule, ModesOfNegligibleWeightAtExtremePhasesStillCount)
{
    const std::uint64_t nx = 64, ny = 32;
    std::uint32_t coarser = 0;
    for (const float dx : {0.08f, 0.01f, 1e-3f, 3e-4f, 1e-4f}) {
        const float dy = 1.5f * dx;
        PotentialField2D v(nx, ny, dx, dy);
        v.addRectangle(float(v.xAt(40)), float(v.yAt(9)), 0.5f * dx, 0.5f * dy, 4.0f);
        ASSERT_EQ(std::count(v.values().begin(), v.values().end(), 4.0f), 1) << "one raised cell on cells " << dx;
        const std::uint32_t count = SplitStepFourierSolver2D::subStepsFor(v, SplitStepParameters{1.0f, 1.0f, 0.02f});
        EXPECT_GE(count, coarser) << "cells " << dx << " x " << dy;
        EXPECT_GT(count, 1u) << "cells " << dx << " x " << dy;
        coarser = count;

        ComplexField2D psi(nx, ny, dx, dy);
        GaussianPacket2D::prepare(psi, GaussianPacket2D{0.0f, 0.0f, 8.0f * dx, 0.0f, 0.0f});
        SplitStepFourierSolver2D solver = solverAtTheWindowsStep();
        solver.step(psi, v);
        EXPECT_EQ(solver.subSteps(), count) << "cells " << dx;
        EXPECT_NEAR(psi.norm(), 1.0, 1e-4) << "cells " << dx;
    }
}

// The circular obstacle of the catalogue (a disc of 8 and radius 1.8 in a
// box 40.96 wide) on the cells of its three grids, in a box cut to 12.8 high,
// with a packet of energy 3.5 run through the collision. A curved edge feeds
// every direction, so on fine cells the energy sits in a great many modes,
// each too weak to count alone, whose phase wraps: on the finest cells the
// spectral energy, which a run at dt / 8 holds to 0.002%, rose by 79% with one
// sub-step.
TEST(SubStepRule, ADiscKeepsTheEnergyTheStepConservesOnEveryGrid)
{
    for (const float dx : {0.16f, 0.08f, 0.04f}) {
        const float dy = 1.25f * dx;
        const auto nx = std::uint64_t(std::lround(40.96 / dx)), ny = std::uint64_t(std::lround(12.8 / dy));
        PotentialField2D v(nx, ny, dx, dy);
        v.addCircle(0.0f, 0.0f, 1.8f, 8.0f);
        ComplexField2D psi(nx, ny, dx, dy);
        GaussianPacket2D::prepare(psi, GaussianPacket2D{-4.4f, 0.3f, 1.2f, 2.5f, 0.0f});
        SplitStepFourierSolver2D solver = solverAtTheWindowsStep();
        const double drift = largestEnergyDrift(psi, v, 150, [&](ComplexField2D& field) { solver.step(field, v); });
        EXPECT_LT(drift, 5e-3) << "cells " << dx << " x " << dy << " (" << solver.subSteps() << " sub-steps)";
    }
}

// The two-level experiments' double well (walls of 5 from |x| = 2.5 to the
// edge of a box 16 wide, a barrier of 0.8 and 0.75 wide) on the cells of their
// finest grid, 16 / 1024 along x, in a strip: the potential does not vary
// along y, so the strip's steps are the full grid's. A packet in the left
// well, against the wall and the barrier, for one time unit. The rule's count
// must hold the run within 3e-4 and 0.5% of plain steps eight times finer,
// and leave no more than a factor two to spare: half of it must not hold.
// The walls feed every mode along x, and the energy the step conserves is
// the first to go as sub-steps are taken away (infidelities stay near 1e-5):
// here 24 and 32 sub-steps leave it by 0.9% and 9.6%, 48 by 0.6%; 40 and
// every count from 56 hold it, where some wrapping mode happens to miss a
// multiple of 2 pi or none wraps.
TEST(SubStepRule, TheTwoLevelDoubleWellOnTheFinestCellsTakesAtMostTwiceWhatConvergenceNeeds)
{
    PotentialField2D v(1024, 4, 16.0f / 1024, 0.5f);
    v.addRectangle(-5.25f, 0.0f, 5.5f, 100.0f, 5.0f);
    v.addRectangle(0.0f, 0.0f, 0.75f, 100.0f, 0.8f);
    v.addRectangle(5.25f, 0.0f, 5.5f, 100.0f, 5.0f);
    const ComplexField2D start = packetAlongX(v.nx(), v.ny(), v.dx(), v.dy(), -1.2, 0.72, 0.0);
    const int steps = 50;
    const double dt = 0.02;

    SplitStepFourierSolver2D solver = solverAtTheWindowsStep();
    const RunTrace ruled = traced(start, v, steps, [&](ComplexField2D& psi) { solver.step(psi, v); });
    const int count = int(solver.subSteps());
    const auto plain = [&](int n) {
        const PlainStrangSteps stepper(start, v, dt, n);
        return [stepper](ComplexField2D& psi) { stepper.step(psi); };
    };
    const RunTrace reference = traced(start, v, steps, plain(8 * count));
    const Departure atTheRule = departureOf(ruled, reference);
    EXPECT_TRUE(atTheRule.within()) << count << " sub-steps: energy " << atTheRule.energy << ", infidelity "
                                    << atTheRule.infidelity;
    SplitStepFourierSolver2D halved = solverAtTheWindowsStep();
    SubStepCountProbe::force(halved, std::uint32_t(count / 2));
    const Departure atHalf =
        departureOf(traced(start, v, steps, [&](ComplexField2D& psi) { halved.step(psi, v); }), reference);
    EXPECT_EQ(int(halved.subSteps()), count / 2);
    EXPECT_FALSE(atHalf.within()) << count / 2 << " sub-steps hold the run: energy " << atHalf.energy << ", infidelity "
                                  << atHalf.infidelity;
}

// The same double well, swept by its slope of 0.35, on the widest cells the
// window makes of it (81.92 over 512 points) with a heavy packet: one plain
// step already holds the run as closely as steps eight times finer, so the
// rule asks for no more. Every sub-step it asked beyond would be paid at
// every step of the sweep.
TEST(SubStepRule, TheSweptDoubleWellOnWideCellsKeepsThePlainStepWhereItHolds)
{
    PotentialField2D v(512, 8, 81.92f / 512, 0.0625f);
    v.addRectangle(-5.25f, 0.0f, 5.5f, 100.0f, 5.0f);
    v.addRectangle(0.0f, 0.0f, 0.75f, 100.0f, 0.8f);
    v.addRectangle(5.25f, 0.0f, 5.5f, 100.0f, 5.0f);
    v.addLinear(0.0f, 0.0f, 0.0f, 0.35f, 0.0f);
    const ComplexField2D start = packetAlongX(v.nx(), v.ny(), v.dx(), v.dy(), -1.2, 0.72, 0.0);
    const float mass = 3.0f;
    SplitStepFourierSolver2D solver;
    solver.configure(SplitStepParameters{mass, 1.0f, 0.02f});
    const RunTrace ruled = traced(
        start, v, 50, [&](ComplexField2D& psi) { solver.step(psi, v); }, mass);
    const PlainStrangSteps fine(start, v, 0.02, 8, mass);
    const RunTrace reference = traced(
        start, v, 50, [&](ComplexField2D& psi) { fine.step(psi); }, mass);
    const Departure d = departureOf(ruled, reference);
    EXPECT_TRUE(d.within()) << "energy " << d.energy << ", infidelity " << d.infidelity;
    EXPECT_EQ(solver.subSteps(), 1u);
}

// A packet bouncing between walls of 240 on cells 0.16 wide, as in the
// catalogue's revival box and billiards, for 30 time units (seven round
// trips). Each reflection off the split step's phase screen is off by a
// phase that grows as the fourth power of the screen's phase per sub-step,
// so the error builds with every bounce: the state must stay within 3e-4 of
// plain steps eight times finer. Five sub-steps, whose screen turns by 0.96,
// ended 1.3e-3 away.
TEST(SubStepRule, APacketBouncingBetweenTallWallsStaysWithTheConvergedRun)
{
    const std::uint64_t nx = 256, ny = 16;
    const float dx = 0.16f, dy = 0.5f;
    PotentialField2D v(nx, ny, dx, dy);
    v.addRectangle(-13.24f, 0.0f, 14.48f, 100.0f, 240.0f);
    v.addRectangle(13.24f, 0.0f, 14.48f, 100.0f, 240.0f);
    const ComplexField2D start = packetAlongX(nx, ny, dx, dy, -2.0, 1.28, 3.0);
    const int steps = 1500;

    ComplexField2D ruled = start;
    SplitStepFourierSolver2D solver = solverAtTheWindowsStep();
    for (int s = 0; s < steps; ++s)
        solver.step(ruled, v);
    const int count = int(solver.subSteps());
    ComplexField2D converged = start;
    const PlainStrangSteps fine(start, v, 0.02, 8 * count);
    for (int s = 0; s < steps; ++s)
        fine.step(converged);
    EXPECT_LT(infidelity(ruled, converged), 3e-4) << count << " sub-steps";
}

// Walls of 120 on cells 0.0125 wide (a 1024-point grid over 12.8), a packet
// of momentum 4 bouncing between them for one time unit: their modes reach
// 632 radians a step, and the energy the step conserves stays within 0.5%
// only once no mode wraps a turn per sub-step. 64 plain sub-steps let it rise
// by 390%, 80 by 4.6%; 106 hold it within 0.03%.
TEST(SubStepRule, TallWallsOnTheFinestCellsKeepTheEnergyTheStepConserves)
{
    const PotentialField2D v = wallsOnFineCells(3.0f, 120.0f);
    ComplexField2D psi = packetAlongX(v.nx(), v.ny(), v.dx(), v.dy(), -1.0, 0.72, 4.0);
    SplitStepFourierSolver2D solver = solverAtTheWindowsStep();
    const double drift = largestEnergyDrift(psi, v, 50, [&](ComplexField2D& field) { solver.step(field, v); });
    EXPECT_LT(drift, 5e-3) << solver.subSteps() << " sub-steps";
}
