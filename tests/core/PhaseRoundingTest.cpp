#include "core/FFT2DKernels.h"
#include "core/PhaseFactors.h"
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

// The plain definition: each cell rounded by roundCarried, one carried error
// per run of every fourth cell.
std::vector<Complex> scalarRuns(const std::vector<double>& re, const std::vector<double>& im, double* carried)
{
    std::vector<Complex> out(re.size());
    for (std::size_t k = 0; k < re.size(); ++k)
        out[k] = vxo::roundCarried(re[k], im[k], carried[k % 4]);
    return out;
}

} // namespace

TEST(PhaseRoundingKernels, EveryPathRoundsAsTheScalarRunsBitForBit)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    // Random angles, then the awkward ones: exactly one (either zero), parts
    // of equal size, parts of size one, values that are not finite; an odd
    // count leaves a tail shorter than a group.
    std::vector<double> re, im;
    std::mt19937 random(2718);
    std::uniform_real_distribution<double> angle(-10.0, 10.0);
    for (int k = 0; k < 1000; ++k) {
        const double a = angle(random);
        re.push_back(std::cos(a));
        im.push_back(std::sin(a));
    }
    const double r = std::sqrt(0.5);
    const std::vector<std::pair<double, double>> special = {
        {1.0, 0.0},  {1.0, -0.0}, {r, r},      {-r, r},     {0.0, 1.0},  {-1.0, 0.0}, {0.0, -1.0},
        {nan, 0.5},  {inf, 0.0},  {1.0, 0.0},  {0.6, 0.8},  {-0.8, 0.6}, {r, -r},
        {std::cos(1e-4), std::sin(1e-4)}, {std::cos(-2e-4), std::sin(-2e-4)}}; // near one: the wider unit
    for (const auto& [x, y] : special) {
        re.push_back(x);
        im.push_back(y);
    }
    ASSERT_NE(re.size() % 4, 0u);
    ASSERT_TRUE(fft2d::isAvailable(fft2d::Path::Sse2)) << "this machine cannot check the SSE2 path";
    ASSERT_TRUE(fft2d::isAvailable(fft2d::Path::Avx2)) << "this machine cannot check the AVX2 path";
    const double start[4] = {4e-7, -5e-7, 0.0, 3e-8}; // a few units: the clamp acts
    double expectedCarried[4] = {start[0], start[1], start[2], start[3]};
    const std::vector<Complex> expected = scalarRuns(re, im, expectedCarried);
    for (fft2d::Path path : {fft2d::Path::Portable, fft2d::Path::Sse2, fft2d::Path::Avx2}) {
        double carried[4] = {start[0], start[1], start[2], start[3]};
        std::vector<Complex> out(re.size());
        vxo::phase::roundCarriedRuns(path, re.data(), im.data(), re.size(), carried, out.data());
        std::size_t differing = 0, first = out.size();
        for (std::size_t k = 0; k < out.size(); ++k)
            if (!sameBits(out[k], expected[k]) && !(std::isnan(out[k].real()) && std::isnan(expected[k].real()))) {
                first = std::min(first, k);
                ++differing;
            }
        EXPECT_EQ(differing, 0u) << "path " << int(path) << ", first at cell " << first;
        for (int run = 0; run < 4; ++run)
            EXPECT_EQ(carried[run], expectedCarried[run]) << "path " << int(path) << ", run " << run;
    }
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
        std::vector<double> c(v->size()), s(v->size()), c2(v->size()), s2(v->size());
        for (std::uint64_t k = 0; k < v->size(); ++k) {
            const double phase = -double(v->data()[k]) * dt / (2.0 * hbar);
            c[k] = std::cos(phase);
            s[k] = std::sin(phase);
            c2[k] = 1.0 - 2.0 * s[k] * s[k]; // cos 2a, sin 2a
            s2[k] = 2.0 * s[k] * c[k];
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
