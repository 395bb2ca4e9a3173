#include "experiments/DiracZitterbewegungRecorder.h"
#include "experiments/QuantumZitterbewegung2D.h"
#include "experiments/RecorderSupport.h"

#include "core/DiracSplitStepSolver2D.h"
#include "core/FFT2D.h"
#include "core/FourierGrid.h"
#include "core/Numeric.h"
#include "tests/experiments/CheckMessages.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

using namespace vxo;

namespace {

// hbar, c and m all away from 1 and the packet off both axes, so that a
// factor in the wrong place or a swapped coordinate changes a figure.
constexpr double kHbar = 0.8;

ZitterbewegungConfig movingConfig()
{
    ZitterbewegungConfig config;
    config.lightSpeed = 1.3;
    config.restMass = 0.6;
    config.centerY = 1.5;
    config.momentumY = -0.3;
    return config;
}

double energyOf(const ZitterbewegungConfig& c)
{
    const double mc2 = c.restMass * c.lightSpeed * c.lightSpeed;
    const double cp = c.lightSpeed * std::hypot(c.momentumX, c.momentumY);
    return std::sqrt(cp * cp + mc2 * mc2);
}

// Cells d x 1.25 d: an axis that took the other's spacing would show.
DiracSpinor2D preparedSpinor(const ZitterbewegungConfig& config, std::uint64_t nx, std::uint64_t ny, float d)
{
    DiracSpinor2D spinor;
    spinor.resize(nx, ny, d, 1.25f * d);
    EXPECT_TRUE(QuantumZitterbewegung2D::prepareInitialState(spinor, config, kHbar, nullptr));
    return spinor;
}

} // namespace

TEST(QuantumZitterbewegung2D, ClosedFormFiguresOfTheDefaults)
{
    // The trembling runs at 2E / hbar; an upper-only packet drifts at
    // (c^2 p / E) (m c^2 / E), the difference of its branch weights times the
    // group velocity; a positive-energy one at the group velocity c^2 p / E.
    ZitterbewegungConfig config = movingConfig();
    const double c = config.lightSpeed;
    const double e = energyOf(config);
    const double mc2 = config.restMass * c * c;
    EXPECT_NEAR(QuantumZitterbewegung2D::angularFrequency(config, kHbar), 2.0 * e / kHbar, 1e-14);
    EXPECT_NEAR(QuantumZitterbewegung2D::period(config, kHbar), kPi * kHbar / e, 1e-14);
    EXPECT_NEAR(QuantumZitterbewegung2D::predictedDriftVelocityX(config), c * c * 0.5 / e * mc2 / e, 1e-14);
    config.preparationMode = 1;
    EXPECT_NEAR(QuantumZitterbewegung2D::predictedDriftVelocityX(config), c * c * 0.5 / e, 1e-14);
    EXPECT_EQ(QuantumZitterbewegung2D::angularFrequency(config, 0.0), 0.0);
    EXPECT_EQ(QuantumZitterbewegung2D::period(config, -1.0), 0.0);
    // The defaults: c = 1, m = p = 0.5.
    EXPECT_NEAR(QuantumZitterbewegung2D::period(ZitterbewegungConfig{}, 1.0), 4.4429, 1e-4);
}

TEST(QuantumZitterbewegung2D, ValidationAndPreparationFailures)
{
    using test::closedRange;
    using Rule = test::ValueRule<ZitterbewegungConfig>;
    const std::string m = "QuantumZitterbewegung2D: invalid configuration";
    const auto range = [&](const char* name, double ZitterbewegungConfig::*field, double lo, double hi) {
        return closedRange<ZitterbewegungConfig>(
            name, [field](ZitterbewegungConfig& c, double v) { c.*field = v; }, lo, hi, m);
    };
    test::expectValueRules(
        QuantumZitterbewegung2D::validateConfiguration, ZitterbewegungConfig{},
        std::vector<Rule>{
            range("lightSpeed", &ZitterbewegungConfig::lightSpeed, 0.05, 20.0),
            range("restMass", &ZitterbewegungConfig::restMass, 0.02, 20.0),
            range("sigma", &ZitterbewegungConfig::sigma, 0.25, 20.0),
            range("momentumX", &ZitterbewegungConfig::momentumX, -20.0, 20.0),
            range("momentumY", &ZitterbewegungConfig::momentumY, -20.0, 20.0),
            range("centerX", &ZitterbewegungConfig::centerX, -1000.0, 1000.0),
            range("centerY", &ZitterbewegungConfig::centerY, -1000.0, 1000.0),
            range("analysisEndTime", &ZitterbewegungConfig::analysisEndTime, 0.2, 200.0),
            {"preparationMode",
             [](ZitterbewegungConfig& c, double v) { c.preparationMode = std::uint32_t(v); },
             {0.0, 1.0},
             {2.0},
             m},
        },
        test::finiteOnly<ZitterbewegungConfig>({{"lightSpeed", &ZitterbewegungConfig::lightSpeed},
                                                {"restMass", &ZitterbewegungConfig::restMass},
                                                {"sigma", &ZitterbewegungConfig::sigma},
                                                {"momentumX", &ZitterbewegungConfig::momentumX},
                                                {"momentumY", &ZitterbewegungConfig::momentumY},
                                                {"centerX", &ZitterbewegungConfig::centerX},
                                                {"centerY", &ZitterbewegungConfig::centerY},
                                                {"analysisEndTime", &ZitterbewegungConfig::analysisEndTime}},
                                               m));

    ZitterbewegungConfig config;
    std::string error;
    for (const auto& size : {std::make_pair(24u, 16u), std::make_pair(16u, 24u)}) {
        DiracSpinor2D odd;
        odd.resize(size.first, size.second, 0.5f, 0.5f);
        error.clear();
        EXPECT_FALSE(QuantumZitterbewegung2D::prepareInitialState(odd, config, 1.0, &error));
        EXPECT_EQ(error, "QuantumZitterbewegung2D: invalid spinor or hbar") << size.first << " x " << size.second;
    }
    DiracSpinor2D mismatched;
    mismatched.resize(16, 16, 0.5f, 0.5f);
    mismatched.lower.reset(8, 8, 0.5f, 0.5f);
    error = "earlier";
    EXPECT_FALSE(QuantumZitterbewegung2D::prepareInitialState(mismatched, config, 1.0, &error));
    EXPECT_EQ(error, "earlier");
    double x = 1.0;
    double y = 1.0;
    QuantumZitterbewegung2D::spinorCentroid(mismatched, x, y);
    EXPECT_EQ(x, 0.0);
    EXPECT_EQ(y, 0.0);
}

// About the box's own centre every cell is its own image, the edge columns
// and rows too: a uniform density has the mean of the coordinates
// (i - n/2) d, half a cell below 0, also on cells three times as tall as wide.
TEST(QuantumZitterbewegung2D, TheBoxCentroidTakesEveryCellWhereItIs)
{
    DiracSpinor2D uniform;
    uniform.resize(16, 8, 0.25f, 0.75f);
    for (std::uint64_t j = 0; j < 8; ++j)
        for (std::uint64_t i = 0; i < 16; ++i)
            uniform.upper.at(i, j) = {0.5f, 0.0f};
    double x = 1.0, y = 1.0;
    QuantumZitterbewegung2D::spinorCentroid(uniform, x, y);
    EXPECT_NEAR(x, -0.125, 1e-12);
    EXPECT_NEAR(y, -0.375, 1e-12);
}

TEST(QuantumZitterbewegung2D, EnergyBranchWeightsOfBothModes)
{
    // An upper-only packet of one momentum holds (1 + m c^2 / E) / 2 of
    // positive energy; the packet's spread of momenta moves it a little.
    ZitterbewegungConfig config = movingConfig();
    DiracSpinor2D mixed = preparedSpinor(config, 256, 128, 0.32f);
    const auto w0 = QuantumZitterbewegung2D::energyBranchWeights(mixed, config, kHbar);
    EXPECT_NEAR(w0.first + w0.second, 1.0, 1e-12);
    const double mc2 = config.restMass * config.lightSpeed * config.lightSpeed;
    EXPECT_NEAR(w0.first, (1.0 + mc2 / energyOf(config)) / 2.0, 0.01);
    EXPECT_EQ(mixed.lowerWeight(), 0.0);
    // Exactly: each plane wave k of the upper component holds (1 + m c^2 / E_k) / 2.
    ComplexField2D spectrum = mixed.upper;
    FFT2D::forward(spectrum);
    double all = 0.0, positiveShare = 0.0;
    for (std::uint64_t n = 0; n < spectrum.ny(); ++n)
        for (std::uint64_t m = 0; m < spectrum.nx(); ++m) {
            const double cpx = config.lightSpeed * kHbar * fftWaveNumber(m, spectrum.nx(), spectrum.dx());
            const double cpy = config.lightSpeed * kHbar * fftWaveNumber(n, spectrum.ny(), spectrum.dy());
            const double w = std::norm(std::complex<double>(spectrum.at(m, n)));
            all += w;
            positiveShare += w * (1.0 + mc2 / std::sqrt(cpx * cpx + cpy * cpy + mc2 * mc2)) / 2.0;
        }
    EXPECT_NEAR(w0.first, positiveShare / all, 1e-9);
    // Placed on the experiment's grid, half a cell off the cell centres.
    double x = 0.0;
    double y = 0.0;
    QuantumZitterbewegung2D::spinorCentroid(mixed, x, y);
    EXPECT_NEAR(x, -6.0, 1e-3);
    EXPECT_NEAR(y, 1.5, 1e-3);
    // A sample on its own is detrended against the predicted drift line
    // through the start (x0, y0) it is given, each axis with its own momentum.
    const ZitterbewegungSample own = QuantumZitterbewegung2D::makeSample(mixed, config, 2.0, -5.5, 1.25);
    const double c2 = config.lightSpeed * config.lightSpeed;
    const double vy = c2 * config.momentumY / energyOf(config) * mc2 / energyOf(config);
    EXPECT_NEAR(own.detrendedX, x - (QuantumZitterbewegung2D::predictedDriftVelocityX(config) * 2.0 - 5.5), 1e-9);
    EXPECT_NEAR(own.detrendedY, y - (vy * 2.0 + 1.25), 1e-9);

    config.preparationMode = 1;
    DiracSpinor2D positive = preparedSpinor(config, 128, 128, 0.32f);
    const auto w1 = QuantumZitterbewegung2D::energyBranchWeights(positive, config, kHbar);
    EXPECT_NEAR(w1.first, 1.0, 1e-5);
    EXPECT_NEAR(w1.second, 0.0, 1e-5);
    EXPECT_NEAR(positive.norm(), 1.0, 1e-5);
    EXPECT_GT(positive.lowerWeight(), 0.05);
    // Its velocity c <sigma_x> is about the group velocity of the central
    // momentum (the packet's spread of momenta lowers it a little), along +x.
    DiracZitterbewegungRecorder recorder(4);
    ASSERT_TRUE(recorder.configure(positive, config, kHbar));
    recorder.record(0.0, positive);
    EXPECT_NEAR(recorder.samples().front().velocityX, QuantumZitterbewegung2D::predictedDriftVelocityX(config), 0.06);
    // Exactly, for a state of positive energy only: <c sigma> = <c^2 p / E> over its plane waves.
    ComplexField2D up = positive.upper, down = positive.lower;
    FFT2D::forward(up);
    FFT2D::forward(down);
    double weight = 0.0, groupX = 0.0, groupY = 0.0;
    for (std::uint64_t n = 0; n < up.ny(); ++n)
        for (std::uint64_t m = 0; m < up.nx(); ++m) {
            const double px = kHbar * fftWaveNumber(m, up.nx(), up.dx());
            const double py = kHbar * fftWaveNumber(n, up.ny(), up.dy());
            const double c = config.lightSpeed;
            const double e = std::sqrt(c * c * (px * px + py * py) + mc2 * mc2);
            const double w =
                std::norm(std::complex<double>(up.at(m, n))) + std::norm(std::complex<double>(down.at(m, n)));
            weight += w;
            groupX += w * c * c * px / e;
            groupY += w * c * c * py / e;
        }
    EXPECT_NEAR(recorder.samples().front().velocityX, groupX / weight, 1e-4);
    EXPECT_NEAR(recorder.samples().front().velocityY, groupY / weight, 1e-4);
    EXPECT_NEAR(recorder.samples().front().velocityY, c2 * config.momentumY / energyOf(config), 0.06);
}

TEST(DiracZitterbewegungRecorder, MeasuredTremblingMatchesThePrediction)
{
    ZitterbewegungConfig config = movingConfig();
    config.enabled = true;
    DiracSpinor2D spinor = preparedSpinor(config, 128, 128, 0.32f);
    // The packet has its width sigma along y too: <y^2> = sigma^2 for |psi|^2.
    double weight = 0.0;
    double y2 = 0.0;
    for (std::uint64_t j = 0; j < spinor.upper.ny(); ++j)
        for (std::uint64_t i = 0; i < spinor.upper.nx(); ++i) {
            const double rho = std::norm(spinor.upper.at(i, j)) + std::norm(spinor.lower.at(i, j));
            const double y = gridCoordinateY(spinor.upper, j) - config.centerY;
            weight += rho;
            y2 += rho * y * y;
        }
    EXPECT_NEAR(y2 / weight, config.sigma * config.sigma, 0.01 * config.sigma * config.sigma);
    DiracZitterbewegungRecorder recorder(640);
    ASSERT_TRUE(recorder.configure(spinor, config, kHbar));
    // The start is the packet's centre (off both axes), each coordinate its own.
    EXPECT_NEAR(recorder.initialCentroidX(), config.centerX, 1e-3);
    EXPECT_NEAR(recorder.initialCentroidY(), config.centerY, 1e-3);
    recorder.record(0.0, spinor);
    ASSERT_EQ(recorder.samples().size(), 1u);
    EXPECT_EQ(recorder.samples().front().detrendedX, 0.0);
    EXPECT_EQ(recorder.fittedDriftVelocityX(), 0.0);

    // The free Dirac step is exact in wave-number space, so a long step is fine.
    DiracSplitStepSolver2D solver;
    solver.configure(DiracParameters{float(kHbar), 0.1f, float(config.lightSpeed), float(config.restMass)});
    for (int s = 1; s <= 120; ++s) {
        solver.stepFree(spinor);
        recorder.record(0.1 * s, spinor);
    }
    EXPECT_NEAR(recorder.fittedDriftVelocityX(), QuantumZitterbewegung2D::predictedDriftVelocityX(config), 0.05);
    // Along y the packet drifts by the same rule with its own momentum.
    const double e = energyOf(config);
    const double mc2 = config.restMass * config.lightSpeed * config.lightSpeed;
    const double c2 = config.lightSpeed * config.lightSpeed;
    EXPECT_NEAR(recorder.fittedDriftVelocityY(), c2 * config.momentumY / e * mc2 / e, 0.05);
    // Residuals of a least-squares line sum to zero on each axis, over the
    // samples it was fitted to (those before the packet reached the box's edge).
    double residualX = 0.0;
    double residualY = 0.0;
    for (const ZitterbewegungSample& sample : recorder.samples()) {
        if (sample.time > recorder.readingEndTime())
            continue;
        residualX += sample.detrendedX;
        residualY += sample.detrendedY;
    }
    EXPECT_NEAR(residualX, 0.0, 1e-9);
    EXPECT_NEAR(residualY, 0.0, 1e-9);
    EXPECT_GT(recorder.maxAbsDetrendedX(), 0.1);
    // A reset forgets both fitted drifts and the trembling amplitude.
    DiracZitterbewegungRecorder cleared = recorder;
    cleared.reset();
    EXPECT_EQ(cleared.fittedDriftVelocityX(), 0.0);
    EXPECT_EQ(cleared.fittedDriftVelocityY(), 0.0);
    EXPECT_EQ(cleared.maxAbsDetrendedX(), 0.0);
    EXPECT_TRUE(cleared.samples().empty());

    // Successive extrema of <v_x> (refined by a parabola through three
    // samples) lie half a trembling period 2 pi hbar / (2E) apart.
    const std::vector<ZitterbewegungSample>& samples = recorder.samples();
    std::vector<double> extrema;
    for (std::size_t k = 1; k + 1 < samples.size(); ++k) {
        const double a = samples[k - 1].velocityX;
        const double b = samples[k].velocityX;
        const double c = samples[k + 1].velocityX;
        if ((b > a && b > c) || (b < a && b < c))
            extrema.push_back(samples[k].time + 0.1 * 0.5 * (a - c) / (a - 2.0 * b + c));
    }
    // The weights and the norm are the spinor's own figures.
    const ZitterbewegungSample& last = samples.back();
    EXPECT_EQ(last.norm, spinor.norm());
    EXPECT_EQ(last.upperWeight, spinor.upperWeight());
    EXPECT_EQ(last.lowerWeight, spinor.lowerWeight());
    EXPECT_GT(last.lowerWeight, 0.0);

    ASSERT_GE(extrema.size(), 4u);
    const double measured = 2.0 * (extrema.back() - extrema.front()) / static_cast<double>(extrema.size() - 1);
    const double period = kPi * kHbar / energyOf(config);
    EXPECT_NEAR(measured / period, 1.0, 0.05);
    // The mark is a share of the trembling's reach c / omega_ZB, omega_ZB the measured angular frequency.
    EXPECT_NEAR(recorder.markedCentroidShift() / DiracZitterbewegungRecorder::kMarkedShareOfReach,
                config.lightSpeed * measured / (2.0 * kPi), 0.05 * config.lightSpeed * measured / (2.0 * kPi));
}

TEST(DiracZitterbewegungRecorder, CapacityDropsOldestAndRefitsTheRest)
{
    ZitterbewegungConfig config;
    DiracSpinor2D spinor = preparedSpinor(config, 128, 32, 0.5f); // wide enough that nothing wraps
    DiracZitterbewegungRecorder recorder(3);
    recorder.record(0.0, spinor);
    EXPECT_TRUE(recorder.samples().empty());
    // A lone sample, whenever it is taken, lies on its own drift line.
    DiracZitterbewegungRecorder late(3);
    const ZitterbewegungConfig moving = movingConfig();
    ASSERT_TRUE(late.configure(spinor, moving, kHbar));
    late.record(2.0, spinor);
    ASSERT_EQ(late.samples().size(), 1u);
    EXPECT_EQ(late.samples().front().detrendedX, 0.0);
    EXPECT_EQ(late.samples().front().detrendedY, 0.0);
    ASSERT_TRUE(recorder.configure(spinor, config, kHbar));
    for (int k = 0; k < 4; ++k)
        recorder.record(static_cast<double>(k), spinor);
    ASSERT_EQ(recorder.samples().size(), 3u);
    EXPECT_EQ(recorder.samples().front().time, 1.0);
    // A spinor standing still: zero slope and zero residuals.
    EXPECT_NEAR(recorder.fittedDriftVelocityX(), 0.0, 1e-12);
    EXPECT_NEAR(recorder.samples().back().detrendedX, 0.0, 1e-12);

    // A spinor without probability has no velocity, not 0 / 0.
    DiracSpinor2D zero = spinor;
    zero.upper.setZero();
    zero.lower.setZero();
    recorder.record(4.0, zero);
    EXPECT_EQ(recorder.samples().back().velocityX, 0.0);
    EXPECT_EQ(recorder.samples().back().velocityY, 0.0);
    EXPECT_EQ(recorder.samples().back().norm, 0.0);
    EXPECT_EQ(recorder.samples().back().upperWeight, 0.0);
    EXPECT_EQ(recorder.samples().back().lowerWeight, 0.0);

    DiracSpinor2D empty;
    recorder.record(9.0, empty);
    EXPECT_EQ(recorder.samples().back().time, 4.0);
    recorder.reset();
    EXPECT_EQ(recorder.capacity(), 3u);
    EXPECT_FALSE(recorder.isConfigured());
}

// About the packet, one that straddles the box's edge is measured whole; the
// bound on what wrapped counts only the seam opposite it, at most c times
// the probability per unit length there per unit time.
TEST(DiracZitterbewegungRecorder, MeasuresAPacketAcrossTheEdgeWholeAndBoundsWhatCrossesTheFarSeam)
{
    ZitterbewegungConfig config = movingConfig(); // c = 1.3
    config.centerX = 0.0;
    config.centerY = 0.0;
    config.sigma = 1.0;
    const DiracSpinor2D centred = preparedSpinor(config, 64, 32, 0.5f); // a box of 32 x 20
    // The same packet rolled along x by `cells` round the box.
    const auto rolled = [&centred](std::uint64_t cells) {
        DiracSpinor2D moved = centred;
        for (ComplexField2D* component : {&moved.upper, &moved.lower}) {
            const ComplexField2D source = *component;
            for (std::uint64_t j = 0; j < source.ny(); ++j)
                for (std::uint64_t i = 0; i < source.nx(); ++i)
                    component->at((i + cells) % source.nx(), j) = source.at(i, j);
        }
        return moved;
    };
    const DiracSpinor2D onEdge = rolled(32); // its centre on the edge x = +-16
    double x = 0.0, y = 0.0, boxX = 0.0, boxY = 0.0;
    QuantumZitterbewegung2D::spinorCentroid(centred, boxX, boxY);
    QuantumZitterbewegung2D::spinorCentroidAbout(onEdge, 15.0, boxY, x, y);
    EXPECT_NEAR(x, boxX + 16.0, 1e-5) << "measured whole, at the right edge";
    EXPECT_NEAR(y, boxY, 1e-9);
    QuantumZitterbewegung2D::spinorCentroidAbout(onEdge, -15.0, boxY, x, y);
    EXPECT_NEAR(x, boxX - 16.0, 1e-5) << "or whole at the left one";
    QuantumZitterbewegung2D::spinorCentroid(onEdge, x, y);
    EXPECT_LT(std::fabs(x), 14.0) << "the box's own centroid splits it";

    DiracZitterbewegungRecorder recorder(8);
    ASSERT_TRUE(recorder.configure(centred, config, kHbar));
    recorder.record(0.0, centred);
    recorder.record(5.0, centred);
    EXPECT_LT(recorder.wrappedShareBound(), 1e-12) << "sixteen widths from the far seam";
    // Carried a quarter of the box a sample, it is followed past the edge.
    for (std::uint64_t quarter = 1; quarter <= 3; ++quarter)
        recorder.record(5.0 + quarter, rolled(16 * quarter));
    EXPECT_NEAR(recorder.samples().back().meanX, boxX + 24.0, 1e-5) << "taken about the last centroid";
    EXPECT_LT(recorder.wrappedShareBound(), 1e-12);

    // A uniform density puts 1 / Lx per unit length on the far seam; 2c of it crosses per unit time.
    DiracSpinor2D uniform = centred;
    for (ComplexField2D* component : {&uniform.upper, &uniform.lower})
        for (std::uint64_t j = 0; j < component->ny(); ++j)
            for (std::uint64_t i = 0; i < component->nx(); ++i)
                component->at(i, j) = {component == &uniform.upper ? 0.6f : 0.0f,
                                       component == &uniform.upper ? 0.8f : 0.0f};
    ASSERT_TRUE(recorder.configure(uniform, config, kHbar));
    const double rate = 2.0 * config.lightSpeed / 32.0;
    const double mark = recorder.markedCentroidShift() / 32.0 / rate; // the time the bound reaches the mark
    // A recording that starts late (a run resumed) books nothing before its first sample.
    recorder.record(3.0 * mark, uniform);
    EXPECT_EQ(recorder.wrappedShareBound(), 0.0);
    EXPECT_FALSE(recorder.pastValidity());
    ASSERT_TRUE(recorder.configure(uniform, config, kHbar));
    for (double t : {0.0, 0.5 * mark, 0.9 * mark, 1.1 * mark, 1.5 * mark})
        recorder.record(t, uniform);
    EXPECT_NEAR(recorder.wrappedShareBound(), rate * 1.5 * mark, 1e-9);
    EXPECT_NEAR(recorder.centroidShiftBound(), 32.0 * rate * 1.5 * mark, 1e-9);
    EXPECT_EQ(recorder.wrapMarkTime(), 1.1 * mark) << "the first sample past the mark";
    EXPECT_EQ(recorder.readingEndTime(), 0.9 * mark);
    recorder.reset();
    EXPECT_EQ(recorder.wrappedShareBound(), 0.0);
    EXPECT_EQ(recorder.centroidShiftBound(), 0.0);
    EXPECT_LT(recorder.wrapMarkTime(), 0.0);
}

// Over masses, momenta, windows and universes, what the recorder reads (up
// to its mark) is what an unbounded packet shows over the same span: the
// same packet on a box four times as wide, where nothing wraps, stands in
// for it. The free step is exact, so one step per sample is enough.
TEST(DiracZitterbewegungRecorder, ReadsWhatAnUnboundedPacketShowsOrMarksWhereTheBoxEndsIt)
{
    const struct {
        double mass, momentum, window, width;
        bool marked; // the packet's ends meet across the box within the window
        double hbar = 1.0, c = 1.0;
    } cases[] = {
        {0.2, 0.5, 20.0, 40.96, true}, {1.0, 0.5, 20.0, 40.96, true}, {0.5, 1.0, 11.0, 40.96, true},
        {0.5, 0.5, 12.0, 81.92, false}, {0.2, 3.0, 20.0, 40.96, true}, {1.0, 3.0, 5.0, 20.48, true},
        {1.0, 3.0, 5.0, 40.96, false}, {0.5, 0.5, 10.0, 40.96, true, 3.0, 0.7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "m=" << c.mass << " p=" << c.momentum << " window=" << c.window
                                        << " width=" << c.width << " hbar=" << c.hbar << " c=" << c.c);
        ZitterbewegungConfig config;
        config.restMass = c.mass;
        config.momentumX = c.momentum;
        config.analysisEndTime = c.window;
        config.lightSpeed = c.c;
        const double hbar = c.hbar;
        const auto run = [&config, hbar](std::uint64_t nx, double width, double until) {
            DiracSpinor2D spinor;
            spinor.resize(nx, 64, static_cast<float>(width / static_cast<double>(nx)), 0.32f);
            EXPECT_TRUE(QuantumZitterbewegung2D::prepareInitialState(spinor, config, hbar, nullptr));
            DiracZitterbewegungRecorder recorder(640);
            EXPECT_TRUE(recorder.configure(spinor, config, hbar));
            recorder.record(0.0, spinor);
            DiracSplitStepSolver2D solver;
            solver.configure(DiracParameters{float(hbar), 0.1f, float(config.lightSpeed), float(config.restMass)});
            for (int k = 1; 0.1 * k <= until + 1e-9; ++k) {
                solver.stepFree(spinor);
                recorder.record(0.1 * k, spinor);
            }
            return recorder;
        };
        const std::uint64_t nx = static_cast<std::uint64_t>(c.width / 0.32 + 0.5);
        const DiracZitterbewegungRecorder box = run(nx, c.width, c.window);
        EXPECT_EQ(box.pastValidity(), c.marked);
        const DiracZitterbewegungRecorder unbounded = run(4 * nx, 4.0 * c.width, box.readingEndTime());
        ASSERT_FALSE(unbounded.pastValidity());
        // Over a read span of some periods the trembling fills a good part of
        // its reach c / omega_ZB, of which the mark is a share, and stays within it.
        const double reach = box.markedCentroidShift() / DiracZitterbewegungRecorder::kMarkedShareOfReach;
        EXPECT_LT(unbounded.maxAbsDetrendedX(), reach);
        if (box.readingEndTime() > 1.0)
            EXPECT_GT(unbounded.maxAbsDetrendedX(), 0.05 * reach);
        EXPECT_NEAR(box.maxAbsDetrendedX(), unbounded.maxAbsDetrendedX(), 0.03 * unbounded.maxAbsDetrendedX());
        EXPECT_NEAR(box.fittedDriftVelocityX(), unbounded.fittedDriftVelocityX(),
                    0.03 * std::fabs(unbounded.fittedDriftVelocityX()));
        // Before the mark, what wrapped moves <x> by less than the marked
        // shift, beyond where the box's start (cut at its edges) put it.
        const auto strayAt = [&](std::size_t k) { return box.samples()[k].meanX - unbounded.samples()[k].meanX; };
        for (std::size_t k = 0; k < unbounded.samples().size(); ++k)
            ASSERT_LT(std::fabs(strayAt(k) - strayAt(0)), box.markedCentroidShift()) << "t=" << box.samples()[k].time;
    }
}

// Once what may have crossed the box's edges reaches the mark, the window
// has outgrown the box: the lines stay those fitted to the samples read
// before (checked here by least squares of our own), the later samples'
// residuals are taken from them, and the largest residual stays that of the
// samples read before.
TEST(DiracZitterbewegungRecorder, PastTheMarkTheFitStaysThatOfTheSamplesReadBefore)
{
    ZitterbewegungConfig config = movingConfig();
    config.centerY = 0.0;
    config.sigma = 1.0;
    DiracZitterbewegungRecorder recorder(64);
    // A packet widening as it moves: its ends meet across the box of 32 x 20.
    const auto at = [&config](double x) {
        config.centerX = x;
        config.sigma = 1.0 + 0.5 * (x - 8.0);
        return preparedSpinor(config, 64, 32, 0.5f);
    };
    ASSERT_TRUE(recorder.configure(at(8.0), config, kHbar));
    int marked = -1;
    for (int k = 0; k < 12 && marked < 0; ++k) {
        recorder.record(k, at(8.0 + 0.9 * k + (k % 2 ? 0.1 : -0.1)));
        if (recorder.pastValidity())
            marked = k;
    }
    ASSERT_GE(marked, 3) << "the ends meet after a few samples";
    EXPECT_EQ(recorder.readingEndTime(), marked - 1.0);
    const std::vector<ZitterbewegungSample> read(recorder.samples().begin(), recorder.samples().begin() + marked);
    // The least-squares line of one coordinate over the samples read.
    const auto line = [&read](double ZitterbewegungSample::*coordinate) {
        double n = 0.0, st = 0.0, stt = 0.0, sx = 0.0, stx = 0.0;
        for (const ZitterbewegungSample& s : read) {
            n += 1.0;
            st += s.time;
            stt += s.time * s.time;
            sx += s.*coordinate;
            stx += s.time * s.*coordinate;
        }
        const double slope = (n * stx - sx * st) / (n * stt - st * st);
        return std::pair<double, double>{slope, (sx - slope * st) / n};
    };
    const auto [slope, intercept] = line(&ZitterbewegungSample::meanX);
    const auto [slopeY, interceptY] = line(&ZitterbewegungSample::meanY);
    double largest = 0.0;
    for (const ZitterbewegungSample& s : read)
        largest = std::max(largest, std::abs(s.meanX - slope * s.time - intercept));
    recorder.record(marked + 1.0, at(8.0 + 0.9 * (marked + 1)));
    EXPECT_NEAR(recorder.fittedDriftVelocityX(), slope, 1e-9);
    EXPECT_NEAR(recorder.maxAbsDetrendedX(), largest, 1e-9);
    EXPECT_NEAR(recorder.fittedDriftVelocityY(), slopeY, 1e-9);
    for (const ZitterbewegungSample& s : recorder.samples()) {
        EXPECT_NEAR(s.detrendedX, s.meanX - slope * s.time - intercept, 1e-9) << "t=" << s.time;
        EXPECT_NEAR(s.detrendedY, s.meanY - slopeY * s.time - interceptY, 1e-9) << "t=" << s.time;
    }
    EXPECT_GT(std::abs(recorder.samples().back().detrendedX), largest) << "what wrapped shows beside the kept line";
}

// A window fits its recorder whole: the stride widens by whole multiples
// where the samples from t = 0 to the end would outnumber the capacity.
TEST(RecorderSupport, WindowStrideKeepsTheWholeWindow)
{
    const struct {
        std::uint64_t base;
        double end;
        std::uint64_t capacity;
        std::uint64_t stride;
    } cases[] = {
        {2, 12.0, 640, 2},  // 301 samples
        {2, 25.56, 640, 2}, // 640 samples: just fits
        {2, 25.6, 640, 4},  // 641 would not
        {2, 100.0, 640, 8}, {5, 5.0, 320, 5}, {5, 200.0, 420, 25},
        {2, 0.0, 640, 2},   {3, 50.0, 1, 3}, // nothing to widen for
    };
    for (const auto& c : cases) {
        const std::uint64_t stride = windowStride(c.base, c.end, 0.02, c.capacity);
        EXPECT_EQ(stride, c.stride) << c.base << " steps to " << c.end << " in " << c.capacity;
        if (c.capacity > 1 && c.end > 0.0) {
            EXPECT_LE(std::llround(c.end / 0.02) / stride + 1, c.capacity);
        }
    }
}
