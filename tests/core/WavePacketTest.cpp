#include "core/GaussianPacket2D.h"
#include "core/KineticEnergy.h"
#include "core/Numeric.h"
#include "core/PositionMoments.h"
#include "core/RegionProbabilities.h"
#include "core/SquareBarrier1D.h"
#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

using vxo::Complex;
using vxo::ComplexField2D;
using vxo::GaussianPacket2D;
using vxo::SquareBarrier1D;
using vxo::test::bitIdentical;
using vxo::test::messageOf;

namespace {

GaussianPacket2D packet(float x0, float y0, float sigma, float px, float py, float hbar = 1.0f)
{
    GaussianPacket2D p;
    p.x0 = x0;
    p.y0 = y0;
    p.sigma = sigma;
    p.px = px;
    p.py = py;
    p.hbar = hbar;
    return p;
}

// Phase of psi(i + 1, j) relative to psi(i, j).
double phaseStep(const ComplexField2D& psi, std::uint64_t i, std::uint64_t j)
{
    return std::arg(std::complex<double>(psi.at(i + 1, j)) * std::conj(std::complex<double>(psi.at(i, j))));
}

} // namespace

TEST(GaussianPacket2D, CentredPacketHasUnitNormAndWidthSigma)
{
    ComplexField2D psi(128, 128, 0.25f, 0.25f);
    GaussianPacket2D::prepare(psi, packet(0.0f, 0.0f, 1.0f, 0.0f, 0.0f));
    const vxo::PositionMoments m = vxo::computePositionMoments(psi);
    EXPECT_NEAR(m.norm, 1.0, 1e-6);
    EXPECT_NEAR(m.meanX, 0.0, 1e-9);
    EXPECT_NEAR(m.meanY, 0.0, 1e-9);
    EXPECT_NEAR(m.sigmaX, 1.0, 1e-5);
    EXPECT_NEAR(m.sigmaY, 1.0, 1e-5);
    // Zero momentum: a real, positive amplitude.
    EXPECT_EQ(psi.at(64, 64).imag(), 0.0f);
    EXPECT_GT(psi.at(64, 64).real(), 0.0f);
}

TEST(GaussianPacket2D, DisplacedAnisotropicGridMomentsFollowThePacket)
{
    ComplexField2D psi(128, 64, 0.2f, 0.3f);
    GaussianPacket2D::prepare(psi, packet(3.0f, -2.0f, 1.3f, 1.5f, -0.5f, 0.7f));
    const vxo::PositionMoments m = vxo::computePositionMoments(psi);
    EXPECT_NEAR(m.norm, 1.0, 1e-6);
    EXPECT_NEAR(m.meanX, 3.0, 1e-5);
    EXPECT_NEAR(m.meanY, -2.0, 1e-5);
    EXPECT_NEAR(m.sigmaX, 1.3, 1e-4);
    EXPECT_NEAR(m.sigmaY, 1.3, 1e-4);
}

TEST(GaussianPacket2D, MomentumPhaseIsTakenAtTheAbsolutePosition)
{
    const float dx = 0.25f;
    for (float x0 : {0.0f, 3.7f}) {
        ComplexField2D psi(64, 16, dx, dx);
        GaussianPacket2D::prepare(psi, packet(x0, 0.0f, 2.0f, 2.0f, 0.0f));
        // px = 2, hbar = 1: the phase advances by 2 dx per column, wherever the centre is.
        for (std::uint64_t i : {10u, 30u, 50u})
            EXPECT_NEAR(phaseStep(psi, i, 8), 2.0 * dx, 1e-5) << "x0 " << x0;
        // ... and equals px x at the cell's own position.
        const double x = vxo::gridCoordinateX(psi, 40);
        EXPECT_NEAR(std::remainder(std::arg(std::complex<double>(psi.at(40, 8))) - 2.0 * x, 2.0 * vxo::kPi), 0.0, 1e-5);
    }
}

TEST(GaussianPacket2D, ArgumentChecksComeInOrderAndBeforeAnyWrite)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    ComplexField2D empty;
    EXPECT_EQ(messageOf<std::invalid_argument>([&] { GaussianPacket2D::prepare(empty, packet(nan, 0, 0, 0, 0, 0)); }),
              "GaussianPacket2D: field must not be empty");

    ComplexField2D psi(8, 8, 1.0f, 1.0f);
    psi.fill(Complex(0.5f, 0.5f));
    const ComplexField2D before = psi;
    EXPECT_EQ(messageOf<std::invalid_argument>([&] { GaussianPacket2D::prepare(psi, packet(nan, 0, 0, 0, 0, 0)); }),
              "GaussianPacket2D: sigma must be finite and positive");
    EXPECT_EQ(
        messageOf<std::invalid_argument>([&] { GaussianPacket2D::prepare(psi, packet(0, 0, INFINITY, 0, 0, 1)); }),
        "GaussianPacket2D: sigma must be finite and positive");
    EXPECT_EQ(messageOf<std::invalid_argument>([&] { GaussianPacket2D::prepare(psi, packet(nan, 0, 1, 0, 0, 0)); }),
              "GaussianPacket2D: hbar must be finite and positive");
    for (const GaussianPacket2D& unusable : {packet(0, 0, 1, nan, 0, 1), packet(0, 0, 1, 0, nan, 1)})
        EXPECT_EQ(messageOf<std::invalid_argument>([&] { GaussianPacket2D::prepare(psi, unusable); }),
                  "GaussianPacket2D: all parameters must be finite")
            << "px " << unusable.px << ", py " << unusable.py;
    EXPECT_EQ(
        messageOf<std::invalid_argument>([&] { GaussianPacket2D::prepare(psi, packet(0, -INFINITY, 1, 0, 0, 1)); }),
        "GaussianPacket2D: all parameters must be finite");
    EXPECT_TRUE(bitIdentical(psi, before));
}

TEST(GaussianPacket2D, PacketFarOutsideTheGridFailsToNormalise)
{
    ComplexField2D psi(32, 32, 0.25f, 0.25f);
    EXPECT_EQ(messageOf<std::runtime_error>([&] { GaussianPacket2D::prepare(psi, packet(500.0f, 0, 1, 0, 0)); }),
              "GaussianPacket2D: normalization failed");
    EXPECT_EQ(psi.norm(), 0.0);
}

TEST(PositionMoments, DegenerateFields)
{
    const vxo::PositionMoments none = vxo::computePositionMoments(ComplexField2D());
    EXPECT_EQ(none.norm, 0.0);
    EXPECT_EQ(none.sigmaX, 0.0);

    const ComplexField2D zero(16, 8, 0.5f, 0.5f);
    const vxo::PositionMoments z = vxo::computePositionMoments(zero);
    EXPECT_EQ(z.norm, 0.0);
    EXPECT_EQ(z.meanX, 0.0);
    EXPECT_EQ(z.meanY, 0.0);
    EXPECT_EQ(z.sigmaX, 0.0);
    EXPECT_EQ(z.sigmaY, 0.0);

    // One cell of amplitude 1: norm dx dy, centroid at that cell, no width.
    ComplexField2D one(16, 8, 0.5f, 0.25f);
    one.at(3, 6) = Complex(1.0f, 0.0f);
    const vxo::PositionMoments m = vxo::computePositionMoments(one);
    EXPECT_DOUBLE_EQ(m.norm, 0.125);
    EXPECT_DOUBLE_EQ(m.meanX, vxo::gridCoordinateX(one, 3));
    EXPECT_DOUBLE_EQ(m.meanY, vxo::gridCoordinateY(one, 6));
    EXPECT_EQ(m.sigmaX, 0.0);
    EXPECT_EQ(m.sigmaY, 0.0);

    // Two equal cells 2 columns apart: width of one column.
    one.at(5, 6) = Complex(0.0f, 1.0f);
    const vxo::PositionMoments two = vxo::computePositionMoments(one);
    EXPECT_DOUBLE_EQ(two.meanX, vxo::gridCoordinateX(one, 4));
    EXPECT_DOUBLE_EQ(two.sigmaX, 0.5);

    // A non-finite sum is reported as the norm with everything else zero.
    one.at(0, 0) = Complex(std::numeric_limits<float>::quiet_NaN(), 0.0f);
    const vxo::PositionMoments bad = vxo::computePositionMoments(one);
    EXPECT_TRUE(std::isnan(bad.norm));
    EXPECT_EQ(bad.meanX, 0.0);
    EXPECT_EQ(bad.sigmaY, 0.0);
}

TEST(RegionProbabilities, SplitsAtTheTwoPositionsInEitherOrder)
{
    // Four columns of width 1: centres -1.5, -0.5, 0.5, 1.5.
    ComplexField2D psi(4, 2, 1.0f, 0.5f);
    const float amplitudes[4] = {1.0f, 2.0f, 0.0f, 3.0f};
    for (std::uint64_t j = 0; j < 2; ++j)
        for (std::uint64_t i = 0; i < 4; ++i)
            psi.at(i, j) = Complex(0.0f, amplitudes[i]);

    // Cells exactly on a or b belong to the middle.
    const vxo::RegionProbabilities r = vxo::computeRegionProbabilities(psi, 0.5, -0.5);
    EXPECT_DOUBLE_EQ(r.total, 14.0);
    EXPECT_DOUBLE_EQ(r.left, 1.0);
    EXPECT_DOUBLE_EQ(r.middle, 4.0);
    EXPECT_DOUBLE_EQ(r.right, 9.0);
    EXPECT_DOUBLE_EQ(r.leftFraction, 1.0 / 14.0);
    EXPECT_DOUBLE_EQ(r.rightFraction, 9.0 / 14.0);
    EXPECT_NEAR(r.leftFraction + r.middleFraction + r.rightFraction, 1.0, 1e-15);

    const vxo::RegionProbabilities swapped = vxo::computeRegionProbabilities(psi, -0.5, 0.5);
    EXPECT_EQ(swapped.left, r.left);
    EXPECT_EQ(swapped.middle, r.middle);
    EXPECT_EQ(swapped.right, r.right);

    const vxo::RegionProbabilities zero = vxo::computeRegionProbabilities(ComplexField2D(4, 4, 1.0f, 1.0f), -1, 1);
    EXPECT_EQ(zero.total, 0.0);
    EXPECT_EQ(zero.middleFraction, 0.0);
    const vxo::RegionProbabilities none = vxo::computeRegionProbabilities(ComplexField2D(), -1, 1);
    EXPECT_EQ(none.total, 0.0);
}

TEST(SquareBarrier1D, SpecialCasesAndTheCommonLimit)
{
    const SquareBarrier1D free = SquareBarrier1D::compute(1, 0, 2, 1, 1);
    EXPECT_EQ(free.transmission, 1.0);
    EXPECT_EQ(free.reflection, 0.0);
    EXPECT_FALSE(free.tunneling);
    EXPECT_EQ(SquareBarrier1D::compute(1, 3, 0, 1, 1).transmission, 1.0);
    // A barrier without height or without width is no barrier, even for a
    // particle at rest: each side of the rule on its own.
    for (const auto& barrier : {std::make_pair(0.0, 2.0), std::make_pair(3.0, 0.0)}) {
        const SquareBarrier1D none = SquareBarrier1D::compute(0, barrier.first, barrier.second, 1, 1);
        EXPECT_EQ(none.transmission, 1.0) << "V0 = " << barrier.first << ", a = " << barrier.second;
        EXPECT_EQ(none.reflection, 0.0) << "V0 = " << barrier.first << ", a = " << barrier.second;
    }

    const SquareBarrier1D still = SquareBarrier1D::compute(0, 1, 1, 1, 1);
    EXPECT_EQ(still.transmission, 0.0);
    EXPECT_EQ(still.reflection, 1.0);
    EXPECT_TRUE(still.tunneling);

    const SquareBarrier1D edge = SquareBarrier1D::compute(1, 1, 1, 1, 1);
    EXPECT_DOUBLE_EQ(edge.transmission, 1.0 / 1.5);
    EXPECT_FALSE(edge.tunneling);
    // The limit joins both general forms continuously.
    EXPECT_NEAR(SquareBarrier1D::compute(1.0 - 1e-7, 1, 1, 1, 1).transmission, 1.0 / 1.5, 1e-6);
    EXPECT_NEAR(SquareBarrier1D::compute(1.0 + 1e-7, 1, 1, 1, 1).transmission, 1.0 / 1.5, 1e-6);
}

TEST(SquareBarrier1D, MatchesTheWaveNumberFormAtTheFormDefaults)
{
    // The main window passes E = px^2 / 2m with px 2.5, m 1, and the barrier's
    // V0 4.5 and thickness 0.64, hbar 1. With k^2 = 2mE and kappa^2 = 2m (V0 - E):
    //   T = 1 / (1 + (k^2 + kappa^2)^2 sinh^2(kappa a) / (4 k^2 kappa^2)).
    const double m = 1.0;
    const double e = 2.5 * 2.5 / (2.0 * m);
    const double v0 = 4.5;
    const double a = 0.64;
    const double k2 = 2.0 * m * e;
    const double kappa2 = 2.0 * m * (v0 - e);
    const double sh = std::sinh(std::sqrt(kappa2) * a);
    const double expected = 1.0 / (1.0 + (k2 + kappa2) * (k2 + kappa2) * sh * sh / (4.0 * k2 * kappa2));

    const SquareBarrier1D r = SquareBarrier1D::compute(e, v0, a, m, 1.0);
    EXPECT_TRUE(r.tunneling);
    EXPECT_NEAR(r.transmission, expected, 1e-12);
    EXPECT_DOUBLE_EQ(r.reflection, 1.0 - r.transmission);
    EXPECT_EQ(r.energy, e);
    EXPECT_EQ(r.barrierHeight, v0);
    EXPECT_EQ(r.width, a);

    // Above the barrier, with hbar 0.5 and mass 2: sin instead of sinh.
    const double hbar = 0.5;
    const double mass = 2.0;
    const double k2in = 2.0 * mass * (6.0 - 4.5) / (hbar * hbar);
    const double k2out = 2.0 * mass * 6.0 / (hbar * hbar);
    const double sn = std::sin(std::sqrt(k2in) * a);
    const double above = 1.0 / (1.0 + (k2out - k2in) * (k2out - k2in) * sn * sn / (4.0 * k2out * k2in));
    EXPECT_NEAR(SquareBarrier1D::compute(6.0, v0, a, mass, hbar).transmission, above, 1e-12);
}

TEST(SquareBarrier1D, RefusesInvalidParameters)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const auto& args : {std::array<double, 5>{1, 1, -1, 1, 1}, std::array<double, 5>{-1, 1, 1, 1, 1},
                             std::array<double, 5>{1, nan, 1, 1, 1}, std::array<double, 5>{1, 1, 1, 0, 1},
                             std::array<double, 5>{1, 1, 1, 1, -1}, std::array<double, 5>{INFINITY, 1, 1, 1, 1}}) {
        EXPECT_EQ(messageOf<std::invalid_argument>(
                      [&] { SquareBarrier1D::compute(args[0], args[1], args[2], args[3], args[4]); }),
                  "SquareBarrier1D: invalid parameters");
    }
}

TEST(KineticEnergy, MeanMomentumEnergyAndUnusableInput)
{
    EXPECT_EQ(vxo::centralKineticEnergy2D(3, 4, 2), 6.25);
    EXPECT_EQ(vxo::centralKineticEnergy2D(1, 1, 0), 0.0);
    EXPECT_EQ(vxo::centralKineticEnergy2D(std::nan(""), 1, 1), 0.0);
    EXPECT_EQ(vxo::kineticEnergy1D(-3, 0.5), 9.0);
    EXPECT_EQ(vxo::kineticEnergy1D(2, -1), 0.0);
    EXPECT_EQ(vxo::kineticEnergy1D(INFINITY, 1), 0.0);
}
