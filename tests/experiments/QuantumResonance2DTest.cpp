#include "experiments/QuantumResonance2D.h"

#include "core/ComplexField2D.h"
#include "core/PotentialScene.h"
#include "core/SquareBarrier1D.h"
#include "tests/experiments/CheckMessages.h"
#include "tests/experiments/PresetScenes.h"
#include "tests/experiments/TwoLevelFixtures.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vxo;

namespace {

using fixtures::makeBarrier;

std::string resonanceCheckMessage(const PotentialScene& scene)
{
    return test::sceneCheckOutcome<DoubleBarrierConfig>(QuantumResonance2D::extractFromScene, scene);
}

using test::sceneOf;

// Largest T near a resonance, by golden-section search on [lo, hi].
double peakTransmission(double lo, double hi, double v, double w, double cavity)
{
    const double g = (std::sqrt(5.0) - 1.0) / 2.0;
    auto t = [&](double e) { return QuantumResonance2D::transmission(e, v, w, cavity, v, w, 1.0, 1.0); };
    for (int k = 0; k < 200; ++k) {
        const double a = hi - g * (hi - lo);
        const double b = lo + g * (hi - lo);
        if (t(a) > t(b))
            hi = b;
        else
            lo = a;
    }
    return t(0.5 * (lo + hi));
}

} // namespace

TEST(QuantumResonance2D, SceneCheckReportsOneMessagePerFault)
{
    PotentialObject disabledRectangle = fixtures::makeRectangle(3.0f, 0.0f, 1.0f, 1.0f);
    disabledRectangle.enabled = false;
    EXPECT_EQ(resonanceCheckMessage(
                  sceneOf({makeBarrier(2.0f, -2.0f, 1.0f), disabledRectangle, makeBarrier(2.0f, 2.0f, 1.0f)})),
              "ok");
    EXPECT_EQ(resonanceCheckMessage(sceneOf({makeBarrier(2.0f, -2.0f, 1.0f), makeBarrier(2.0f, 2.0f, 1.0f),
                                             fixtures::makeRectangle(3.0f, 6.0f, 1.0f, 1.0f)})),
              "Double-barrier analysis requires only Barrier objects.");
    EXPECT_EQ(resonanceCheckMessage(sceneOf(
                  {makeBarrier(2.0f, -4.0f, 1.0f), makeBarrier(2.0f, 0.0f, 1.0f), makeBarrier(2.0f, 4.0f, 1.0f)})),
              "Enable exactly two Barrier objects in Potential Scene.");
    EXPECT_EQ(resonanceCheckMessage(PotentialScene()), "Enable exactly two Barrier objects in Potential Scene.");
    // Touching barriers leave no cavity.
    EXPECT_EQ(resonanceCheckMessage(sceneOf({makeBarrier(2.0f, -0.5f, 1.0f), makeBarrier(2.0f, 0.5f, 1.0f)})),
              "The two barriers overlap or leave no finite central cavity.");

    // An invalid third barrier is reported as invalid, not as a count fault.
    PotentialScene three =
        sceneOf({makeBarrier(2.0f, -4.0f, 1.0f), makeBarrier(2.0f, 0.0f, 1.0f), makeBarrier(2.0f, 4.0f, 1.0f)});
    three.find(3)->thickness = -1.0f;
    EXPECT_EQ(resonanceCheckMessage(three), "One of the enabled barriers is invalid.");

    DoubleBarrierConfig config;
    EXPECT_FALSE(QuantumResonance2D::extractFromScene(three, config, nullptr));
}

TEST(QuantumResonance2D, ConfigOrdersThePairAndRegionsCountThePaintedBarriers)
{
    // Right barrier added first: the pair is ordered by centerX.
    const PotentialScene scene = sceneOf({makeBarrier(3.0f, 2.0f, 1.0f), makeBarrier(2.0f, -2.0f, 1.0f)});
    DoubleBarrierConfig config;
    ASSERT_TRUE(QuantumResonance2D::extractFromScene(scene, config, nullptr));
    EXPECT_EQ(config.leftBarrier.value, 2.0f);
    EXPECT_EQ(config.rightBarrier.value, 3.0f);
    EXPECT_DOUBLE_EQ(config.leftOuterX, -2.5);
    EXPECT_DOUBLE_EQ(config.rightOuterX, 2.5);
    EXPECT_DOUBLE_EQ(config.cavityWidth, 3.0);
    EXPECT_DOUBLE_EQ(config.centerDistance, 4.0);

    // Cell centres -3.5 .. 3.5: -2.5 and -1.5 lie on the left barrier's faces,
    // 1.5 and 2.5 on the right one's; as painted, each low face takes its
    // cell and each high face leaves it (-1.5 to the cavity, 2.5 to the right).
    // Cells 1 x 0.25: each of the 16 holds 0.25 x 0.25.
    ComplexField2D psi(8, 2, 1.0f, 0.25f);
    psi.fill(Complex(0.5f, 0.0f));
    const DoubleBarrierRegions regions = QuantumResonance2D::regionProbabilities(psi, config);
    EXPECT_DOUBLE_EQ(regions.total, 1.0);
    EXPECT_DOUBLE_EQ(regions.leftFraction, 1.0 / 8.0);
    EXPECT_DOUBLE_EQ(regions.barriersFraction, 2.0 / 8.0);
    EXPECT_DOUBLE_EQ(regions.cavityFraction, 3.0 / 8.0);
    EXPECT_DOUBLE_EQ(regions.rightFraction, 2.0 / 8.0);

    EXPECT_EQ(QuantumResonance2D::regionProbabilities(psi, DoubleBarrierConfig()).total, 0.0);
}

TEST(QuantumResonance2D, SymmetricPairIsTransparentAtResonance)
{
    const double v = 5.0, w = 0.5, cavity = 3.0;
    int peaks = 0;
    double previous = 0.0, before = 0.0;
    double lowest = 1.0;
    const int n = 4000;
    for (int k = 0; k <= n; ++k) {
        const double e = 0.05 + 4.5 * k / n;
        const double t = QuantumResonance2D::transmission(e, v, w, cavity, v, w, 1.0, 1.0);
        ASSERT_GE(t, 0.0);
        ASSERT_LE(t, 1.0);
        lowest = std::min(lowest, t);
        if (k >= 2 && previous > before && previous > t && previous > 0.1) {
            ++peaks;
            const double step = 4.5 / n;
            EXPECT_NEAR(peakTransmission(e - 2.0 * step, e, v, w, cavity), 1.0, 1e-6) << "peak near E = " << e;
        }
        before = previous;
        previous = t;
    }
    EXPECT_GE(peaks, 2);
    EXPECT_LT(lowest, 1e-2);

    for (double e : {0.3, 1.7, 4.0})
        EXPECT_DOUBLE_EQ(QuantumResonance2D::transmission(e, 0.0, w, cavity, 0.0, w, 1.0, 1.0), 1.0);
}

TEST(QuantumResonance2D, SingleBarrierLimitsMatchTheSquareBarrier)
{
    const double mass = 1.3, hbar = 0.9;
    for (double e : {0.4, 2.0, 3.7}) {
        const double single = SquareBarrier1D::compute(e, 2.0, 0.8, mass, hbar).transmission;
        // Second barrier of height 0: only the first scatters.
        EXPECT_NEAR(QuantumResonance2D::transmission(e, 2.0, 0.8, 1.7, 0.0, 0.5, mass, hbar), single, 1e-10) << e;
        // Two halves with no cavity form the same barrier.
        EXPECT_NEAR(QuantumResonance2D::transmission(e, 2.0, 0.3, 0.0, 2.0, 0.5, mass, hbar), single, 1e-10) << e;
    }
    // E equal to the barrier height takes the [[1, d], [0, 1]] matrix.
    EXPECT_NEAR(QuantumResonance2D::transmission(2.0, 2.0, 0.8, 1.0, 0.0, 0.5, mass, hbar),
                SquareBarrier1D::compute(2.0, 2.0, 0.8, mass, hbar).transmission, 1e-10);

    EXPECT_EQ(QuantumResonance2D::transmission(-1.0, 2.0, 0.8, 1.0, 2.0, 0.8, mass, hbar), 0.0);
    EXPECT_EQ(QuantumResonance2D::transmission(1.0, 2.0, 0.0, 1.0, 2.0, 0.8, mass, hbar), 0.0);
}

TEST(QuantumResonance2D, ScansSampleTheirRangesOrReturnNothing)
{
    DoubleBarrierConfig config;
    ASSERT_TRUE(QuantumResonance2D::extractFromScene(
        sceneOf({makeBarrier(5.0f, -2.0f, 0.5f), makeBarrier(5.0f, 2.0f, 0.5f)}), config, nullptr));

    const auto curve = QuantumResonance2D::transmissionCurve(config, 6.0, 0.5, 12, 1.0, 1.0);
    ASSERT_EQ(curve.size(), 12u);
    EXPECT_DOUBLE_EQ(curve.front().abscissa, 0.5);
    EXPECT_DOUBLE_EQ(curve.back().abscissa, 6.0);
    EXPECT_DOUBLE_EQ(curve[3].transmission,
                     QuantumResonance2D::transmission(curve[3].abscissa, 5.0, 0.5, 3.5, 5.0, 0.5, 1.0, 1.0));
    EXPECT_TRUE(QuantumResonance2D::transmissionCurve(config, 0.5, 6.0, 1, 1.0, 1.0).empty());
    EXPECT_TRUE(QuantumResonance2D::transmissionCurve(DoubleBarrierConfig(), 0.5, 6.0, 10, 1.0, 1.0).empty());

    const auto widths = QuantumResonance2D::cavityWidthScan(config, -2.0, 4.0, 5, 1.0, 1.0, 1.0);
    ASSERT_EQ(widths.size(), 5u);
    EXPECT_DOUBLE_EQ(widths.front().abscissa, 0.0);
    EXPECT_DOUBLE_EQ(widths[1].abscissa, 1.0);
    EXPECT_DOUBLE_EQ(widths.back().abscissa, 4.0);
    EXPECT_TRUE(QuantumResonance2D::cavityWidthScan(config, 2.0, 2.0, 5, 1.0, 1.0, 1.0).empty());
    EXPECT_TRUE(QuantumResonance2D::cavityWidthScan(config, 0.0, 4.0, 5, 0.0, 1.0, 1.0).empty());
}
