#include "core/FFT2DKernels.h"
#include "core/PhaseFactors.h"
#include "core/PhaseOffsetKernels.h"
#include "core/PhaseRoundingKernels.h"
#include "core/PotentialField2D.h"
#include "core/PotentialPhaseTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

using vxo::Complex;
using vxo::PotentialField2D;
namespace fft2d = vxo::fft2d;

namespace {

bool sameBits(const Complex& a, const Complex& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The plain definition: each cell rounded by roundOffsetCarried, one carried
// error per run of every fourth cell.
std::vector<Complex> scalarRuns(const std::vector<double>& d, const std::vector<double>& s, double* carried)
{
    std::vector<Complex> out(d.size());
    for (std::size_t k = 0; k < d.size(); ++k)
        out[k] = vxo::roundOffsetCarried(d[k], s[k], carried[k % 4]);
    return out;
}

} // namespace

TEST(PhaseRoundingKernels, EveryPathRoundsAsTheScalarRunsBitForBit)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    // Random angles (offset -2 sin^2 of the half angle, sine), then the
    // awkward ones: zero offsets of either sign, tiny offsets whose parts are
    // small normal, subnormal or zero floats, offsets near -2 and -1 (a real
    // part of zero: no slope), values that are not finite.
    std::vector<double> d, s;
    std::mt19937 random(2718);
    std::uniform_real_distribution<double> angle(-10.0, 10.0);
    std::uniform_real_distribution<double> exponent(-60.0, -1.0);
    for (int k = 0; k < 1000; ++k) {
        const double a = k % 3 == 0 ? std::exp2(exponent(random)) * (k % 2 ? 1 : -1) : angle(random);
        d.push_back(-2.0 * std::sin(0.5 * a) * std::sin(0.5 * a));
        s.push_back(std::sin(a));
    }
    const std::vector<std::pair<double, double>> special = {
        {0.0, 0.0},      {-0.0, 0.0},      {0.0, -0.0},
        {-0.0, -0.0}, // zero offsets
        {0.0, 1e-30},    {-0.0, -2e-9},    {0.0, -3e-42},
        {-1e-42, 1e-21}, {-1e-35, 4e-18},                           // zero, subnormal, tiny parts
        {-2e-20, 2e-10}, {-3e-8, -2.4e-4},                          // small phases
        {-2.0, 0.0},     {-2.0, 1e-9},     {-2.0 + 1e-12, -1.4e-6}, // factors near -1
        {-1.0, 0.0},     {-1.0, 0.0},      {-1.0, 0.0},
        {-1.0, 0.0}, // a real part of zero, each run
        {-1.0, 1.0},     {-1.0, -1.0},     {-0.5, 0.8660254037844386},
        {nan, 0.5},      {0.0, nan},       {inf, 0.0},
        {-inf, 0.3},     {-0.2, inf},      {1e300, 0.1},
        {0.0, 0.0}};
    for (const auto& [x, y] : special) {
        d.push_back(x);
        s.push_back(y);
    }
    ASSERT_TRUE(fft2d::isAvailable(fft2d::KernelSet::Avx2)) << "this machine cannot check the AVX2 path";
    // Every path against the scalar runs, carried errors included.
    auto check = [](const std::vector<double>& dc, const std::vector<double>& sc, const double* start) {
        const std::size_t count = dc.size();
        double expectedCarried[4] = {start[0], start[1], start[2], start[3]};
        const std::vector<Complex> expected = scalarRuns(dc, sc, expectedCarried);
        for (fft2d::KernelSet path : {fft2d::KernelSet::Portable, fft2d::KernelSet::Avx2}) {
            double carried[4] = {start[0], start[1], start[2], start[3]};
            std::vector<Complex> out(count);
            vxo::phase::roundOffsetCarriedRuns(path, dc.data(), sc.data(), count, carried, out.data());
            std::size_t differing = 0, first = count;
            for (std::size_t k = 0; k < count; ++k)
                if (!sameBits(out[k], expected[k]) && !(std::isnan(out[k].real()) && std::isnan(expected[k].real())) &&
                    !(std::isnan(out[k].imag()) && std::isnan(expected[k].imag()))) {
                    first = std::min(first, k);
                    ++differing;
                }
            EXPECT_EQ(differing, 0u) << "path " << int(path) << ", " << count << " cells, first at cell " << first;
            for (int run = 0; run < 4; ++run)
                EXPECT_EQ(carried[run], expectedCarried[run])
                    << "path " << int(path) << ", " << count << " cells, run " << run;
        }
    };
    const double start[4] = {4e-7, -5e-7, 0.0, 3e-8}; // a few units: the clamp acts
    // Counts that leave tails of every length shorter than a group.
    for (std::size_t count : {d.size(), d.size() - 1, d.size() - 2, d.size() - 3, std::size_t(3)})
        check({d.begin(), d.begin() + count}, {s.begin(), s.begin() + count}, start);
    // Nothing carried and nothing to mend: parts of -0 stay where they are,
    // as +0.
    const double none[4] = {};
    check({-0.0, -0.0, -0.0, -0.0}, {1e-20, -1e-20, 2e-21, 3e-19}, none);
}

TEST(PotentialPhaseTableRebuild, TablesAreTheCarriedRoundingOfEveryCellsOwnPhase)
{
    // A trap about the centre (mirrored cells of one value), a box with walls
    // (runs of one value) and an off-centre well on an odd number of cells;
    // the second and third are built in the tables of the first, whose
    // storage is reused.
    PotentialField2D trap(48, 36, 0.21f, 0.13f);
    trap.addHarmonic(0.0f, 0.0f, 0.0f, 1.0f, 1.7f);
    trap.addQuadrupole(0.0f, 0.0f, 0.3f, -0.2f);
    PotentialField2D box(48, 36, 0.21f, 0.13f);
    box.fill(120.0f);
    box.addRectangle(0.0f, 0.0f, 6.0f, 3.0f, -120.0f);
    PotentialField2D well(37, 29, 0.11f, 0.07f);
    well.addGaussian(0.4f, -0.3f, 0.9f, 0.5f, -30.0f);
    const double dt = 0.013, hbar = 0.8;
    vxo::PotentialPhaseTable half, whole;
    for (const PotentialField2D* v : {&trap, &box, &well}) {
        half.rebuild(*v, dt, hbar, &whole);
        // Offsets from one: cos a - 1 = -2 sin^2(a/2); cos 2a - 1 = -2 sin^2 a,
        // sin 2a = 2 sin a cos a.
        std::vector<double> c(v->size()), s(v->size()), c2(v->size()), s2(v->size());
        for (std::uint64_t k = 0; k < v->size(); ++k) {
            const double phase = -double(v->data()[k]) * dt / (2.0 * hbar);
            c[k] = -2.0 * std::sin(0.5 * phase) * std::sin(0.5 * phase);
            s[k] = std::sin(phase);
            c2[k] = -2.0 * s[k] * s[k];
            s2[k] = 2.0 * s[k] * (1.0 + c[k]);
        }
        double carried[4] = {}, carried2[4] = {};
        const std::vector<Complex> expectedHalf = scalarRuns(c, s, carried);
        const std::vector<Complex> expectedWhole = scalarRuns(c2, s2, carried2);
        ASSERT_EQ(half.size(), v->size());
        ASSERT_EQ(whole.size(), v->size());
        int differing = 0;
        for (std::uint64_t k = 0; k < v->size(); ++k)
            differing += !sameBits(half.values()[k], expectedHalf[k]) + !sameBits(whole.values()[k], expectedWhole[k]);
        EXPECT_EQ(differing, 0) << v->nx() << " x " << v->ny() << " cells";
        EXPECT_TRUE(half.matches(*v) && whole.matches(*v));
    }
}

namespace {

// Units of double precision between a value and the library's.
double unitsApart(double value, double reference)
{
    if (value == reference)
        return 0.0;
    const double spacing =
        std::nextafter(std::abs(reference), std::numeric_limits<double>::infinity()) - std::abs(reference);
    return std::abs(value - reference) / spacing;
}

// Phases of every kind a potential gives: the small ones of a floor, the
// range of a trap, quadrant edges, walls far out, the edge of the
// polynomials' reach and beyond it.
std::vector<double> phasesOfEveryKind()
{
    std::vector<double> phases;
    std::mt19937 random(1618);
    const std::vector<std::pair<double, double>> spans = {
        {-1e-6, 1e-6}, {-1.0, 1.0}, {-20.0, 20.0}, {-5e3, 5e3}, {1e6 - 10.0, 1e6 + 10.0}};
    for (const auto& span : spans) {
        std::uniform_real_distribution<double> within(span.first, span.second);
        for (int k = 0; k < 20000; ++k)
            phases.push_back(within(random));
    }
    // Twice the half phase: quadrant edges (k pi / 4) and the cosine's
    // split points, each with its neighbours.
    for (int k = -64; k <= 64; ++k)
        for (double near : {-1e-12, 0.0, 1e-12})
            phases.push_back(2.0 * (k * 0.7853981633974483 + near));
    for (double edge : {0.3, 0.78125}) {
        for (double sign : {-1.0, 1.0}) {
            double h = edge;
            for (int k = 0; k < 3; ++k, h = std::nextafter(h, 1.0))
                phases.push_back(2.0 * sign * h);
        }
    }
    const double reach = 2.0 * vxo::phase::kPolynomialReach;
    for (double p : {0.0, -0.0, 5e-324, -1e-310, reach, -reach, std::nextafter(reach, 1e300), 3e7, -1e12})
        phases.push_back(p);
    return phases;
}

} // namespace

TEST(PhaseOffsetKernels, PolynomialOffsetsAreTheLibrarysToRounding)
{
    // Against the library's sine and cosine: a few units of double precision
    // at most (four in ten million random phases), so that single precision
    // sees the same value but where the double lies within those units of a
    // rounding edge.
    std::size_t roundedDifferently = 0;
    const std::vector<double> phases = phasesOfEveryKind();
    for (double phase : phases) {
        const vxo::PhaseOffset library = vxo::phaseOffset(phase);
        const vxo::PhaseOffset polynomial = vxo::phase::polynomialPhaseOffset(phase);
        // The offset of the cosine, -2 sin^2, is relative to its own size;
        // the sine where the offset's cancellation leaves it near zero too.
        EXPECT_LE(unitsApart(polynomial.d, library.d), 8.0) << "phase " << phase;
        EXPECT_LE(unitsApart(polynomial.s, library.s), 8.0) << "phase " << phase;
        roundedDifferently += float(polynomial.d) != float(library.d) || float(polynomial.s) != float(library.s);
    }
    EXPECT_LE(roundedDifferently, phases.size() / 100000) << "of " << phases.size() << " phases";
    // Not finite: as the library.
    for (double phase : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
        EXPECT_TRUE(std::isnan(vxo::phase::polynomialPhaseOffset(phase).d));
        EXPECT_TRUE(std::isnan(vxo::phase::polynomialPhaseOffset(phase).s));
    }
}

TEST(PhaseOffsetKernels, EveryPathGivesThePolynomialOffsetsBitForBit)
{
    ASSERT_TRUE(fft2d::isAvailable(fft2d::KernelSet::Avx2)) << "this machine cannot check the AVX2 path";
    // Potential values of every kind, times coefficients of both signs; a
    // few groups hold one value beyond reach or not finite among values in it.
    std::vector<float> v;
    std::mt19937 random(3141);
    std::uniform_real_distribution<float> value(-300.0f, 300.0f);
    for (int k = 0; k < 4000; ++k)
        v.push_back(k % 7 == 0 ? std::ldexp(value(random), -30) : k % 11 == 0 ? value(random) * 1e4f : value(random));
    for (float special : {0.0f, -0.0f, 1e-42f, 3e38f, std::numeric_limits<float>::infinity(),
                          std::numeric_limits<float>::quiet_NaN(), 2e8f})
        v.insert(v.begin() + 1001 + 13 * v.size() % 997, special);
    for (double coefficient : {-0.005, 0.0123, -4.0}) {
        for (std::size_t count : {v.size(), v.size() - 1, v.size() - 2, v.size() - 3, std::size_t(2)}) {
            std::vector<double> expectedD(count), expectedS(count);
            for (std::size_t k = 0; k < count; ++k) {
                const vxo::PhaseOffset f = vxo::phase::polynomialPhaseOffset(double(v[k]) * coefficient);
                expectedD[k] = f.d;
                expectedS[k] = f.s;
            }
            for (fft2d::KernelSet path : {fft2d::KernelSet::Portable, fft2d::KernelSet::Sse2, fft2d::KernelSet::Avx2}) {
                std::vector<double> d(count), s(count);
                vxo::phase::potentialPhaseOffsets(path, v.data(), coefficient, count, d.data(), s.data());
                std::size_t differing = 0;
                for (std::size_t k = 0; k < count; ++k)
                    differing += std::memcmp(&d[k], &expectedD[k], sizeof(double)) != 0 ||
                                 std::memcmp(&s[k], &expectedS[k], sizeof(double)) != 0;
                EXPECT_EQ(differing, 0u) << "path " << int(path) << ", coefficient " << coefficient << ", " << count
                                         << " cells";
            }
        }
    }
}

TEST(PotentialPhaseTableRebuild, MovingTrapTablesAreTheLibraryTablesBitForBit)
{
    // What the polynomials are for: a trap carried round a loop of
    // quadrupoles, every cell new at every step, on the grid of the
    // Berry-phase experiment and a finer one, with and without the whole-dt
    // table. The reference is the table with the library's sine and cosine.
    const double dt = 0.02, hbar = 1.0;
    for (std::uint64_t n : {std::uint64_t(256), std::uint64_t(512)}) {
        PotentialField2D trap(n, n, 16.0f / float(n), 16.0f / float(n));
        vxo::PotentialPhaseTable half, whole;
        for (double angle : {0.0, 0.7, 2.9, 4.4}) {
            trap.fill(0.0f);
            trap.addHarmonic(0.0f, 0.0f, 0.0f, 1.0f, 1.0f);
            trap.addQuadrupole(0.0f, 0.0f, float(0.35 * std::cos(angle)), float(0.35 * std::sin(angle)));
            half.rebuild(trap, dt, hbar, angle > 1.0 ? &whole : nullptr);
            std::vector<double> c(trap.size()), s(trap.size());
            const double coefficient = -dt / (2.0 * hbar);
            for (std::uint64_t k = 0; k < trap.size(); ++k) {
                const vxo::PhaseOffset f = vxo::phaseOffset(double(trap.data()[k]) * coefficient);
                c[k] = f.d;
                s[k] = f.s;
            }
            double carried[4] = {};
            const std::vector<Complex> expected = scalarRuns(c, s, carried);
            int differing = 0;
            for (std::uint64_t k = 0; k < trap.size(); ++k)
                differing += !sameBits(half.values()[k], expected[k]);
            EXPECT_EQ(differing, 0) << n << " x " << n << " cells, loop angle " << angle;
        }
    }
}
