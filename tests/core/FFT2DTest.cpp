#include "core/FFT2D.h"
#include "ReferenceFFT.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <stdexcept>
#include <string>

using vxo::Complex;
using vxo::ComplexField2D;
using vxo::FFT2D;

namespace {

ComplexField2D randomField(std::uint64_t nx, std::uint64_t ny, unsigned seed)
{
    ComplexField2D f(nx, ny, 0.1f, 0.2f);
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> u(-1.0f, 1.0f);
    for (std::uint64_t k = 0; k < f.size(); ++k)
        f.data()[k] = Complex(u(rng), u(rng));
    return f;
}

bool bitIdentical(const ComplexField2D& a, const ComplexField2D& b)
{
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(Complex)) == 0;
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
    ComplexField2D f = randomField(64, 48, 1);
    const ComplexField2D before = f;
    try {
        FFT2D::forward(f);
        FAIL() << "expected an exception";
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "FFT2D: width and height must be powers of two");
    }
    EXPECT_TRUE(bitIdentical(f, before));

    ComplexField2D empty;
    try {
        FFT2D::inverse(empty);
        FAIL() << "expected an exception";
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "FFT2D: field must not be empty");
    }

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
        const ComplexField2D original = randomField(s[0], s[1], 7);
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
                ComplexField2D mine = randomField(nx, ny, ++seed);
                ComplexField2D ref = mine;
                FFT2D::transform(mine, inverse);
                vxo::reference::transform(ref, inverse);
                EXPECT_TRUE(bitIdentical(mine, ref)) << nx << "x" << ny << (inverse ? " inverse" : " forward");
            }
        }
    }
    // Non-square in the other orientation as well.
    ComplexField2D mine = randomField(32, 512, 3);
    ComplexField2D ref = mine;
    FFT2D::forward(mine);
    vxo::reference::transform(ref, false);
    EXPECT_TRUE(bitIdentical(mine, ref));
}
