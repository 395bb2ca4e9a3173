#include "experiments/QuantumVortex2D.h"
#include "experiments/RecorderSupport.h"
#include "experiments/VortexRecorder.h"

#include "core/Numeric.h"
#include "tests/experiments/CheckMessages.h"
#include "tests/experiments/PresetScenes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <string>
#include <tuple>

using namespace vxo;
using namespace vxo::test;

namespace {

std::string trapMessage(const std::vector<PotentialObject>& objects)
{
    VortexTrap trap;
    trap.found = true;
    const std::string error = refusalMessage(QuantumVortex2D::extractTrap, sceneOf(objects), trap);
    EXPECT_FALSE(trap.found);
    return error;
}

std::string stateMessage(const VortexInitialState& state)
{
    return refusalMessage(QuantumVortex2D::validateConfig, state);
}

VortexTrap presetTrap()
{
    VortexTrap trap;
    EXPECT_TRUE(QuantumVortex2D::extractTrap(sceneOf(vortexTrapObjects()), trap, nullptr));
    return trap;
}

// 64 x 48 cells of 0.16 x 0.2: about the preset's cell size, the envelope well inside.
ComplexField2D preparedVortex(const VortexInitialState& state)
{
    ComplexField2D field(64, 48, 0.16f, 0.2f);
    std::string error;
    EXPECT_TRUE(QuantumVortex2D::prepareInitialState(field, state, &error)) << error;
    return field;
}

// Total phase change along the closed square of half side h about (cx, cy),
// counterclockwise, in turns.
double windingAround(const ComplexField2D& field, double cx, double cy, double h)
{
    const int samples = 400;
    auto phaseAt = [&](double x, double y) {
        const std::uint64_t i = nearestCellIndex(x, field.nx(), field.dx(), 0, field.nx() - 1);
        const std::uint64_t j = nearestCellIndex(y, field.ny(), field.dy(), 0, field.ny() - 1);
        return std::arg(std::complex<double>(field.at(i, j).real(), field.at(i, j).imag()));
    };
    const double corners[5][2] = {
        {cx - h, cy - h}, {cx + h, cy - h}, {cx + h, cy + h}, {cx - h, cy + h}, {cx - h, cy - h}};
    double total = 0.0;
    double previous = phaseAt(corners[0][0], corners[0][1]);
    for (int side = 0; side < 4; ++side)
        for (int k = 1; k <= samples; ++k) {
            const double f = static_cast<double>(k) / samples;
            const double x = corners[side][0] + f * (corners[side + 1][0] - corners[side][0]);
            const double y = corners[side][1] + f * (corners[side + 1][1] - corners[side][1]);
            const double phase = phaseAt(x, y);
            total += std::remainder(phase - previous, 2.0 * kPi);
            previous = phase;
        }
    return total / (2.0 * kPi);
}

} // namespace

TEST(QuantumVortex2D, RecognisesThePresetTrap)
{
    const VortexTrap trap = presetTrap();
    ASSERT_TRUE(trap.found);
    EXPECT_DOUBLE_EQ(trap.curvature, 0.25);
    EXPECT_DOUBLE_EQ(QuantumVortex2D::trapOmega(trap, 1.0), 0.5);
    EXPECT_NEAR(QuantumVortex2D::trapPeriod(trap, 1.0), 4.0 * kPi, 1e-12);
    EXPECT_DOUBLE_EQ(QuantumVortex2D::trapOmega(trap, 1.6), std::sqrt(0.25 / 1.6));
    EXPECT_EQ(QuantumVortex2D::trapOmega(trap, 0.0), 0.0);
    EXPECT_EQ(QuantumVortex2D::trapPeriod(VortexTrap{}, 1.0), 0.0);

    // A trap off the origin keeps each coordinate on its own axis.
    VortexTrap moved;
    ASSERT_TRUE(QuantumVortex2D::extractTrap(sceneOf({harmonicObject(1.5f, -0.75f, 0.5f, 0.5f)}), moved, nullptr));
    EXPECT_DOUBLE_EQ(moved.centerX, 1.5);
    EXPECT_DOUBLE_EQ(moved.centerY, -0.75);
    EXPECT_DOUBLE_EQ(moved.curvature, 0.5);

    std::vector<PotentialObject> withDisabled = vortexTrapObjects();
    PotentialObject wall = rectangleObject(5.0f, 3.0f, 0.0f, 1.0f, 2.0f);
    wall.enabled = false;
    withDisabled.push_back(wall);
    VortexTrap again;
    EXPECT_TRUE(QuantumVortex2D::extractTrap(sceneOf(withDisabled), again, nullptr));

    std::vector<PotentialObject> nearlyIsotropic = vortexTrapObjects();
    nearlyIsotropic[0].curvatureX = 1.0f;
    nearlyIsotropic[0].curvatureY = 1.0000005f;
    EXPECT_TRUE(QuantumVortex2D::extractTrap(sceneOf(nearlyIsotropic), again, nullptr));
}

TEST(QuantumVortex2D, RefusesPerturbedTrapsWithTheirMessages)
{
    EXPECT_EQ(trapMessage({}), "QuantumVortex2D: harmonic trap not found");

    std::vector<PotentialObject> withWall = vortexTrapObjects();
    withWall.push_back(rectangleObject(5.0f, 3.0f, 0.0f, 1.0f, 2.0f));
    EXPECT_EQ(trapMessage(withWall), "QuantumVortex2D: vortex guided analysis expects only one harmonic object");

    std::vector<PotentialObject> two = vortexTrapObjects();
    two.push_back(harmonicObject(1.0f, 0.0f, 0.25f, 0.25f));
    EXPECT_EQ(trapMessage(two), "QuantumVortex2D: expected exactly one enabled harmonic trap");

    std::vector<PotentialObject> disabled = vortexTrapObjects();
    disabled[0].enabled = false;
    EXPECT_EQ(trapMessage(disabled), "QuantumVortex2D: harmonic trap not found");

    std::vector<PotentialObject> inverted = vortexTrapObjects();
    inverted[0].curvatureY = -0.25f;
    EXPECT_EQ(trapMessage(inverted), "QuantumVortex2D: trap curvature must be positive");

    std::vector<PotentialObject> anisotropic = vortexTrapObjects();
    anisotropic[0].curvatureX = 1.0f;
    anisotropic[0].curvatureY = 1.01f;
    EXPECT_EQ(trapMessage(anisotropic), "QuantumVortex2D: guided vortex requires an isotropic harmonic trap");
}

TEST(QuantumVortex2D, StateValidationReportsTheFirstFault)
{
    using test::justAbove;
    using test::setter;
    using S = VortexInitialState;
    const std::string charge = "QuantumVortex2D: charge must be +1 or -1";
    test::expectValueRules(
        QuantumVortex2D::validateConfig, VortexInitialState{},
        {{"envelopeSigma",
          setter(&S::envelopeSigma),
          {1e-9, 1000.0},
          {0.0, justAbove(1000.0)},
          "QuantumVortex2D: envelope sigma must be positive"},
         {"charge", [](S& s, double v) { s.charge = std::int32_t(v); }, {-1.0, 1.0}, {0.0, 2.0, -2.0}, charge}},
        test::finiteOnly<S>({{"envelopeCenterX", &S::envelopeCenterX},
                             {"envelopeCenterY", &S::envelopeCenterY},
                             {"envelopeSigma", &S::envelopeSigma},
                             {"coreX", &S::coreX},
                             {"coreY", &S::coreY}},
                            "QuantumVortex2D: configuration values must be finite"));
    // The first fault wins.
    VortexInitialState state;
    state.charge = 0;
    state.coreX = std::nan("");
    EXPECT_EQ(stateMessage(state), "QuantumVortex2D: configuration values must be finite");

    ComplexField2D empty;
    std::string error;
    EXPECT_FALSE(QuantumVortex2D::prepareInitialState(empty, VortexInitialState{}, &error));
    EXPECT_EQ(error, "QuantumVortex2D: field must not be empty");
    ComplexField2D field(8, 8, 1.0f, 1.0f);
    error = "Kept message";
    EXPECT_FALSE(QuantumVortex2D::prepareInitialState(field, state, &error));
    EXPECT_EQ(error, "Kept message");
}

TEST(QuantumVortex2D, PreparedStateWindsByItsChargeAroundTheCore)
{
    const VortexTrap trap = presetTrap();
    // The preset's core at (1, 0), and one above the diagonal of its plaquette
    // (which runs from (0.88, -0.1) to (1.04, 0.1)): every corner counts.
    for (int charge : {1, -1})
        for (double coreY : {0.0, 0.07}) {
            VortexInitialState state; // envelope sigma 1
            state.charge = charge;
            state.coreY = coreY;
            const ComplexField2D field = preparedVortex(state);
            EXPECT_NEAR(field.norm(), 1.0, 1e-5);
            EXPECT_NEAR(windingAround(field, 1.0, coreY, 0.5), charge, 1e-9);
            EXPECT_NEAR(windingAround(field, -1.0, 0.5, 0.5), 0.0, 1e-9); // no core there

            const VortexCore core = QuantumVortex2D::findCore(field, state, trap);
            ASSERT_TRUE(core.found) << "charge " << charge << " core y " << coreY;
            EXPECT_EQ(core.winding, charge);
            // The centre of the plaquette holding the core: between the cells at
            // x = 0.88 and 1.04 and between those at y = -0.1 and 0.1.
            EXPECT_NEAR(core.x, 0.96, 1e-6);
            EXPECT_NEAR(core.y, 0.0, 1e-6);
            EXPECT_LT(core.coreDensity, 1e-3);
        }
    EXPECT_FALSE(
        QuantumVortex2D::findCore(preparedVortex(VortexInitialState{}), VortexInitialState{}, VortexTrap{}).found);
    // Fewer than three cells along either axis is no search, though a core
    // sits between the two columns (or rows); three are enough.
    for (auto [nx, ny, found] : {std::tuple{2u, 48u, false}, {48u, 2u, false}, {3u, 48u, true}, {48u, 3u, true}}) {
        VortexInitialState centred;
        centred.coreX = 0.03;
        centred.coreY = 0.02;
        ComplexField2D narrow(nx, ny, 0.16f, 0.2f);
        ASSERT_TRUE(QuantumVortex2D::prepareInitialState(narrow, centred, nullptr));
        EXPECT_EQ(QuantumVortex2D::findCore(narrow, centred, trap).found, found) << nx << " x " << ny;
    }
    // The search keeps within four envelope widths of the trap centre, here
    // off the origin at (-1, -1.5): cores 3.5 and 4.5 to its right.
    VortexTrap moved = trap;
    moved.centerX = -1.0;
    moved.centerY = -1.5;
    for (auto [coreX, found] : {std::pair{2.5, true}, std::pair{3.5, false}}) {
        VortexInitialState far;
        far.coreX = coreX;
        far.coreY = -1.5;
        EXPECT_EQ(QuantumVortex2D::findCore(preparedVortex(far), far, moved).found, found) << "core x " << coreX;
    }
    // The same radius along y: 2.5 and 4.5 above the centre.
    for (auto [coreY, found] : {std::pair{1.0, true}, std::pair{3.0, false}}) {
        VortexInitialState far;
        far.coreX = -1.0;
        far.coreY = coreY;
        EXPECT_EQ(QuantumVortex2D::findCore(preparedVortex(far), far, moved).found, found) << "core y " << coreY;
    }
}

// For psi = G(r) (z - c) with a centred Gaussian G of |G|^2 width sigma,
// <Lz> / hbar = s <r^2> / (<r^2> + |c|^2) = s 2 sigma^2 / (2 sigma^2 + |c|^2).
TEST(QuantumVortex2D, AngularMomentumOfThePreparedStateMatchesItsAnalyticValue)
{
    for (int charge : {1, -1})
        for (double coreX : {0.0, 1.0}) {
            VortexInitialState state;
            state.charge = charge;
            state.coreX = coreX;
            const ComplexField2D field = preparedVortex(state);
            const double expected = charge * 2.0 / (2.0 + coreX * coreX);
            EXPECT_NEAR(VortexRecorder::angularMomentum(field, 1.0, 0.0, 0.0), expected, 5e-3)
                << "charge " << charge << " core " << coreX;
            EXPECT_NEAR(VortexRecorder::angularMomentum(field, 2.0, 0.0, 0.0), 2.0 * expected, 1e-2);
        }
    EXPECT_EQ(VortexRecorder::angularMomentum(ComplexField2D(2, 8, 1.0f, 1.0f), 1.0, 0.0, 0.0), 0.0);
    // Three rows, one of them interior, are enough: x + i y turns
    // counterclockwise, and on the interior cells, where the central
    // differences of a linear function are exact, Lz (x + i y) = hbar (x + i y).
    for (std::uint64_t ny : {3u, 4u}) {
        ComplexField2D small(5, ny, 0.5f, 0.4f);
        for (std::uint64_t j = 0; j < ny; ++j)
            for (std::uint64_t i = 0; i < 5; ++i)
                small.at(i, j) = Complex(static_cast<float>(gridCoordinateX(small, i)),
                                         static_cast<float>(gridCoordinateY(small, j)));
        EXPECT_NEAR(VortexRecorder::angularMomentum(small, 1.0, 0.0, 0.0), 1.0, 1e-6) << "5 x " << ny;
    }
    // About a centre off the diagonal, (x - 0.5) + i (y + 0.25) turns about it the same way.
    ComplexField2D shifted(5, 4, 0.5f, 0.4f);
    for (std::uint64_t j = 0; j < 4; ++j)
        for (std::uint64_t i = 0; i < 5; ++i)
            shifted.at(i, j) = Complex(static_cast<float>(gridCoordinateX(shifted, i) - 0.5),
                                       static_cast<float>(gridCoordinateY(shifted, j) + 0.25));
    EXPECT_NEAR(VortexRecorder::angularMomentum(shifted, 1.0, 0.5, -0.25), 1.0, 1e-6);
    EXPECT_EQ(VortexRecorder::angularMomentum(preparedVortex(VortexInitialState{}), 0.0, 0.0, 0.0), 0.0);
}

// A packet with no symmetry on a grid of unequal sides and cells, about a
// centre off the grid's: the reading is the cell-by-cell sum of its
// definition, central differences divided per cell.
TEST(QuantumVortex2D, AngularMomentumIsTheSumOfItsDefinitionCellByCell)
{
    const double hbar = 0.7, cx = 0.4, cy = -0.3;
    ComplexField2D field(23, 14, 0.3f, 0.45f);
    for (std::uint64_t j = 0; j < 14; ++j)
        for (std::uint64_t i = 0; i < 23; ++i) {
            const double x = gridCoordinateX(field, i), y = gridCoordinateY(field, j);
            const std::complex<double> v =
                std::polar(std::exp(-(x * x / 5.0 + (y - 0.5) * (y - 0.5) / 3.0)), 1.3 * x - 0.6 * y + 0.2 * x * y);
            field.at(i, j) = Complex(static_cast<float>(v.real()), static_cast<float>(v.imag()));
        }
    const double dx = field.dx(), dy = field.dy();
    double numerator = 0.0, denominator = 0.0;
    for (std::uint64_t j = 1; j + 1 < 14; ++j)
        for (std::uint64_t i = 1; i + 1 < 23; ++i) {
            const std::complex<double> psi(field.at(i, j));
            const std::complex<double> dPsiDx =
                (std::complex<double>(field.at(i + 1, j)) - std::complex<double>(field.at(i - 1, j))) / (2.0 * dx);
            const std::complex<double> dPsiDy =
                (std::complex<double>(field.at(i, j + 1)) - std::complex<double>(field.at(i, j - 1))) / (2.0 * dy);
            const double x = gridCoordinateX(field, i) - cx, y = gridCoordinateY(field, j) - cy;
            numerator += (std::conj(psi) * std::complex<double>(0.0, -hbar) * (x * dPsiDy - y * dPsiDx)).real();
            denominator += std::norm(psi);
        }
    const double expected = numerator / denominator;
    EXPECT_NEAR(VortexRecorder::angularMomentum(field, hbar, cx, cy), expected, 1e-12 * std::abs(expected));
    EXPECT_GT(std::abs(expected), 0.05) << "a packet that turns";
}

TEST(QuantumVortex2D, ReferenceCorePrecessesWithTheChargeAtTheTrapFrequency)
{
    VortexTrap trap;
    trap.found = true;
    trap.curvature = 1.0; // omega = 1
    trap.centerX = 0.5;
    VortexInitialState state;
    state.coreX = 1.5; // one unit right of the centre
    state.charge = -1;
    double x = 0.0;
    double y = 0.0;
    QuantumVortex2D::referenceCore(kPi / 2.0, state, trap, 1.0, x, y);
    EXPECT_NEAR(x, 0.5, 1e-12); // a quarter turn clockwise: below the centre
    EXPECT_NEAR(y, -1.0, 1e-12);
    state.charge = 1;
    QuantumVortex2D::referenceCore(kPi / 2.0, state, trap, 1.0, x, y);
    EXPECT_NEAR(y, 1.0, 1e-12);
    // From a start off both axes of the centre, an eighth of a turn.
    state.coreY = 0.5;
    QuantumVortex2D::referenceCore(kPi / 4.0, state, trap, 1.0, x, y);
    const double r = std::sqrt(0.5);
    EXPECT_NEAR(x, 0.5 + r * (1.0 - 0.5), 1e-12);
    EXPECT_NEAR(y, r * (1.0 + 0.5), 1e-12);
    state.coreY = 0.0;
    QuantumVortex2D::referenceCore(kPi / 2.0, state, VortexTrap{}, 1.0, x, y);
    EXPECT_EQ(x, 1.5);
    EXPECT_EQ(y, 0.0);
}

TEST(VortexRecorder, RecordsOnlyWhenConfiguredAndKeepsAtLeast32Samples)
{
    const VortexTrap trap = presetTrap();
    const VortexInitialState state;
    const ComplexField2D field = preparedVortex(state);

    VortexRecorder recorder(10);
    EXPECT_EQ(recorder.capacity(), 32u);
    recorder.record(0.0, field, 1.0);
    EXPECT_TRUE(recorder.isEmpty());

    VortexInitialState bad;
    bad.charge = 3;
    recorder.configure(bad, trap);
    EXPECT_FALSE(recorderIsConfigured(recorder));
    recorder.configure(state, VortexTrap{});
    EXPECT_FALSE(recorderIsConfigured(recorder));

    recorder.configure(state, trap);
    ASSERT_TRUE(recorderIsConfigured(recorder));
    recorder.record(std::nan(""), field, 1.0);
    EXPECT_TRUE(recorder.isEmpty());
    for (int k = 0; k < 40; ++k)
        recorder.record(k, field, 1.0);
    ASSERT_EQ(recorder.samples().size(), 32u);
    EXPECT_EQ(recorder.samples().front().time, 8.0);
    const VortexSample& s = recorder.samples().back();
    EXPECT_TRUE(s.found);
    EXPECT_EQ(s.winding, 1);
    EXPECT_NEAR(s.angularMomentum, 2.0 / 3.0, 5e-3);
    EXPECT_NEAR(s.norm, 1.0, 1e-5);

    recorder.reset();
    EXPECT_FALSE(recorder.isConfigured());
    EXPECT_TRUE(recorder.isEmpty());
    EXPECT_FALSE(recorder.trap().found);
}
