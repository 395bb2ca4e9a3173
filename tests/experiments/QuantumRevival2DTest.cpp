#include "experiments/QuantumRevival2D.h"
#include "experiments/RevivalRecorder.h"
#include "experiments/PaintedWellRevival.h"

#include "core/GaussianPacket2D.h"
#include "core/Numeric.h"
#include "core/PotentialField2D.h"
#include "core/SplitStepFourierSolver2D.h"
#include "tests/experiments/CheckMessages.h"
#include "tests/experiments/PresetScenes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numeric>
#include <random>
#include <string>
#include <vector>

using namespace vxo;
using namespace vxo::test;

namespace {

std::string revivalMessage(const std::vector<PotentialObject>& objects)
{
    RevivalBoxConfig config;
    const std::string error = refusalMessage(QuantumRevival2D::extractFromScene, sceneOf(objects), config);
    EXPECT_FALSE(config.valid);
    return error;
}

ComplexField2D filledField(std::uint64_t nx, std::uint64_t ny, float dx, float dy, Complex value)
{
    ComplexField2D field(nx, ny, dx, dy);
    field.fill(value);
    return field;
}

} // namespace

TEST(QuantumRevival2D, RecognisesThePresetBoxAndItsRevivalTimes)
{
    RevivalBoxConfig config;
    std::string error;
    ASSERT_TRUE(QuantumRevival2D::extractFromScene(sceneOf(revivalBoxObjects()), config, &error)) << error;
    EXPECT_NEAR(config.interiorWidth, 6.4, 1e-5);
    EXPECT_NEAR(config.interiorHeight, 6.4, 1e-5);
    EXPECT_NEAR(config.interiorCenterX, 0.0, 1e-6);
    EXPECT_NEAR(config.interiorCenterY, 0.0, 1e-6);
    EXPECT_NEAR(config.verticalWallThickness, 1.28, 1e-6);
    EXPECT_NEAR(config.horizontalWallThickness, 1.28, 1e-6);
    EXPECT_DOUBLE_EQ(config.wallHeight, 120.0);

    // T_rev = 4 m L^2 / (pi hbar) = 4 * 6.4^2 / pi, about 52.15.
    EXPECT_NEAR(config.revivalTimeX(1.0, 1.0), 4.0 * 6.4 * 6.4 / kPi, 1e-4);
    EXPECT_NEAR(config.revivalTimeY(2.0, 0.5), 4.0 * 2.0 * 6.4 * 6.4 / (kPi * 0.5), 1e-3);

    // An oblong box off the origin with walls of two thicknesses: each figure
    // comes from its own axis (its centre lies right of its top wall's height,
    // so that ordering the walls by an x would show).
    ASSERT_TRUE(QuantumRevival2D::extractFromScene(sceneOf(boxObjects(90.0f, 4.5, -0.75, 6.4, 4.8, 1.28, 0.96)), config,
                                                   &error))
        << error;
    EXPECT_NEAR(config.interiorWidth, 6.4, 1e-5);
    EXPECT_NEAR(config.interiorHeight, 4.8, 1e-5);
    EXPECT_NEAR(config.interiorCenterX, 4.5, 1e-6);
    EXPECT_NEAR(config.interiorCenterY, -0.75, 1e-6);
    EXPECT_NEAR(config.verticalWallThickness, 1.28, 1e-6);
    EXPECT_NEAR(config.horizontalWallThickness, 0.96, 1e-6);
    EXPECT_DOUBLE_EQ(config.wallHeight, 90.0);
    EXPECT_NEAR(config.revivalTimeX(1.5, 0.7), 4.0 * 1.5 * 6.4 * 6.4 / (kPi * 0.7), 1e-4);
    EXPECT_NEAR(config.revivalTimeY(1.5, 0.7), 4.0 * 1.5 * 4.8 * 4.8 / (kPi * 0.7), 1e-4);
    EXPECT_NEAR(revivalTime(10.0, 1.0, 1.0), 400.0 / kPi, 1e-9);
    EXPECT_EQ(revivalTime(10.0, 0.0, 1.0), 0.0);
    EXPECT_EQ(revivalTime(std::nan(""), 1.0, 1.0), 0.0);
    EXPECT_EQ(revivalTime(10.0, -1.0, 1.0), 0.0);
    EXPECT_EQ(revivalTime(10.0, 1.0, 0.0), 0.0);
    EXPECT_EQ(RevivalBoxConfig{}.revivalTimeX(1.0, 1.0), 0.0);
}

TEST(QuantumRevival2D, RefusesPerturbedBoxesWithTheirMessages)
{
    std::vector<PotentialObject> harmonic = revivalBoxObjects();
    harmonic.push_back(harmonicObject(0.0f, 0.0f, 0.25f, 0.25f));
    EXPECT_EQ(revivalMessage(harmonic), "Quantum revival box expects four enabled positive Rectangle walls.");

    std::vector<PotentialObject> square = revivalBoxObjects();
    square[1].width = square[1].height;
    EXPECT_EQ(revivalMessage(square), "Quantum revival box walls must be clearly vertical or horizontal.");

    std::vector<PotentialObject> threeVertical = revivalBoxObjects();
    threeVertical[3] = threeVertical[2];
    EXPECT_EQ(revivalMessage(threeVertical),
              "Quantum revival box needs exactly two vertical and two horizontal walls.");

    std::vector<PotentialObject> crossed = revivalBoxObjects();
    crossed[0].width = 8.0f; // inner faces at x = 0.16 and x = -0.16
    crossed[2].width = 8.0f;
    EXPECT_EQ(revivalMessage(crossed), "Quantum revival box walls overlap or leave no finite interior.");

    std::vector<PotentialObject> lower = revivalBoxObjects();
    lower[3].value = 110.0f;
    EXPECT_EQ(revivalMessage(lower), "Quantum revival box walls must use the same potential height.");

    std::vector<PotentialObject> thicker = revivalBoxObjects();
    thicker[0].width = 0.5f;
    thicker[2].width = 0.6f;
    EXPECT_EQ(revivalMessage(thicker), "Opposite quantum-box walls must use equal thickness.");

    // Any one wall of an oblong box off the origin slid along its side.
    for (std::size_t wall = 0; wall < 4; ++wall) {
        std::vector<PotentialObject> shifted = boxObjects(90.0f, 1.5, -0.75, 6.4, 4.8, 1.28, 0.96);
        (wall % 2 == 0 ? shifted[wall].centerY : shifted[wall].centerX) += 0.5f;
        EXPECT_EQ(revivalMessage(shifted), "Quantum revival box walls are not centred on one rectangular interior.")
            << "wall " << wall;
    }

    // The wall lengths along the box sides take no part; disabled objects neither.
    std::vector<PotentialObject> longer = revivalBoxObjects();
    longer[1].width = 20.0f;
    PotentialObject off = harmonicObject(0.0f, 0.0f, 1.0f, 1.0f);
    off.enabled = false;
    longer.push_back(off);
    RevivalBoxConfig config;
    EXPECT_TRUE(QuantumRevival2D::extractFromScene(sceneOf(longer), config, nullptr));
}

TEST(QuantumRevival2D, OverlapIsTheNormalisedFidelityOfTwoStates)
{
    const ComplexField2D a = filledField(6, 4, 0.5f, 0.25f, Complex(1.0f, 0.0f));
    ComplexField2D b = filledField(6, 4, 0.5f, 0.25f, Complex(0.0f, 3.0f));
    EXPECT_NEAR(overlapProbability(a, b), 1.0, 1e-12); // a global phase and scale do not matter

    // Half the cells change sign: <a|b> = 0.
    for (std::uint64_t j = 0; j < 2; ++j)
        for (std::uint64_t i = 0; i < b.nx(); ++i)
            b.at(i, j) = -b.at(i, j);
    EXPECT_NEAR(overlapProbability(a, b), 0.0, 1e-12);

    // Another grid, differing in any one of its sizes or spacings, has no overlap.
    EXPECT_EQ(overlapProbability(a, ComplexField2D()), 0.0);
    for (const ComplexField2D& other :
         {filledField(6, 8, 0.5f, 0.25f, Complex(1.0f, 0.0f)), filledField(4, 4, 0.5f, 0.25f, Complex(1.0f, 0.0f)),
          filledField(6, 4, 0.25f, 0.25f, Complex(1.0f, 0.0f)), filledField(6, 4, 0.5f, 0.5f, Complex(1.0f, 0.0f))})
        EXPECT_EQ(overlapProbability(a, other), 0.0)
            << other.nx() << " x " << other.ny() << " cells of " << other.dx() << " x " << other.dy();
    // A state without probability, on either side, has no overlap (not 0 / 0).
    const ComplexField2D zero = filledField(6, 4, 0.5f, 0.25f, Complex(0.0f, 0.0f));
    EXPECT_EQ(overlapProbability(a, zero), 0.0);
    EXPECT_EQ(normalisedOverlap(a, zero), 0.0);
    EXPECT_EQ(normalisedOverlap(zero, a), 0.0);
}

TEST(RevivalRecorder, StoresInitialStateAndKeepsTheNewestSamples)
{
    RevivalRecorder recorder(3);
    const ComplexField2D field = filledField(8, 4, 0.5f, 0.25f, Complex(0.5f, 0.0f));
    EXPECT_FALSE(recorder.record(0.0, field)); // nothing stored yet
    ASSERT_TRUE(recorder.setInitialState(field));
    ASSERT_TRUE(recorder.record(0.0, field));
    EXPECT_DOUBLE_EQ(recorder.samples()[0].fidelity, 1.0);
    ASSERT_EQ(recorder.samples()[0].xMarginal.size(), 8u);
    // Per column: 4 rows of 0.25 times dy 0.25.
    EXPECT_FLOAT_EQ(recorder.samples()[0].xMarginal[3], 0.25f);

    for (int k = 2; k <= 5; ++k)
        ASSERT_TRUE(recorder.record(k, field));
    ASSERT_EQ(recorder.samples().size(), 3u);
    EXPECT_EQ(recorder.samples()[0].time, 3.0);
    EXPECT_EQ(recorder.samples()[2].time, 5.0);

    EXPECT_FALSE(recorder.record(6.0, filledField(4, 4, 0.5f, 0.25f, Complex(1.0f, 0.0f))));
    EXPECT_EQ(recorder.samples().size(), 3u);

    EXPECT_FALSE(recorder.setInitialState(ComplexField2D()));
    EXPECT_TRUE(recorder.samples().empty());
    EXPECT_EQ(recorder.initialState().nx(), 0u);
    EXPECT_FALSE(recorder.record(7.0, field));

    ASSERT_TRUE(recorder.setInitialState(field));
    recorder.clear();
    EXPECT_FALSE(recorder.hasInitialState());
    EXPECT_EQ(recorder.initialState().ny(), 0u);
    EXPECT_EQ(RevivalRecorder(0).capacity(), 1u);
}

// Hard walls at x = 0 and x = L are exact on a periodic domain of width 2L
// for states odd about x = 0 (and hence about x = +-L): the solver then
// evolves the infinite well of the preset box's interior, whose every level
// is back in phase after T_rev and mirrored after T_rev / 2.
TEST(RevivalRecorder, StateRevivesAfterTheRevivalTimeOfTheBox)
{
    RevivalBoxConfig box;
    ASSERT_TRUE(QuantumRevival2D::extractFromScene(sceneOf(revivalBoxObjects()), box, nullptr));
    const double length = box.interiorWidth;
    const double revival = box.revivalTimeX(1.0, 1.0);

    const std::uint64_t n = 64;
    const float d = static_cast<float>(2.0 * length / n);
    ComplexField2D psi(n, n, d, d);
    // The preset packet, placed relative to a corner of the interior.
    const double x0 = 0.5 * length - 1.3;
    const double y0 = 0.5 * length - 0.8;
    const double px = 2.6;
    const double py = 1.8;
    auto packet = [&](double x, double y) {
        const double r2 = (x - x0) * (x - x0) + (y - y0) * (y - y0);
        return std::exp(-r2 / (4.0 * 0.55 * 0.55)) * std::polar(1.0, px * x + py * y);
    };
    for (std::uint64_t j = 0; j < n; ++j)
        for (std::uint64_t i = 0; i < n; ++i) {
            const double x = gridCoordinateX(psi, i);
            const double y = gridCoordinateY(psi, j);
            const std::complex<double> v = packet(x, y) - packet(-x, y) - packet(x, -y) + packet(-x, -y);
            psi.at(i, j) = Complex(static_cast<float>(v.real()), static_cast<float>(v.imag()));
        }
    ASSERT_TRUE(psi.normalize());

    PotentialField2D free(n, n, d, d);
    SplitStepFourierSolver2D solver;
    const int steps = 200; // free evolution is exact for any step
    SplitStepParameters parameters;
    parameters.dt = static_cast<float>(revival / steps);
    solver.configure(parameters);

    RevivalRecorder recorder(16);
    ASSERT_TRUE(recorder.setInitialState(psi));
    for (int k = 1; k <= steps; ++k) {
        solver.step(psi, free);
        if (k == steps / 2 || k == steps) {
            ASSERT_TRUE(recorder.record(solver.time(), psi));
        }
    }
    ASSERT_EQ(recorder.samples().size(), 2u);
    EXPECT_LT(recorder.samples()[0].fidelity, 0.01); // the mirror image
    EXPECT_GT(recorder.samples()[1].fidelity, 0.999);
    EXPECT_NEAR(recorder.samples()[1].time, revival, 1e-3);
}

// Cells 0.25 x 0.75 on 16 x 8, each holding x + 10 y of its centre, so that a
// value names its cell. A line is the row (along x) or column (along y) whose
// centre lies nearest `across`, the outermost one beyond the grid, read over
// the centres in the closed span at that axis's spacing.
TEST(PaintedWellRevival, TheLineIsTheRowOrColumnNearestItsCoordinate)
{
    const std::uint64_t nx = 16, ny = 8;
    const double dx = 0.25, dy = 0.75;
    PotentialField2D v(nx, ny, float(dx), float(dy));
    v.addLinear(0.0f, 0.0f, 0.0f, 1.0f, 10.0f);
    // Centres counted from the grid's lower edges (the grid is centred on the origin).
    const auto x = [&](int i) { return -0.5 * double(nx) * dx + (i + 0.5) * dx; };
    const auto y = [&](int j) { return -0.5 * double(ny) * dy + (j + 0.5) * dy; };
    const struct Case {
        bool alongX;
        double across, from, to;
        int fixed, first, last; // the row (or column) read and its cells in the span
    } cases[] = {
        {true, 1.0, x(3), x(9), 5, 3, 9}, // row centres 0.375 and 1.125
        {true, 50.0, justAbove(x(3)), justBelow(x(9)), 7, 4, 8},
        {false, -0.3, y(1), y(6), 6, 1, 6}, // column centres -0.375 and -0.125
        {false, 50.0, -10.0, 10.0, 15, 0, 7},
        {false, -50.0, y(2), y(2), 0, 2, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.alongX ? "along x" : "along y") + " through " + std::to_string(c.across));
        const PaintedLine line = paintedLine(v, c.alongX, c.across, c.from, c.to);
        ASSERT_EQ(line.values.size(), std::size_t(c.last - c.first + 1));
        EXPECT_EQ(line.spacing, c.alongX ? dx : dy);
        EXPECT_EQ(line.firstCentre, c.alongX ? x(c.first) : y(c.first));
        for (int k = c.first; k <= c.last; ++k)
            EXPECT_EQ(line.values[std::size_t(k - c.first)],
                      c.alongX ? x(k) + 10.0 * y(c.fixed) : x(c.fixed) + 10.0 * y(k))
                << "cell " << k;
    }
    for (const PotentialField2D& flat : {PotentialField2D(0, 8, 0.25f, 0.75f), PotentialField2D(16, 0, 0.25f, 0.75f)})
        for (const bool alongX : {true, false})
            EXPECT_TRUE(paintedLine(flat, alongX, 0.0, -10.0, 10.0).values.empty()) << "a grid without cells";
}

// The preset's box (interior 6.4, walls 1.28 thick and 120 high) painted on
// cells 0.16 x 0.128, its packet run at the window's step: the walls are
// finite and painted cell by cell, so the packet comes back later than the
// infinite well's 52.15, at the time the levels of the box as painted give
// for it, to within 1% of the peak of the fidelity the run measures.
TEST(PaintedWellRevival, TheLevelsOfThePaintedBoxGiveTheMeasuredRevival)
{
    const double inner = 6.4, wall = 1.28, height = 120.0;
    ComplexField2D psi(128, 128, 0.16f, 0.128f);
    PotentialField2D v(psi.nx(), psi.ny(), psi.dx(), psi.dy());
    const float side = float(inner / 2 + wall / 2), outer = float(inner + 2 * wall);
    v.addRectangle(-side, 0.0f, float(wall), outer, float(height));
    v.addRectangle(side, 0.0f, float(wall), outer, float(height));
    v.addRectangle(0.0f, -side, outer, float(wall), float(height));
    v.addRectangle(0.0f, side, outer, float(wall), float(height));
    const GaussianPacket2D start{-1.3f, -0.8f, 0.55f, 2.6f, 1.8f};
    GaussianPacket2D::prepare(psi, start);

    double times[2];
    for (const bool alongX : {true, false}) {
        LinePacket packet;
        packet.sigma = start.sigma;
        packet.centre = alongX ? start.x0 : start.y0;
        packet.wavenumber = alongX ? start.px : start.py;
        const PaintedLine line =
            paintedLine(v, alongX, alongX ? start.y0 : start.x0, -side - wall / 2, side + wall / 2);
        times[alongX ? 0 : 1] = paintedWellRevivalTime(line, packet, 1.0, 1.0, revivalTime(inner, 1.0, 1.0));
    }

    const ComplexField2D initial = psi;
    SplitStepFourierSolver2D solver;
    solver.configure(SplitStepParameters{1.0f, 1.0f, 0.02f});
    const double infinite = revivalTime(inner, 1.0, 1.0);
    double peak = 0.0, peakTime = 0.0;
    while (solver.time() < 1.15 * infinite) {
        solver.step(psi, v);
        if (solver.time() < 0.95 * infinite)
            continue;
        const double f = overlapProbability(initial, psi);
        if (f > peak) {
            peak = f;
            peakTime = solver.time();
        }
    }
    EXPECT_GT(peak, 0.8) << "the packet revives";
    EXPECT_GT(std::abs(peakTime / infinite - 1.0), 0.03) << "finite walls delay the revival";
    EXPECT_NEAR(times[0], peakTime, 0.01 * peakTime) << "along x";
    EXPECT_NEAR(times[1], peakTime, 0.01 * peakTime) << "along y";
}

namespace {

// Cyclic Jacobi rotations, the reference the levels of the painted box were
// first computed with: slow but simple enough to trust.
void jacobiEigenReference(std::vector<double> a, std::size_t n, std::vector<double>& values,
                          std::vector<double>& vectors)
{
    vectors.assign(n * n, 0.0);
    for (std::size_t i = 0; i < n; ++i)
        vectors[i * n + i] = 1.0;
    for (int sweep = 0; sweep < 60; ++sweep) {
        double off = 0.0, diagonal = 0.0;
        for (std::size_t p = 0; p < n; ++p) {
            diagonal += a[p * n + p] * a[p * n + p];
            for (std::size_t q = p + 1; q < n; ++q)
                off += a[p * n + q] * a[p * n + q];
        }
        if (off <= 1e-30 * diagonal)
            break;
        for (std::size_t p = 0; p < n; ++p)
            for (std::size_t q = p + 1; q < n; ++q) {
                if (a[p * n + q] == 0.0)
                    continue;
                const double theta = (a[q * n + q] - a[p * n + p]) / (2.0 * a[p * n + q]);
                const double t = std::copysign(1.0, theta) / (std::abs(theta) + std::hypot(theta, 1.0));
                const double c = 1.0 / std::hypot(t, 1.0), s = t * c;
                const auto rotate = [&](double& x, double& y) {
                    const double u = x, w = y;
                    x = c * u - s * w;
                    y = s * u + c * w;
                };
                for (std::size_t k = 0; k < n; ++k)
                    rotate(a[k * n + p], a[k * n + q]);
                for (std::size_t k = 0; k < n; ++k)
                    rotate(a[p * n + k], a[q * n + k]);
                for (std::size_t k = 0; k < n; ++k)
                    rotate(vectors[k * n + p], vectors[k * n + q]);
            }
    }
    values.resize(n);
    for (std::size_t i = 0; i < n; ++i)
        values[i] = a[i * n + i];
}

// Orthonormal and symmetric: the sine transform's matrix, sqrt(2 / (n + 1))
// sin(pi (i + 1)(j + 1) / (n + 1)).
std::vector<double> sineTransformMatrix(std::size_t n)
{
    std::vector<double> s(n * n);
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = 0; j < n; ++j)
            s[i * n + j] = std::sqrt(2.0 / double(n + 1)) * std::sin(kPi * double((i + 1) * (j + 1)) / double(n + 1));
    return s;
}

// S diag(spectrum) S: dense, with exactly that spectrum.
std::vector<double> withSpectrum(const std::vector<double>& spectrum)
{
    const std::size_t n = spectrum.size();
    const std::vector<double> s = sineTransformMatrix(n);
    std::vector<double> a(n * n, 0.0);
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = 0; j < n; ++j)
            for (std::size_t k = 0; k < n; ++k)
                a[i * n + j] += s[i * n + k] * spectrum[k] * s[k * n + j];
    return a;
}

// The free line of n cells of spacing d, periodic across its span: levels
// (hbar k)^2 / 2m with k = 2 pi q / (n d), q from -(n - 1) / 2 to n / 2.
struct FreeRing {
    std::size_t n;
    double spacing, mass, hbar;
    PaintedLine line() const
    {
        PaintedLine l;
        l.values.assign(n, 0.0);
        l.spacing = spacing;
        l.firstCentre = -0.5 * double(n - 1) * spacing;
        return l;
    }
    std::vector<double> levels() const
    {
        std::vector<double> e;
        for (long q = -long(n - 1) / 2; q <= long(n) / 2; ++q) {
            const double k = 2.0 * kPi * double(q) / (double(n) * spacing);
            e.push_back(hbar * hbar * k * k / (2.0 * mass));
        }
        std::sort(e.begin(), e.end());
        return e;
    }
};

std::vector<double> laplacianMatrix(std::size_t n)
{
    std::vector<double> a(n * n, 0.0);
    for (std::size_t i = 0; i < n; ++i) {
        a[i * n + i] = 2.0;
        if (i + 1 < n)
            a[i * n + i + 1] = a[(i + 1) * n + i] = -1.0;
    }
    return a;
}

std::vector<double> randomSymmetricMatrix(std::size_t n, unsigned seed)
{
    std::mt19937 generator(seed);
    std::vector<double> a(n * n);
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = 0; j <= i; ++j)
            a[i * n + j] = a[j * n + i] = double(generator()) / double(generator.max()) * 2.0 - 1.0;
    return a;
}

} // namespace

// Each matrix's eigenpairs: ascending, A v = lambda v, V^T V = I to rounding
// of the matrix's size, and the exact spectrum where one is known.
TEST(SymmetricEigen, SpectraAndVectorsOfKnownMatrices)
{
    struct Case {
        std::string name;
        std::size_t n;
        std::vector<double> matrix;
        std::vector<double> exact; // empty: not known in closed form
    };
    std::vector<Case> cases = {
        {"one entry", 1, {-3.5}, {-3.5}},
        {"two by two", 2, {1.0, 2.0, 2.0, 1.0}, {-1.0, 3.0}},
        {"two, diagonal and out of order", 2, {5.0, 0.0, 0.0, -2.0}, {-2.0, 5.0}},
        {"zero matrix", 5, std::vector<double>(25, 0.0), std::vector<double>(5, 0.0)},
        {"random symmetric", 40, randomSymmetricMatrix(40, 7u), {}},
        {"random symmetric, odd size", 33, randomSymmetricMatrix(33, 11u), {}},
    };
    std::vector<double> laplacian;
    for (std::size_t k = 1; k <= 9; ++k)
        laplacian.push_back(2.0 - 2.0 * std::cos(kPi * double(k) / 10.0));
    cases.push_back({"discrete Laplacian", 9, laplacianMatrix(9), laplacian});
    const std::vector<double> degenerate = {-2.0, 1.0, 1.0, 1.0, 3.0, 3.0, 7.5, 10.0, 10.0, 10.0, 10.0, 40.0};
    cases.push_back({"dense, with a fourfold level", degenerate.size(), withSpectrum(degenerate), degenerate});
    for (const FreeRing ring : {FreeRing{12, 0.3, 1.7, 0.8}, FreeRing{15, 0.16, 1.0, 1.0}}) {
        const std::vector<double> h = paintedLineHamiltonian(ring.line(), ring.mass, ring.hbar);
        cases.push_back({"free ring of " + std::to_string(ring.n), ring.n, h, ring.levels()});
    }

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::size_t n = c.n;
        ASSERT_EQ(c.matrix.size(), n * n);
        std::vector<double> values, vectors;
        symmetricEigen(c.matrix, n, values, vectors);
        ASSERT_EQ(values.size(), n);
        ASSERT_EQ(vectors.size(), n * n);
        double scale = 1.0;
        for (const double a : c.matrix)
            scale = std::max(scale, std::abs(a) * double(n));
        const double tolerance = 1e-12 * scale;
        for (std::size_t m = 0; m + 1 < n; ++m)
            EXPECT_LE(values[m], values[m + 1]) << "ascending at " << m;
        for (std::size_t m = 0; m < c.exact.size(); ++m)
            EXPECT_NEAR(values[m], c.exact[m], tolerance) << "level " << m;
        for (std::size_t m = 0; m < n; ++m) {
            double residual = 0.0;
            for (std::size_t i = 0; i < n; ++i) {
                double av = 0.0;
                for (std::size_t j = 0; j < n; ++j)
                    av += c.matrix[i * n + j] * vectors[j * n + m];
                residual = std::max(residual, std::abs(av - values[m] * vectors[i * n + m]));
            }
            EXPECT_LE(residual, tolerance) << "A v = lambda v for level " << m;
            for (std::size_t l = 0; l <= m; ++l) {
                double dot = 0.0;
                for (std::size_t i = 0; i < n; ++i)
                    dot += vectors[i * n + l] * vectors[i * n + m];
                EXPECT_NEAR(dot, l == m ? 1.0 : 0.0, 1e-12 * double(n)) << "columns " << l << ", " << m;
            }
        }
    }

    std::vector<double> values{1.0}, vectors{1.0};
    symmetricEigen({1.0, 2.0, 3.0}, 2, values, vectors);
    EXPECT_TRUE(values.empty() && vectors.empty()) << "a matrix shorter than n x n";
}

// The preset's box (interior 6.4, walls 1.28 thick and 120 high) on its own
// grid of 0.16 and on the finest of 0.04: the levels the packet populates and
// its weights in them, from the eigenvectors or with the packet carried
// through the reduction, are those cyclic Jacobi rotations give.
TEST(PaintedWellRevival, ThePopulatedLevelsAreThoseOfJacobiRotations)
{
    const double inner = 6.4, wall = 1.28, height = 120.0, domain = 40.96;
    const GaussianPacket2D start{-1.3f, -0.8f, 0.55f, 2.6f, 1.8f};
    for (const std::uint64_t cells : {std::uint64_t{256}, std::uint64_t{1024}}) {
        PotentialField2D v(cells, cells, float(domain / double(cells)), float(domain / double(cells)));
        const float side = float(inner / 2 + wall / 2), outer = float(inner + 2 * wall);
        v.addRectangle(-side, 0.0f, float(wall), outer, float(height));
        v.addRectangle(side, 0.0f, float(wall), outer, float(height));
        v.addRectangle(0.0f, -side, outer, float(wall), float(height));
        v.addRectangle(0.0f, side, outer, float(wall), float(height));
        for (const bool alongX : {true, false}) {
            SCOPED_TRACE(std::to_string(cells) + (alongX ? " cells, along x" : " cells, along y"));
            const PaintedLine line =
                paintedLine(v, alongX, alongX ? start.y0 : start.x0, -side - wall / 2, side + wall / 2);
            const std::size_t n = line.values.size();
            const std::vector<double> h = paintedLineHamiltonian(line, 1.0, 1.0);
            ASSERT_EQ(h.size(), n * n);
            std::vector<double> levels, vectors, referenceLevels, referenceVectors;
            symmetricEigen(h, n, levels, vectors);
            jacobiEigenReference(h, n, referenceLevels, referenceVectors);
            ASSERT_EQ(levels.size(), n);

            // The packet's weight in each level, |<E_m|packet>|^2, normalised.
            const auto weights = [&](const std::vector<double>& columns) {
                std::vector<double> w(n);
                double total = 0.0;
                for (std::size_t m = 0; m < n; ++m) {
                    std::complex<double> overlap = 0.0;
                    for (std::size_t k = 0; k < n; ++k) {
                        const double x = line.firstCentre + double(k) * line.spacing;
                        const double centre = alongX ? start.x0 : start.y0;
                        const double u = (x - centre) / start.sigma;
                        overlap += columns[k * n + m] *
                                   std::exp(std::complex<double>(-0.25 * u * u, (alongX ? start.px : start.py) * x));
                    }
                    total += w[m] = std::norm(overlap);
                }
                for (double& x : w)
                    x /= total;
                return w;
            };
            const std::vector<double> w = weights(vectors);
            std::vector<std::size_t> order(n);
            std::iota(order.begin(), order.end(), std::size_t{0});
            std::sort(order.begin(), order.end(),
                      [&](std::size_t i, std::size_t j) { return referenceLevels[i] < referenceLevels[j]; });
            const std::vector<double> referenceW = weights(referenceVectors);
            LinePacket packet;
            packet.centre = alongX ? start.x0 : start.y0;
            packet.sigma = start.sigma;
            packet.wavenumber = alongX ? start.px : start.py;
            const PacketLevels carried = packetLevels(line, packet, 1.0, 1.0);
            ASSERT_EQ(carried.energies.size(), n);
            ASSERT_EQ(carried.weights.size(), n);
            double populated = 0.0;
            int count = 0;
            for (std::size_t m = 0; m < n; ++m) {
                const double level = referenceLevels[order[m]], weight = referenceW[order[m]];
                if (weight < 1e-8)
                    continue;
                ++count;
                populated += weight;
                const double tolerance = 1e-9 * std::max(1.0, std::abs(level));
                EXPECT_NEAR(levels[m], level, tolerance) << "level " << m << " from the eigenvectors";
                EXPECT_NEAR(w[m], weight, 1e-9) << "weight in level " << m << " from the eigenvectors";
                EXPECT_NEAR(carried.energies[m], level, tolerance) << "level " << m << " with the packet carried";
                EXPECT_NEAR(carried.weights[m], weight, 1e-9) << "weight in level " << m << " with the packet carried";
            }
            EXPECT_GT(count, 5) << "the packet spreads over several levels";
            EXPECT_GT(populated, 1.0 - 1e-6);
        }
    }
}

// On a free ring every level is (hbar^2 / 2m)(2 pi q / L)^2: all phases meet
// again at L^2 m / (pi hbar), where the recurrence is exactly one; found from
// a guess off by up to a sixth either way.
TEST(PaintedWellRevival, AFreeRingRevivesAtItsExactTime)
{
    struct Case {
        FreeRing ring;
        double guessFactor;
        LinePacket packet;
    };
    const Case cases[] = {
        {{64, 0.16, 1.0, 1.0}, 1.0, {0.3, 0.6, 2.0}},
        {{64, 0.16, 1.0, 1.0}, 0.85, {0.3, 0.6, 2.0}},
        {{50, 0.2, 2.5, 0.7}, 1.15, {-1.0, 0.4, -3.0}},
        {{91, 0.11, 0.6, 1.3}, 0.9, {0.0, 0.8, 1.0}},
    };
    for (const Case& c : cases) {
        const double span = double(c.ring.n) * c.ring.spacing;
        const double exact = span * span * c.ring.mass / (kPi * c.ring.hbar);
        SCOPED_TRACE("n = " + std::to_string(c.ring.n) + ", guess " + std::to_string(c.guessFactor));
        const double found =
            paintedWellRevivalTime(c.ring.line(), c.packet, c.ring.mass, c.ring.hbar, c.guessFactor * exact);
        EXPECT_NEAR(found, exact, 1e-7 * exact);
    }
}

// A rebuild of the same box asks again for its two lines, along x and along
// y: the memo answers both without a solve. A third line (a box changed on
// one axis) pushes out the line asked for longest ago, which is solved anew
// when asked for again; the answers are those of a solve.
TEST(PaintedWellRevival, TheMemoAnswersTheLinesOfTheLastBoxAskedFor)
{
    const LinePacket packet{0.0, 1.0, 2.0};
    const FreeRing alongX{24, 0.25, 1.0, 1.0}, alongY{24, 0.3, 1.0, 1.0}, changed{24, 0.35, 1.0, 1.0};
    PaintedWellRevivalMemo memo;
    const auto ask = [&](const FreeRing& ring) {
        const double time = memo.revivalTime(ring.line(), packet, 1.0, 1.0, 2.0);
        EXPECT_EQ(time, paintedWellRevivalTime(ring.line(), packet, 1.0, 1.0, 2.0)) << "spacing " << ring.spacing;
        return memo.computations();
    };
    EXPECT_EQ(ask(alongX), 1u);
    EXPECT_EQ(ask(alongY), 2u);
    EXPECT_EQ(ask(alongX), 2u) << "the box rebuilt";
    EXPECT_EQ(ask(alongY), 2u) << "the box rebuilt";
    EXPECT_EQ(ask(changed), 3u);
    EXPECT_EQ(ask(alongY), 3u) << "the line kept beside the new one";
    EXPECT_EQ(ask(alongX), 4u) << "the line asked for longest ago";
}
