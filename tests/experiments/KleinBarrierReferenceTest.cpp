#include "experiments/KleinBarrierReference.h"

#include "KleinTransferMatrix.h"
#include "core/Numeric.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>

using namespace vxo;
using vxo::test::KleinTransferMatrix;

namespace {

using C = std::complex<double>;

void expectMatchesTransferMatrix(const KleinTunnelingConfig& config, double angleDegrees, double hbar = 1.0)
{
    const KleinAngleScanPoint point = kleinBarrierReference(config, angleDegrees, hbar);
    ASSERT_TRUE(point.valid) << "V0=" << config.barrierHeight << " angle=" << angleDegrees;
    const auto expected = KleinTransferMatrix::solve(
        config.lightSpeed, config.restMass, QuantumKleinTunneling2D::momentumMagnitude(config),
        angleDegrees * kPi / 180.0, config.barrierHeight, config.barrierWidth, hbar);
    EXPECT_NEAR(point.transmission, expected.transmission, 1e-9)
        << "V0=" << config.barrierHeight << " angle=" << angleDegrees;
    EXPECT_NEAR(point.reflection, expected.reflection, 1e-9)
        << "V0=" << config.barrierHeight << " angle=" << angleDegrees;
    EXPECT_NEAR(point.transmission + point.reflection, 1.0, 1e-9);
}

} // namespace

TEST(KleinBarrierReference, DefaultsAgreeWithTransferMatrices)
{
    KleinTunnelingConfig config;
    const KleinAngleScanPoint normal = kleinBarrierReference(config, 0.0, 1.0);
    ASSERT_TRUE(normal.valid);
    EXPECT_EQ(normal.regime, kKleinRegimeSupercritical);
    EXPECT_NEAR(normal.transmission, 0.99662, 5e-5);
    EXPECT_NEAR(normal.barrierMomentumXSquared, 2.88467, 5e-5);
    const KleinAngleScanPoint oblique = kleinBarrierReference(config, 30.0, 1.0);
    EXPECT_NEAR(oblique.transmission, 0.4086, 5e-4);
    EXPECT_NEAR(oblique.reflection, 0.5914, 5e-4);

    for (double angle : {0.0, 12.5, 30.0, 55.0})
        expectMatchesTransferMatrix(config, angle);
    // The positive branch, the gap (imaginary q) and a wide supercritical barrier.
    for (double V0 : {0.6, 1.5, 2.4, 6.0}) {
        config.barrierHeight = V0;
        expectMatchesTransferMatrix(config, 0.0);
        expectMatchesTransferMatrix(config, 20.0);
    }
    config = KleinTunnelingConfig{};
    config.restMass = 0.7;
    config.barrierWidth = 5.5;
    expectMatchesTransferMatrix(config, 10.0);
    // hbar away from 1 scales every phase across the barrier.
    expectMatchesTransferMatrix(config, 10.0, 0.7);
    expectMatchesTransferMatrix(KleinTunnelingConfig{}, 20.0, 1.6);
}

TEST(KleinBarrierReference, GapAndMasslessLimit)
{
    KleinTunnelingConfig gap;
    gap.barrierHeight = 1.5; // |E - V0| = 0.00083 < m c^2
    const KleinAngleScanPoint inGap = kleinBarrierReference(gap, 0.0, 1.0);
    ASSERT_TRUE(inGap.valid);
    EXPECT_LT(inGap.barrierMomentumXSquared, 0.0);
    EXPECT_EQ(inGap.regime, kKleinRegimeEvanescent);
    EXPECT_NEAR(inGap.transmission, 0.9778, 5e-4);
    EXPECT_NEAR(inGap.reflection, 0.0222, 5e-4);

    KleinTunnelingConfig massless;
    massless.restMass = 0.0;
    for (double V0 : {0.4, 3.2, 9.0}) {
        massless.barrierHeight = V0;
        const KleinAngleScanPoint p = kleinBarrierReference(massless, 0.0, 1.0);
        ASSERT_TRUE(p.valid);
        EXPECT_NEAR(p.transmission, 1.0, 1e-12) << V0;
        EXPECT_NEAR(p.reflection, 0.0, 1e-12) << V0;
    }
    massless.barrierHeight = 3.2;
    EXPECT_NEAR(kleinBarrierReference(massless, 30.0, 1.0).transmission, 0.4099, 5e-4);
    expectMatchesTransferMatrix(massless, 30.0);
    // At V0 = E the two massless spinors inside coincide: singular, invalid.
    massless.barrierHeight = 1.5;
    EXPECT_FALSE(kleinBarrierReference(massless, 0.0, 1.0).valid);
}

TEST(KleinBarrierReference, RefusalsAndDirectionIndependence)
{
    KleinTunnelingConfig config;
    for (double angle : {89.9, -1.0, std::nan("")}) {
        const KleinAngleScanPoint p = kleinBarrierReference(config, angle, 1.0);
        EXPECT_FALSE(p.valid);
        EXPECT_EQ(p.regime, kKleinRegimeEvanescent);
        EXPECT_EQ(p.barrierMomentumXSquared, 0.0);
    }
    EXPECT_FALSE(kleinBarrierReference(config, 10.0, 0.0).valid);
    EXPECT_TRUE(kleinBarrierReference(config, 89.8, 1.0).valid);
    // Grazing is judged on k_x alone (k_x <= 1e-10): a very slow packet just
    // above it still has a reference, one at it has none.
    KleinTunnelingConfig slow = config;
    slow.momentumY = 0.0;
    slow.momentumX = 1.5e-10;
    const KleinAngleScanPoint crawling = kleinBarrierReference(slow, 0.0, 1.0);
    EXPECT_TRUE(crawling.valid) << "k_x = " << slow.momentumX;
    EXPECT_NEAR(crawling.transmission + crawling.reflection, 1.0, 1e-9) << "k_x = " << slow.momentumX;
    slow.momentumX = 1e-10;
    EXPECT_FALSE(kleinBarrierReference(slow, 0.0, 1.0).valid) << "k_x = " << slow.momentumX;

    // Only |p| and the angle count.
    KleinTunnelingConfig turned = config;
    turned.momentumX = 1.5 * std::cos(0.6);
    turned.momentumY = 1.5 * std::sin(0.6);
    const KleinAngleScanPoint a = kleinBarrierReference(config, 25.0, 1.0);
    const KleinAngleScanPoint b = kleinBarrierReference(turned, 25.0, 1.0);
    EXPECT_NEAR(a.transmission, b.transmission, 1e-12);
    EXPECT_EQ(a.regime, b.regime);
}

TEST(KleinBarrierReference, PlaneWaveSpinorsAndTheEliminationSolver)
{
    // Each spinor is an eigenvector of c sigma.p + m c^2 sigma_z with eigenvalue eps.
    const double c = 1.3;
    const double mc2 = 0.4;
    // Propagating, evanescent (eps inside the gap) and eps = -m c^2, where the
    // first form's denominator vanishes.
    for (auto [ky, eps] : {std::pair{0.2, 1.2}, std::pair{0.3, 0.3}, std::pair{0.25, -mc2}, std::pair{0.1, -2.0}}) {
        const C q = std::sqrt(C((eps * eps - mc2 * mc2) / (c * c) - ky * ky, 0.0));
        const auto s = diracPlaneWaveSpinor(q, ky, eps, c, mc2);
        const C upper = mc2 * s.first + c * (q - C(0.0, ky)) * s.second;
        const C lower = c * (q + C(0.0, ky)) * s.first - mc2 * s.second;
        EXPECT_NEAR(std::abs(upper - eps * s.first), 0.0, 1e-12);
        EXPECT_NEAR(std::abs(lower - eps * s.second), 0.0, 1e-12);
    }
    const auto degenerate = diracPlaneWaveSpinor(C(0.0, 0.0), 0.0, 0.0, 1.0, 0.0);
    EXPECT_EQ(degenerate.first, C(1.0, 0.0));
    EXPECT_EQ(degenerate.second, C(0.0, 0.0));

    // A zero leading entry needs the row exchange.
    ComplexMatrix4x4 m{};
    m[0] = {C(0, 0), C(2, 0), C(0, 1), C(1, 0)};
    m[1] = {C(1, 1), C(0, 0), C(3, 0), C(0, 0)};
    m[2] = {C(0, 0), C(1, 0), C(1, 0), C(0, -2)};
    m[3] = {C(4, 0), C(0, 0), C(0, 0), C(1, 1)};
    const ComplexVector4 x = {C(1, -1), C(0.5, 0), C(-2, 1), C(0, 3)};
    ComplexVector4 b{};
    for (int r = 0; r < 4; ++r)
        for (int k = 0; k < 4; ++k)
            b[r] += m[r][k] * x[k];
    ComplexVector4 solution{};
    ASSERT_TRUE(solveComplex4x4(m, b, solution));
    for (int k = 0; k < 4; ++k)
        EXPECT_NEAR(std::abs(solution[k] - x[k]), 0.0, 1e-12);
    EXPECT_EQ(m[0][0], C(0, 0)); // the caller's matrix is untouched

    m[3] = m[1];
    ComplexVector4 untouched = {C(7, 0), C(7, 0), C(7, 0), C(7, 0)};
    ComplexVector4 rhs = b;
    EXPECT_FALSE(solveComplex4x4(m, rhs, untouched));
    EXPECT_EQ(untouched[0], C(7, 0));
}
