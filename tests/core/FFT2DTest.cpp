#include "core/FFT2D.h"
#include "core/FFT2DKernels.h"
#include "core/Numeric.h"
#include "core/PhaseFactors.h"
#include "ReferenceFFT.h"
#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

using vxo::Complex;
using vxo::ComplexField2D;
using vxo::FFT2D;
using vxo::test::bitIdentical;
using vxo::test::messageOf;
using vxo::test::randomField;
namespace fft2d = vxo::fft2d;

namespace {

// Bit-identical, except that a NaN only has to meet a NaN: which of two NaN
// operands an instruction passes on may depend on operand order.
bool sameBitsOrBothNaN(const Complex* a, const Complex* b, std::size_t count)
{
    const float* fa = reinterpret_cast<const float*>(a);
    const float* fb = reinterpret_cast<const float*>(b);
    for (std::size_t k = 0; k < 2 * count; ++k) {
        if (std::isnan(fa[k]) && std::isnan(fb[k]))
            continue;
        std::uint32_t ua, ub;
        std::memcpy(&ua, fa + k, sizeof ua);
        std::memcpy(&ub, fb + k, sizeof ub);
        if (ua != ub)
            return false;
    }
    return true;
}

std::vector<fft2d::KernelSet> availablePaths()
{
    std::vector<fft2d::KernelSet> paths;
    for (fft2d::KernelSet p : {fft2d::KernelSet::Portable, fft2d::KernelSet::Sse2, fft2d::KernelSet::Avx2})
        if (fft2d::isAvailable(p))
            paths.push_back(p);
    return paths;
}

const char* pathName(fft2d::KernelSet p)
{
    switch (p) {
    case fft2d::KernelSet::Portable:
        return "portable";
    case fft2d::KernelSet::Sse2:
        return "sse2";
    case fft2d::KernelSet::Avx2:
        return "avx2";
    }
    return "?";
}

double maxAbsDiff(const ComplexField2D& a, const ComplexField2D& b)
{
    double m = 0.0;
    for (std::uint64_t k = 0; k < a.size(); ++k)
        m = std::max(m, static_cast<double>(std::abs(a.data()[k] - b.data()[k])));
    return m;
}

} // namespace

TEST(FFT2D, TrivialAndDeltaTransforms)
{
    ComplexField2D one(1, 1, 1.0f, 1.0f);
    one.at(0, 0) = Complex(2.5f, -1.0f);
    FFT2D::forward(one);
    EXPECT_EQ(one.at(0, 0), Complex(2.5f, -1.0f));
    FFT2D::inverse(one);
    EXPECT_EQ(one.at(0, 0), Complex(2.5f, -1.0f));

    ComplexField2D delta(16, 8, 1.0f, 1.0f);
    delta.at(0, 0) = Complex(1.0f, 0.0f);
    FFT2D::forward(delta);
    for (std::uint64_t k = 0; k < delta.size(); ++k)
        EXPECT_EQ(delta.data()[k], Complex(1.0f, 0.0f));
    FFT2D::inverse(delta);
    for (std::uint64_t k = 0; k < delta.size(); ++k)
        EXPECT_NEAR(std::abs(delta.data()[k] - Complex(k == 0 ? 1.0f : 0.0f, 0.0f)), 0.0, 1e-6);
}

TEST(FFT2D, PlaneWavePeaksAtItsWaveNumber)
{
    for (int sign : {+1, -1}) {
        ComplexField2D f(64, 32, 1.0f, 1.0f);
        for (std::uint64_t j = 0; j < 32; ++j)
            for (std::uint64_t i = 0; i < 64; ++i) {
                const double phase = sign * 2.0 * 3.141592653589793 * 3.0 * static_cast<double>(i) / 64.0;
                f.at(i, j) = Complex(static_cast<float>(std::cos(phase)), static_cast<float>(std::sin(phase)));
            }
        FFT2D::forward(f);
        const std::uint64_t peak = sign > 0 ? 3 : 61;
        EXPECT_NEAR(f.at(peak, 0).real(), 64.0 * 32.0, 1e-2);
        double rest = 0.0;
        for (std::uint64_t k = 0; k < f.size(); ++k)
            if (k != peak)
                rest = std::max(rest, static_cast<double>(std::abs(f.data()[k])));
        EXPECT_LT(rest, 1e-2);
    }
}

TEST(FFT2D, RefusesBadGridsAndLeavesThemUnchanged)
{
    ComplexField2D f = randomField(64, 48, 0.1f, 0.2f, 1);
    const ComplexField2D before = f;
    EXPECT_EQ(messageOf([&] { FFT2D::forward(f); }), "FFT2D: width and height must be powers of two");
    EXPECT_TRUE(bitIdentical(f, before));

    ComplexField2D empty;
    EXPECT_EQ(messageOf([&] { FFT2D::inverse(empty); }), "FFT2D: field must not be empty");

    EXPECT_FALSE(FFT2D::isPowerOfTwoGrid(0, 8));
    EXPECT_FALSE(FFT2D::isPowerOfTwoGrid(8, 0));
    EXPECT_TRUE(FFT2D::isPowerOfTwoGrid(1, 1));
    EXPECT_FALSE(FFT2D::isPowerOfTwoGrid(12, 8));

    Complex line[6] = {};
    EXPECT_THROW(FFT2D::transformLine(line, 6, 1, false), std::invalid_argument);
}

TEST(FFT2D, RoundTripAndParseval)
{
    const std::uint64_t shapes[][2] = {{8, 8}, {64, 16}, {16, 128}, {1, 256}, {256, 1}, {128, 128}};
    for (const auto& s : shapes) {
        const ComplexField2D original = randomField(s[0], s[1], 0.1f, 0.2f, 7);
        ComplexField2D f = original;
        FFT2D::forward(f);
        // Parseval: sum |X|^2 = N sum |x|^2 for the unscaled forward transform.
        double energyX = 0.0, energyK = 0.0;
        for (std::uint64_t k = 0; k < f.size(); ++k) {
            energyX += std::norm(std::complex<double>(original.data()[k]));
            energyK += std::norm(std::complex<double>(f.data()[k]));
        }
        EXPECT_NEAR(energyK / (energyX * static_cast<double>(f.size())), 1.0, 1e-5) << s[0] << "x" << s[1];
        FFT2D::inverse(f);
        EXPECT_LT(maxAbsDiff(f, original), 2e-6 * std::log2(static_cast<double>(f.size()) + 1.0) + 1e-6)
            << s[0] << "x" << s[1];
    }
}

TEST(FFT2D, BitIdenticalToScalarLineAlgorithm)
{
    unsigned seed = 100;
    for (std::uint64_t nx = 1; nx <= 1024; nx *= 2) {
        for (std::uint64_t ny : {nx, nx == 1 ? std::uint64_t(64) : nx / 2, std::uint64_t(1)}) {
            if (nx * ny > 1024 * 1024)
                continue;
            for (bool inverse : {false, true}) {
                ComplexField2D mine = randomField(nx, ny, 0.1f, 0.2f, ++seed);
                ComplexField2D ref = mine;
                FFT2D::transform(mine, inverse);
                vxo::reference::transform(ref, inverse);
                EXPECT_TRUE(bitIdentical(mine, ref)) << nx << "x" << ny << (inverse ? " inverse" : " forward");
            }
        }
    }
    // Non-square in the other orientation as well.
    ComplexField2D mine = randomField(32, 512, 0.1f, 0.2f, 3);
    ComplexField2D ref = mine;
    FFT2D::forward(mine);
    vxo::reference::transform(ref, false);
    EXPECT_TRUE(bitIdentical(mine, ref));
}

TEST(FFT2DPaths, BestPathIsAvailableAndPortableAlwaysIs)
{
    EXPECT_TRUE(fft2d::isAvailable(fft2d::KernelSet::Portable));
    EXPECT_TRUE(fft2d::isAvailable(fft2d::bestKernelSet()));
#if defined(__x86_64__)
    EXPECT_TRUE(fft2d::isAvailable(fft2d::KernelSet::Sse2));
    EXPECT_NE(fft2d::bestKernelSet(), fft2d::KernelSet::Portable);
#endif
}

// Every shape from 1 x 1 to 1024 x 32 and 32 x 1024 (up to 2^15 cells), each
// way, through every instruction-set variant this processor runs: lines
// shorter than a vector or a tile, single rows and columns, one to three
// fused stages, row groups of every fill, and fields both within one column
// block and spanning several.
TEST(FFT2DPaths, EveryVariantMatchesTheLineAlgorithmOnAllSmallShapes)
{
    unsigned seed = 500;
    for (fft2d::KernelSet path : availablePaths())
        for (std::uint64_t nx = 1; nx <= 1024; nx *= 2)
            for (std::uint64_t ny = 1; ny <= 1024 && nx * ny <= (1u << 15); ny *= 2)
                for (bool inverse : {false, true}) {
                    ComplexField2D mine = randomField(nx, ny, 0.1f, 0.2f, ++seed);
                    ComplexField2D ref = mine;
                    fft2d::transformField(path, mine.data(), nx, ny, inverse);
                    vxo::reference::transform(ref, inverse);
                    ASSERT_TRUE(bitIdentical(mine, ref))
                        << pathName(path) << " " << nx << "x" << ny << (inverse ? " inverse" : " forward");
                }
}

TEST(FFT2DPaths, EveryVariantMatchesTheLineAlgorithmOnLargeFields)
{
    const std::uint64_t shapes[][2] = {{512, 512}, {1024, 128}, {64, 1024}, {2, 1024}, {1024, 2}};
    unsigned seed = 900;
    for (fft2d::KernelSet path : availablePaths())
        for (const auto& s : shapes) {
            const bool inverse = (++seed % 2) == 0;
            ComplexField2D mine = randomField(s[0], s[1], 0.1f, 0.2f, seed);
            ComplexField2D ref = mine;
            fft2d::transformField(path, mine.data(), s[0], s[1], inverse);
            vxo::reference::transform(ref, inverse);
            EXPECT_TRUE(bitIdentical(mine, ref))
                << pathName(path) << " " << s[0] << "x" << s[1] << (inverse ? " inverse" : " forward");
        }
}

// Signed zeros, subnormals, infinities and values whose sums overflow. An
// all-zero field keeps every output at +0 or -0, the sign decided by each
// product and sum, so a shortcut such as skipping the product by w = 1 + 0i,
// or a sign carried by a different operation, changes bits here even where
// random data agree.
TEST(FFT2DPaths, SpecialValuesGoThroughTheSameOperations)
{
    const float inf = std::numeric_limits<float>::infinity();
    const float big = std::numeric_limits<float>::max() / 4.0f;
    const float tiny = std::numeric_limits<float>::denorm_min() * 3.0f;
    const std::vector<float> zeros = {0.0f, -0.0f};
    const std::vector<float> extremes = {0.0f, -0.0f, tiny, -tiny, 1e-39f, big, -big, 1.0f, -2.5f};
    const std::uint64_t shapes[][2] = {{16, 16}, {64, 8}, {4, 32}, {1, 16}, {32, 1}};
    for (fft2d::KernelSet path : availablePaths())
        for (const auto& s : shapes)
            for (int kind = 0; kind < 3; ++kind)
                for (bool inverse : {false, true}) {
                    const std::vector<float>& values = kind == 2 ? extremes : zeros;
                    ComplexField2D field(s[0], s[1], 1.0f, 1.0f);
                    std::mt19937 rng(77 + kind);
                    for (std::uint64_t k = 0; k < field.size(); ++k)
                        field.data()[k] = Complex(values[rng() % values.size()], values[rng() % values.size()]);
                    if (kind == 1)
                        field.data()[field.size() / 2 + 1 < field.size() ? field.size() / 2 + 1 : 0] =
                            Complex(-inf, 0.0f);
                    ComplexField2D ref = field;
                    fft2d::transformField(path, field.data(), s[0], s[1], inverse);
                    vxo::reference::transform(ref, inverse);
                    EXPECT_TRUE(sameBitsOrBothNaN(field.data(), ref.data(), field.size()))
                        << pathName(path) << " " << s[0] << "x" << s[1] << " kind " << kind
                        << (inverse ? " inverse" : " forward");
                }
}

// Storage aligned to one complex value only, with guards on both sides: the
// vector loads must cope with any alignment and stay inside the grid.
TEST(FFT2DPaths, UnalignedStorageAndNothingOutsideTheGridIsTouched)
{
    const Complex guard(12345.0f, -6789.0f);
    const std::uint64_t shapes[][2] = {{64, 32}, {8, 128}, {2, 4}};
    for (fft2d::KernelSet path : availablePaths())
        for (const auto& s : shapes) {
            const std::size_t cells = s[0] * s[1];
            const ComplexField2D source = randomField(s[0], s[1], 0.1f, 0.2f, 31);
            ComplexField2D ref = source;
            vxo::reference::transform(ref, false);
            std::vector<Complex> buffer(cells + 3, guard);
            Complex* data = buffer.data() + 1;
            std::memcpy(static_cast<void*>(data), source.data(), cells * sizeof(Complex));
            fft2d::transformField(path, data, s[0], s[1], false);
            EXPECT_EQ(std::memcmp(data, ref.data(), cells * sizeof(Complex)), 0) << pathName(path);
            EXPECT_EQ(buffer.front(), guard);
            EXPECT_EQ(buffer[cells + 1], guard);
            EXPECT_EQ(buffer[cells + 2], guard);
        }
}

// The phase products of a split step folded into the first and last passes
// of a transform give the bits of three separate passes, on every variant and
// on the shapes whose passes differ (short rows, one row, rows narrower than a
// vector, one column block or several), with either table or both.
TEST(FFT2DPaths, FoldedCellProductsEqualSeparateProducts)
{
    std::vector<std::pair<std::uint64_t, std::uint64_t>> shapes;
    for (std::uint64_t nx = 1; nx <= 256; nx *= 4)
        for (std::uint64_t ny = 1; ny <= 256; ny *= 2)
            shapes.emplace_back(nx, ny);
    shapes.insert(shapes.end(), {{512, 512}, {2, 1024}, {1024, 2}, {2048, 1}});
    const auto multiply = [](ComplexField2D& f, const ComplexField2D& factors) {
        for (std::uint64_t c = 0; c < f.size(); ++c)
            f.data()[c] = vxo::offsetProduct(f.data()[c], factors.data()[c]);
    };
    unsigned seed = 1200;
    for (fft2d::KernelSet path : availablePaths())
        for (const auto& [nx, ny] : shapes)
            for (int tables = 1; tables <= 3; ++tables) {
                const bool inverse = (++seed % 2) == 0;
                const ComplexField2D before = randomField(nx, ny, 0.1f, 0.2f, seed + 1);
                const ComplexField2D after = randomField(nx, ny, 0.1f, 0.2f, seed + 2);
                ComplexField2D mine = randomField(nx, ny, 0.1f, 0.2f, seed);
                ComplexField2D ref = mine;
                fft2d::transformField(path, mine.data(), nx, ny, inverse, (tables & 1) ? before.data() : nullptr,
                                      (tables & 2) ? after.data() : nullptr);
                if (tables & 1)
                    multiply(ref, before);
                vxo::reference::transform(ref, inverse);
                if (tables & 2)
                    multiply(ref, after);
                ASSERT_TRUE(bitIdentical(mine, ref)) << pathName(path) << " " << nx << "x" << ny << " tables " << tables
                                                     << (inverse ? " inverse" : " forward");
            }

    // The product on its own, vector bodies and scalar tails.
    for (fft2d::KernelSet path : availablePaths())
        for (std::uint64_t count : {1u, 3u, 8u, 13u}) {
            const ComplexField2D factors = randomField(count, 1, 1.0f, 1.0f, ++seed);
            ComplexField2D mine = randomField(count, 1, 1.0f, 1.0f, ++seed);
            ComplexField2D ref = mine;
            fft2d::multiplyCells(path, mine.data(), factors.data(), count);
            multiply(ref, factors);
            EXPECT_TRUE(bitIdentical(mine, ref)) << pathName(path) << " count " << count;
        }
}

TEST(FFT2D, TransformLineMatchesTheReferenceOnStridedLines)
{
    for (std::size_t n : {1u, 2u, 8u, 64u, 256u})
        for (bool inverse : {false, true}) {
            const std::size_t stride = 3;
            ComplexField2D mine = randomField(stride, n, 0.1f, 0.2f, static_cast<unsigned>(n) + (inverse ? 1000u : 0u));
            ComplexField2D ref = mine;
            FFT2D::transformLine(mine.data() + 1, n, stride, inverse);
            vxo::reference::transformLine(ref.data() + 1, n, stride, inverse);
            EXPECT_TRUE(bitIdentical(mine, ref)) << n << (inverse ? " inverse" : " forward");
        }

    Complex line[6] = {Complex(1.0f, 2.0f)};
    EXPECT_EQ(messageOf([&] { FFT2D::transformLine(line, 6, 1, false); }),
              "FFT2D: width and height must be powers of two");
    EXPECT_EQ(line[0], Complex(1.0f, 2.0f));
}

TEST(PhaseFactorRun, FactorsStayOnTheAngleAndTheirModulusErrorsDoNotAccumulate)
{
    // Rounded part by part, a factor of modulus one misses it by up to about
    // 1.2e-7 in |w|^2, and a table that repeats one value repeats that miss:
    // the run must keep every running sum of the misses within one unit step
    // while each factor stays within a few single-precision units of its angle.
    const std::vector<double> steps = {0.0, 1e-3, 0.0137, 0.7853981633974483, 2.5};
    for (const double step : steps) {
        vxo::UnitPhaseRun run;
        double sum = 0.0, worstSum = 0.0, worstAngle = 0.0;
        for (int c = 0; c < 20000; ++c) {
            const double phase = -0.3 + step * (c % 700); // runs of equal and of changing phases
            const vxo::Complex f = run.next(phase);
            const double re = 1.0 + double(f.real()), im = f.imag();
            sum += re * re + im * im - 1.0;
            worstSum = std::max(worstSum, std::abs(sum));
            worstAngle = std::max(worstAngle, std::abs(std::remainder(std::atan2(im, re) - phase, 2.0 * vxo::kPi)));
        }
        EXPECT_LT(worstSum, 2.5e-7) << "phase step " << step;
        EXPECT_LT(worstAngle, 5e-7) << "phase step " << step;
    }
}
