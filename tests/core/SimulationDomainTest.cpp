#include "core/AbsorbingBoundary2D.h"
#include "core/SimulationDomain2D.h"

#include "core/GaussianPacket2D.h"
#include "core/PositionMoments.h"
#include "core/PotentialField2D.h"
#include "core/SplitStepFourierSolver2D.h"
#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

using vxo::AbsorbingBoundary2D;
using vxo::AbsorbingBoundaryConfig;
using vxo::Complex;
using vxo::ComplexField2D;
using vxo::SimulationDomain2D;
using vxo::test::bitIdentical;
using vxo::test::messageOf;

namespace {

const char* const kPowersOfTwo = "SimulationDomain2D: FFT grid dimensions must be powers of two";
const char* const kPhysical = "SimulationDomain2D: physical dimensions must be finite and positive";
const char* const kNotPrepared = "AbsorbingBoundary2D: mask is not prepared for this field";

AbsorbingBoundaryConfig layer(bool enabled, float widthFraction, float strength, float exponent)
{
    AbsorbingBoundaryConfig c;
    c.enabled = enabled;
    c.widthFraction = widthFraction;
    c.strength = strength;
    c.exponent = exponent;
    return c;
}

} // namespace

TEST(SimulationDomain2D, DerivesTheCellSizeFromTheExtent)
{
    const SimulationDomain2D d(512, 256, 40.96f, 30.72f);
    EXPECT_EQ(d.nx(), 512u);
    EXPECT_EQ(d.ny(), 256u);
    EXPECT_EQ(d.width(), 40.96f);
    EXPECT_EQ(d.height(), 30.72f);
    EXPECT_EQ(d.dx(), 0.08f);
    EXPECT_EQ(d.dy(), 0.12f);
    EXPECT_TRUE(d.isValid());
}

TEST(SimulationDomain2D, RefusesSizesBeforeExtents)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(messageOf([&] { SimulationDomain2D(0, 512, nan, 1.0f); }), kPowersOfTwo);
    EXPECT_EQ(messageOf([&] { SimulationDomain2D(384, 512, -1.0f, 1.0f); }), kPowersOfTwo);
    EXPECT_EQ(messageOf([&] { SimulationDomain2D(512, 3, 0.0f, 0.0f); }), kPowersOfTwo);
    EXPECT_EQ(messageOf([&] { SimulationDomain2D(512, 512, 0.0f, 1.0f); }), kPhysical);
    EXPECT_EQ(messageOf([&] { SimulationDomain2D(512, 512, 1.0f, -2.0f); }), kPhysical);
    EXPECT_EQ(messageOf([&] { SimulationDomain2D(512, 512, nan, 1.0f); }), kPhysical);
    EXPECT_EQ(messageOf([&] { SimulationDomain2D(512, 512, 1.0f, INFINITY); }), kPhysical);
}

TEST(SimulationDomain2D, IsValidAlsoChecksTheDerivedSpacing)
{
    // The smallest positive float divided by 1024 underflows to a zero cell
    // size, along either axis.
    const SimulationDomain2D tiny(1024, 1, std::numeric_limits<float>::denorm_min(), 1.0f);
    EXPECT_EQ(tiny.dx(), 0.0f);
    EXPECT_FALSE(tiny.isValid());
    const SimulationDomain2D flat(1, 1024, 1.0f, std::numeric_limits<float>::denorm_min());
    EXPECT_EQ(flat.dy(), 0.0f);
    EXPECT_FALSE(flat.isValid());
}

TEST(AbsorbingBoundary2DProfile, BandWidthRimAndOutermostCell)
{
    // 0.15 of a 512-cell axis: cells with i + 0.5 < 76.8 on either side.
    EXPECT_GT(AbsorbingBoundary2D::edgeProfile(76, 512, 0.15f, 3.0f), 0.0f);
    EXPECT_EQ(AbsorbingBoundary2D::edgeProfile(77, 512, 0.15f, 3.0f), 0.0f);
    EXPECT_GT(AbsorbingBoundary2D::edgeProfile(511 - 76, 512, 0.15f, 3.0f), 0.0f);
    EXPECT_EQ(AbsorbingBoundary2D::edgeProfile(511 - 77, 512, 0.15f, 3.0f), 0.0f);

    // The outermost cell is ((w - 0.5 / n) / w)^e, not 1, on both sides.
    const double outer = std::pow((0.15 - 0.5 / 512.0) / 0.15, 3.0);
    EXPECT_NEAR(AbsorbingBoundary2D::edgeProfile(0, 512, 0.15f, 3.0f), outer, 1e-6);
    EXPECT_EQ(AbsorbingBoundary2D::edgeProfile(0, 512, 0.15f, 3.0f),
              AbsorbingBoundary2D::edgeProfile(511, 512, 0.15f, 3.0f));
    EXPECT_LT(AbsorbingBoundary2D::edgeProfile(0, 512, 0.15f, 3.0f), 1.0f);

    // A centre exactly on the inner rim (d = w) is interior.
    EXPECT_EQ(AbsorbingBoundary2D::edgeProfile(2, 10, 0.25f, 3.0f), 0.0f);
    EXPECT_NEAR(AbsorbingBoundary2D::edgeProfile(1, 10, 0.25f, 3.0f), 0.064, 1e-6);

    EXPECT_EQ(AbsorbingBoundary2D::edgeProfile(0, 0, 0.15f, 3.0f), 0.0f);
    EXPECT_EQ(AbsorbingBoundary2D::edgeProfile(0, 512, 0.0f, 3.0f), 0.0f);
}

TEST(AbsorbingBoundary2DMask, EdgeAndCornerValues)
{
    const std::uint64_t n = 64;
    ComplexField2D psi(n, n, 0.25f, 0.25f);
    AbsorbingBoundary2D boundary;
    boundary.prepare(psi, 0.01f, layer(true, 0.15f, 8.0f, 3.0f));
    ASSERT_EQ(boundary.mask().size(), n * n);
    EXPECT_TRUE(boundary.isEnabled());
    EXPECT_EQ(boundary.dt(), 0.01f);

    const double p0 = std::pow((0.15 - 0.5 / 64.0) / 0.15, 3.0);
    const double s = 8.0 * 0.01;
    const auto maskAt = [&](std::uint64_t i, std::uint64_t j) { return boundary.mask()[j * n + i]; };
    // Middle of the left edge: only the x profile; corner: both profiles add up.
    EXPECT_NEAR(maskAt(0, n / 2), std::exp(-p0 * s), 1e-6);
    EXPECT_NEAR(maskAt(n / 2, n - 1), std::exp(-p0 * s), 1e-6);
    EXPECT_NEAR(maskAt(0, 0), std::exp(-2.0 * p0 * s), 1e-6);
    EXPECT_EQ(maskAt(0, 0), maskAt(n - 1, n - 1));
    EXPECT_EQ(maskAt(n / 2, n / 2), 1.0f);

    // Every value lies in (exp(-2 strength dt), 1] and the minimum sits in the corners.
    for (float m : boundary.mask()) {
        EXPECT_GT(m, std::exp(-0.16f));
        EXPECT_LE(m, 1.0f);
    }
    EXPECT_EQ(boundary.minimumMask(), maskAt(0, 0));
    EXPECT_EQ(boundary.maximumMask(), 1.0f);
}

TEST(AbsorbingBoundary2DMask, EveryCellDampsByTheSumOfItsColumnAndRowProfiles)
{
    // A non-square grid keeps the x and the y profile apart.
    const std::uint64_t nx = 40, ny = 24;
    ComplexField2D psi(nx, ny, 0.25f, 0.5f);
    AbsorbingBoundary2D boundary;
    boundary.prepare(psi, 0.01f, layer(true, 0.2f, 8.0f, 3.0f));
    ASSERT_EQ(boundary.mask().size(), nx * ny);
    const float s = 8.0f * 0.01f;
    int mismatches = 0;
    for (std::uint64_t j = 0; j < ny; ++j)
        for (std::uint64_t i = 0; i < nx; ++i) {
            const float p = AbsorbingBoundary2D::edgeProfile(i, nx, 0.2f, 3.0f) +
                            AbsorbingBoundary2D::edgeProfile(j, ny, 0.2f, 3.0f);
            mismatches += boundary.mask()[j * nx + i] == std::exp(-p * s) ? 0 : 1;
        }
    EXPECT_EQ(mismatches, 0);
}

TEST(AbsorbingBoundary2DPrepare, ChecksInOrderAndKeepsThePreviousMaskOnFailure)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const ComplexField2D empty;
    const ComplexField2D psi(32, 32, 0.5f, 0.5f);
    AbsorbingBoundary2D b;
    EXPECT_EQ(messageOf([&] { b.prepare(empty, 0.0f, layer(true, 0.5f, -1.0f, 0.0f)); }),
              "AbsorbingBoundary2D: dt must be finite and positive");
    EXPECT_EQ(messageOf([&] { b.prepare(empty, 0.01f, layer(true, 0.5f, -1.0f, 0.0f)); }),
              "AbsorbingBoundary2D: widthFraction must be in (0, 0.5)");
    for (float w : {0.0f, nan})
        EXPECT_EQ(messageOf([&] { b.prepare(psi, 0.01f, layer(true, w, 8.0f, 3.0f)); }),
                  "AbsorbingBoundary2D: widthFraction must be in (0, 0.5)");
    EXPECT_EQ(messageOf([&] { b.prepare(empty, 0.01f, layer(true, 0.15f, INFINITY, 0.0f)); }),
              "AbsorbingBoundary2D: strength must be finite and positive");
    EXPECT_EQ(messageOf([&] { b.prepare(empty, 0.01f, layer(true, 0.15f, 8.0f, 0.0f)); }),
              "AbsorbingBoundary2D: exponent must be finite and positive");
    EXPECT_EQ(messageOf([&] { b.prepare(empty, 0.01f, layer(true, 0.15f, 8.0f, 3.0f)); }),
              "AbsorbingBoundary2D: field must not be empty");

    b.prepare(psi, 0.01f, layer(true, 0.15f, 8.0f, 3.0f));
    const std::vector<float> mask = b.mask();
    // A disabled layer still validates its settings.
    EXPECT_THROW(b.prepare(psi, 0.02f, layer(false, 0.15f, 0.0f, 3.0f)), std::invalid_argument);
    EXPECT_TRUE(b.isEnabled());
    EXPECT_EQ(b.dt(), 0.01f);
    EXPECT_EQ(b.mask(), mask);
}

TEST(AbsorbingBoundary2DApply, DampsByTheMaskAndRefusesAnotherGrid)
{
    ComplexField2D psi(32, 32, 0.5f, 0.5f);
    psi.fill(Complex(0.5f, -2.0f));
    AbsorbingBoundary2D b;
    EXPECT_EQ(messageOf([&] { b.apply(psi); }), kNotPrepared); // enabled by default, never prepared

    b.prepare(psi, 0.02f, layer(true, 0.2f, 5.0f, 2.0f));
    b.apply(psi);
    for (std::uint64_t c = 0; c < psi.size(); ++c) {
        EXPECT_EQ(psi.data()[c].real(), 0.5f * b.mask()[c]);
        EXPECT_EQ(psi.data()[c].imag(), -2.0f * b.mask()[c]);
    }

    ComplexField2D otherSize(64, 32, 0.5f, 0.5f);
    ComplexField2D otherDx(32, 32, std::nextafter(0.5f, 1.0f), 0.5f);
    EXPECT_EQ(messageOf([&] { b.apply(otherSize); }), kNotPrepared);
    EXPECT_EQ(messageOf([&] { b.apply(otherDx); }), kNotPrepared);
}

TEST(AbsorbingBoundary2DApply, DisabledLayerIsAllOnesAndNeverThrows)
{
    ComplexField2D psi(16, 16, 0.5f, 0.5f);
    AbsorbingBoundary2D b;
    b.prepare(psi, 0.02f, layer(false, 0.15f, 8.0f, 3.0f));
    EXPECT_FALSE(b.isEnabled());
    for (float m : b.mask())
        EXPECT_EQ(m, 1.0f);
    EXPECT_EQ(b.minimumMask(), 1.0f);

    ComplexField2D other(8, 4, 3.0f, 3.0f);
    other.fill(Complex(1.0f, 1.0f));
    const ComplexField2D before = other;
    EXPECT_NO_THROW(b.apply(other));
    EXPECT_TRUE(bitIdentical(other, before));
    ComplexField2D empty;
    EXPECT_NO_THROW(b.apply(empty));
}

TEST(AbsorbingBoundary2DApply, NormFallsOnlyOnceThePacketReachesTheLayer)
{
    // A packet moving right at velocity 3 through a 20.48-wide box whose layers
    // begin at |x| = 10.24 - 0.15 * 20.48 = 7.168, beside the same run in the
    // periodic box (which keeps the norm up to the rounding of the transforms).
    const std::uint64_t n = 128;
    const float d = 0.16f;
    const double rim = 0.5 * n * d - 0.15 * n * d;
    ComplexField2D absorbed(n, n, d, d);
    vxo::GaussianPacket2D::prepare(absorbed, {-1.0f, 0.0f, 1.0f, 3.0f, 0.0f, 1.0f});
    ComplexField2D periodic = absorbed;
    const vxo::PotentialField2D v(n, n, d, d);
    vxo::SplitStepFourierSolver2D solver;
    solver.configure({1.0f, 1.0f, 0.02f});
    AbsorbingBoundary2D b;
    b.prepare(absorbed, 0.02f, layer(true, 0.15f, 8.0f, 3.0f));

    double previous = absorbed.norm();
    int stepsBeforeArrival = 0;
    for (int s = 0; s < 300; ++s) {
        solver.step(periodic, v);
        solver.step(absorbed, v);
        b.apply(absorbed);
        const vxo::PositionMoments m = vxo::computePositionMoments(periodic);
        const double norm = absorbed.norm();
        if (std::abs(m.meanX) + 5.0 * m.sigmaX < rim) {
            EXPECT_NEAR(norm / periodic.norm(), 1.0, 1e-6) << "step " << s;
            ++stepsBeforeArrival;
        }
        EXPECT_LE(norm, previous + 1e-7) << "step " << s;
        previous = norm;
    }
    EXPECT_GT(stepsBeforeArrival, 40);
    EXPECT_NEAR(periodic.norm(), 1.0, 1e-3);
    EXPECT_LT(previous, 0.05); // nearly all of the packet has been absorbed
}

// A thin, weak layer lets much of a fast packet through one side band and
// across the periodic edge into the other: what either band takes is
// counted by the way it moves, all of a packet moving left as gone left,
// all of one moving right as gone right (by band, over two fifths of each
// were counted on the wrong side).
TEST(AbsorbingBoundary2DApply, CountsWhatTheSideBandsTakeByTheWayItMoves)
{
    const std::uint64_t nx = 256, ny = 16;
    const float dx = 0.16f, dy = 0.5f;
    for (const float momentum : {-4.0f, 4.0f}) {
        SCOPED_TRACE("px " + std::to_string(momentum));
        ComplexField2D psi(nx, ny, dx, dy);
        vxo::GaussianPacket2D::prepare(psi, {0.0f, 0.0f, 1.5f, momentum, 0.0f, 1.0f});
        const vxo::PotentialField2D free(nx, ny, dx, dy);
        vxo::SplitStepFourierSolver2D solver;
        solver.configure({1.0f, 1.0f, 0.02f});
        AbsorbingBoundary2D b;
        b.prepare(psi, 0.02f, layer(true, 0.03f, 1.5f, 3.0f));
        vxo::AbsorbedByBand taken;
        while (psi.norm() > 1e-3 && solver.time() < 200.0) {
            solver.step(psi, free);
            taken += b.applyCountingBands(psi);
        }
        ASSERT_LT(psi.norm(), 1e-3) << "the layer must have taken the packet";
        const double wrongWay = momentum < 0.0f ? taken.right : taken.left;
        EXPECT_LT(wrongWay, 1e-3 * taken.total()) << "left " << taken.left << ", right " << taken.right;
    }
}

TEST(AbsorbingBoundary2DApply, CountsWhatEachBandTookAndDampsAsApplyDoes)
{
    // Uniform |psi|^2 on a non-square grid, layers wide enough (0.45) that
    // they meet nearly in the middle: each cell loses rho (1 - m^2), shared in
    // a corner between its side and the top or bottom by their profiles.
    const struct {
        std::uint64_t nx, ny;
        float widthFraction;
    } cases[] = {{40, 24, 0.2f}, {16, 8, 0.45f}, {8, 32, 0.499f}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.nx) + "x" + std::to_string(c.ny));
        ComplexField2D counted(c.nx, c.ny, 0.25f, 0.5f);
        counted.fill(Complex(0.6f, -0.8f));
        ComplexField2D applied = counted;
        AbsorbingBoundary2D b;
        b.prepare(counted, 0.05f, layer(true, c.widthFraction, 6.0f, 3.0f));
        const double normBefore = counted.norm();
        const vxo::AbsorbedByBand removed = b.applyCountingBands(counted);
        b.apply(applied);
        EXPECT_TRUE(bitIdentical(counted, applied));

        double left = 0.0, right = 0.0, sideways = 0.0;
        for (std::uint64_t j = 0; j < c.ny; ++j)
            for (std::uint64_t i = 0; i < c.nx; ++i) {
                const double m = b.mask()[j * c.nx + i];
                const double taken = (1.0 - m * m) * 0.25 * 0.5;
                const double px = AbsorbingBoundary2D::edgeProfile(i, c.nx, c.widthFraction, 3.0f);
                const double py = AbsorbingBoundary2D::edgeProfile(j, c.ny, c.widthFraction, 3.0f);
                if (px + py == 0.0)
                    continue;
                sideways += taken * py / (px + py);
                (2 * i < c.nx ? left : right) += taken * px / (px + py);
            }
        EXPECT_NEAR(removed.left, left, 1e-5 * left);
        EXPECT_NEAR(removed.right, right, 1e-5 * right);
        EXPECT_NEAR(removed.topAndBottom, sideways, 1e-5 * sideways);
        EXPECT_NEAR(removed.left, removed.right, 1e-5 * left) << "the layer is symmetric";
        EXPECT_NEAR(removed.total(), normBefore - counted.norm(), 1e-4 * removed.total());
    }

    ComplexField2D psi(16, 8, 0.5f, 0.25f);
    psi.fill(Complex(1.0f, 0.0f));
    AbsorbingBoundary2D off;
    off.prepare(psi, 0.05f, layer(false, 0.2f, 6.0f, 3.0f));
    const vxo::AbsorbedByBand none = off.applyCountingBands(psi);
    EXPECT_EQ(none.total(), 0.0);
    EXPECT_EQ(psi.data()[0], Complex(1.0f, 0.0f));
}
