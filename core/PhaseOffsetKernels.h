#pragma once

// The offsets from one of the potential's phase factors exp(i c V) over a
// block of cells, (d, s) of phaseOffset, with the sine and cosine of the half
// phase taken from polynomials instead of the library: a potential that
// changes in every cell at every step (a trap carried round a loop) has a
// sine and a cosine to find for every cell at every step, and the library's
// calls were most of such a step. The polynomials are those of the classic
// freely distributable kernels (within a unit in the last place of double
// precision on [-pi/4, pi/4]), after the half phase has been reduced by pi/2
// in parts whose products with the quadrant count are exact (but the last); a half
// phase beyond kPolynomialReach, or one that is not finite, goes to the
// library. Offsets within a unit or two of double precision of the library's
// round to the same single-precision table but in rare cells, and there by
// one unit (PhaseOffsetKernels tests). The AVX2 copy takes every operation of
// polynomialPhaseOffset in its order, without fused products, and gives the
// same bits.

#include "core/FFT2DKernels.h"
#include "core/PhaseFactors.h"
#include "core/VectorKernels.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace vxo::phase {

// Largest half phase reduced here: its quadrant count stays below 2^20,
// so that the count times the first part of pi/2 (33 bits) is exact.
constexpr double kPolynomialReach = 0x1p19;

namespace offsetkernel {
constexpr double kTwoOverPi = 0x1.45f306dc9c883p-1;
// pi/2 = kHalfPi1 + kHalfPi2 + kHalfPi3 + kHalfPi4: three parts of 33 bits
// and the rest, so that a half phase near a multiple of pi/2 keeps the
// precision of its small remainder.
constexpr double kHalfPi1 = 0x1.921fb544p+0;
constexpr double kHalfPi2 = 0x1.0b4611a6p-34;
constexpr double kHalfPi3 = 0x1.3198a2ep-69;
constexpr double kHalfPi4 = 0x1.b839a252049c1p-104;
// Adding and taking away 1.5 2^52 rounds to the nearest whole number; the
// sum's last two bits are that number modulo 4.
constexpr double kRounder = 6755399441055744.0;
// sin r = r + r^3 (S1 + z (S2 + ... )), z = r^2.
constexpr double kS1 = -1.66666666666666324348e-01;
constexpr double kS2 = 8.33333333332248946124e-03;
constexpr double kS3 = -1.98412698298579493134e-04;
constexpr double kS4 = 2.75573137070700676789e-06;
constexpr double kS5 = -2.50507602534068634195e-08;
constexpr double kS6 = 1.58969099521155010221e-10;
// cos r = 1 - z/2 + z^2 (C1 + z (C2 + ...)); from |r| = 0.3 the 1 - z/2 is
// split at q (a quarter of |r| cut to 21 bits, or 0.28125 beyond 0.78125) so
// that 1 - q is exact and z/2 - q small.
constexpr double kC1 = 4.16666666666666019037e-02;
constexpr double kC2 = -1.38888888888741095749e-03;
constexpr double kC3 = 2.48015872894767294178e-05;
constexpr double kC4 = -2.75573143513906633035e-07;
constexpr double kC5 = 2.08757232129817482790e-09;
constexpr double kC6 = -1.13596475577881948265e-11;
constexpr double kSplitFrom = 0.3;
constexpr double kSplitFixedFrom = 0.78125;
constexpr double kSplitFixed = 0.28125;
constexpr std::uint64_t kHighWord = 0xffffffff00000000ull;
} // namespace offsetkernel

// phaseOffset(phase), the half phase's sine and cosine by the polynomials.
inline PhaseOffset polynomialPhaseOffset(double phase)
{
    using namespace offsetkernel;
    const double halfPhase = 0.5 * phase;
    if (!(std::abs(halfPhase) <= kPolynomialReach))
        return phaseOffset(phase);
    const double shifted = halfPhase * kTwoOverPi + kRounder;
    std::uint64_t shiftedBits = 0;
    std::memcpy(&shiftedBits, &shifted, sizeof shiftedBits);
    const std::uint64_t quadrant = shiftedBits & 3u;
    const double n = shifted - kRounder;
    const double r = (((halfPhase - n * kHalfPi1) - n * kHalfPi2) - n * kHalfPi3) - n * kHalfPi4;
    const double z = r * r;
    const double sineR = r + (z * r) * (kS1 + z * (kS2 + z * (kS3 + z * (kS4 + z * (kS5 + z * kS6)))));
    const double tail = z * (z * (kC1 + z * (kC2 + z * (kC3 + z * (kC4 + z * (kC5 + z * kC6))))));
    const double size = std::abs(r);
    double split = kSplitFixed;
    if (size < kSplitFrom) {
        split = 0.0;
    } else if (!(size > kSplitFixedFrom)) {
        std::uint64_t bits = 0;
        std::memcpy(&bits, &size, sizeof bits);
        bits &= kHighWord;
        std::memcpy(&split, &bits, sizeof split);
        split *= 0.25;
    }
    const double cosineR = (1.0 - split) - ((0.5 * z - split) - tail);
    const double sineBase = (quadrant & 1u) ? cosineR : sineR;
    const double cosineBase = (quadrant & 1u) ? sineR : cosineR;
    const double sine = (quadrant & 2u) ? -sineBase : sineBase;
    const double cosine = ((quadrant + 1u) & 2u) ? -cosineBase : cosineBase;
    return {-2.0 * sine * sine, 2.0 * sine * cosine};
}

// d[k], s[k] = polynomialPhaseOffset(double(v[k]) * coefficient) for k < count.
// path must be available.
inline void potentialPhaseOffsets(fft2d::KernelSet path, const float* v, double coefficient, std::size_t count,
                                  double* d, double* s)
{
    vectorKernels(path).potentialPhaseOffsets(v, coefficient, count, d, s);
}

// One entry per copy (the portable one also serves SSE2), AVX2 in its own translation unit.
inline void potentialPhaseOffsetsPortable(const float* v, double coefficient, std::size_t count, double* d, double* s)
{
    for (std::size_t k = 0; k < count; ++k) {
        const PhaseOffset f = polynomialPhaseOffset(static_cast<double>(v[k]) * coefficient);
        d[k] = f.d;
        s[k] = f.s;
    }
}
#if defined(__x86_64__)
void potentialPhaseOffsetsAvx2(const float* v, double coefficient, std::size_t count, double* d, double* s);
#endif

} // namespace vxo::phase
