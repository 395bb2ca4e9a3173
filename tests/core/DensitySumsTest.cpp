// The one-read density sums against cell-by-cell sums taken the plain way, on
// non-square grids whose packets met a wall and an absorbing layer.

#include "core/AbsorbingBoundary2D.h"
#include "core/DensitySums2D.h"
#include "core/FFT2DKernels.h"
#include "core/GaussianPacket2D.h"
#include "core/PositionMoments.h"
#include "core/PotentialField2D.h"
#include "core/RegionProbabilities.h"
#include "core/SplitStepFourierSolver2D.h"
#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace vxo {
namespace {

// Moments and regions summed cell by cell, each integral in its own pass.
struct PlainSums {
    double norm = 0.0, meanX = 0.0, meanY = 0.0, sigmaX = 0.0, sigmaY = 0.0;
    double left = 0.0, middle = 0.0, right = 0.0;
};

PlainSums plainSums(const ComplexField2D& psi, double a, double b)
{
    PlainSums s;
    const double area = static_cast<double>(psi.dx()) * static_cast<double>(psi.dy());
    const auto rho = [&psi, area](std::uint64_t i, std::uint64_t j) {
        const std::complex<double> v(psi.at(i, j).real(), psi.at(i, j).imag());
        return std::norm(v) * area;
    };
    double sx = 0.0, sy = 0.0;
    for (std::uint64_t j = 0; j < psi.ny(); ++j)
        for (std::uint64_t i = 0; i < psi.nx(); ++i) {
            s.norm += rho(i, j);
            sx += rho(i, j) * gridCoordinateX(psi, i);
            sy += rho(i, j) * gridCoordinateY(psi, j);
        }
    s.meanX = sx / s.norm;
    s.meanY = sy / s.norm;
    double vx = 0.0, vy = 0.0;
    for (std::uint64_t j = 0; j < psi.ny(); ++j)
        for (std::uint64_t i = 0; i < psi.nx(); ++i) {
            const double x = gridCoordinateX(psi, i);
            const double y = gridCoordinateY(psi, j);
            vx += rho(i, j) * (x - s.meanX) * (x - s.meanX);
            vy += rho(i, j) * (y - s.meanY) * (y - s.meanY);
            (x < std::min(a, b) ? s.left : x > std::max(a, b) ? s.right : s.middle) += rho(i, j);
        }
    s.sigmaX = std::sqrt(vx / s.norm);
    s.sigmaY = std::sqrt(vy / s.norm);
    return s;
}

void expectRelative(double actual, double expected, double scale, const std::string& what)
{
    EXPECT_NEAR(actual, expected, 1e-12 * std::max(std::fabs(expected), scale)) << what;
}

TEST(DensitySums2D, OneReadGivesTheMomentsAndRegionsOfTheSeparatePasses)
{
    struct Case {
        std::uint64_t nx, ny;
        float dx, dy;
        float wallX; // a tall wall the packet runs into
        int steps;
    };
    for (const Case c : {Case{128, 64, 0.2f, 0.3f, 4.0f, 60}, Case{64, 128, 0.3f, 0.15f, -1.0f, 40},
                         Case{256, 32, 0.1f, 0.45f, 6.0f, 80}}) {
        const std::string name = std::to_string(c.nx) + "x" + std::to_string(c.ny);
        ComplexField2D psi(c.nx, c.ny, c.dx, c.dy);
        // Started near the lower edge and moving into its absorbing band.
        const float bottom = -0.5f * static_cast<float>(c.ny) * c.dy;
        GaussianPacket2D::prepare(psi, {c.wallX - 2.5f, bottom + 2.5f, 1.0f, 3.0f, -3.0f, 1.0f});
        PotentialField2D wall(c.nx, c.ny, c.dx, c.dy);
        wall.addBarrier(c.wallX, -100.0f, c.wallX, 100.0f, 0.6f, 8.0f);
        SplitStepFourierSolver2D solver;
        solver.configure({1.0f, 1.0f, 0.02f});
        AbsorbingBoundary2D layer;
        layer.prepare(psi, 0.02f, AbsorbingBoundaryConfig{true, 0.2f, 20.0f, 2.0f});
        for (int n = 0; n < c.steps; ++n) {
            solver.step(psi, wall);
            layer.apply(psi);
        }

        const PlainSums plain = plainSums(psi, c.wallX - 0.5, c.wallX + 0.5);
        ASSERT_LT(plain.norm, 0.999) << name << ": the layer must have absorbed some of the packet";
        ASSERT_GT(plain.right, 1e-4 * plain.norm) << name << ": some of the packet must be past the wall";

        DensitySums2D sums;
        sums.compute(psi);
        const PositionMoments m = sums.moments();
        const double extent = static_cast<double>(c.nx) * c.dx;
        expectRelative(m.norm, plain.norm, 0.0, name + " norm");
        expectRelative(m.meanX, plain.meanX, extent, name + " mean x");
        expectRelative(m.meanY, plain.meanY, extent, name + " mean y");
        expectRelative(m.sigmaX, plain.sigmaX, 0.0, name + " sigma x");
        expectRelative(m.sigmaY, plain.sigmaY, 0.0, name + " sigma y");
        for (const bool swapped : {false, true}) {
            const RegionProbabilities r =
                swapped ? sums.regions(c.wallX + 0.5, c.wallX - 0.5) : sums.regions(c.wallX - 0.5, c.wallX + 0.5);
            expectRelative(r.left, plain.left, 0.0, name + " left");
            expectRelative(r.middle, plain.middle, 0.0, name + " middle");
            expectRelative(r.right, plain.right, 0.0, name + " right");
            expectRelative(r.total, plain.norm, 0.0, name + " total");
            expectRelative(r.rightFraction, plain.right / plain.norm, 0.0, name + " right fraction");
        }
        // The free functions read the field the same way.
        const PositionMoments again = computePositionMoments(psi);
        EXPECT_EQ(again.sigmaX, m.sigmaX) << name;
        EXPECT_EQ(computeRegionProbabilities(psi, c.wallX - 0.5, c.wallX + 0.5).right,
                  sums.regions(c.wallX - 0.5, c.wallX + 0.5).right)
            << name;
    }
}

TEST(DensitySums2D, ZoneBetweenFacesOnCellCentresHoldsTheColumnsARectangleOfThoseFacesPaints)
{
    struct Zone {
        std::uint64_t nx, ny;
        float dx, dy;
        double a, b;
    };
    // Both faces on centres: odd multiples of 0.25 on 0.5 cells, of 0.08 on
    // 0.16 cells; one face on a centre and one between centres.
    for (const Zone& z : {Zone{16, 3, 0.5f, 0.75f, -1.25, 1.25}, Zone{512, 2, 0.16f, 0.25f, -0.88, 1.52},
                          Zone{40, 5, 0.25f, 0.1f, 0.375, 2.0}}) {
        PotentialField2D painted(z.nx, z.ny, z.dx, z.dy);
        painted.addRectangle(static_cast<float>((z.a + z.b) / 2.0), 0.0f, static_cast<float>(z.b - z.a),
                             static_cast<float>(2.0 * z.ny * z.dy), 1.0f);
        for (const bool inside : {true, false}) {
            ComplexField2D psi(z.nx, z.ny, z.dx, z.dy);
            for (std::uint64_t j = 0; j < z.ny; ++j)
                for (std::uint64_t i = 0; i < z.nx; ++i)
                    psi.at(i, j) = Complex((painted.valueAt(i, j) != 0.0f) == inside ? 1.0f : 0.0f, 0.0f);
            // A column more or less moves the share by far more than rounding.
            EXPECT_NEAR(computeRegionProbabilities(psi, z.a, z.b).middleFraction, inside ? 1.0 : 0.0, 1e-12)
                << z.nx << " cells of " << z.dx << (inside ? ", painted cells" : ", the rest");
        }
    }
}

TEST(DensitySums2D, KeptStorageFollowsTheGridOfEachField)
{
    DensitySums2D sums;
    sums.compute(test::randomField(48, 20, 0.2f, 0.1f, 7));
    const PositionMoments wide = sums.moments();
    // A smaller grid after a larger one: nothing of the first field remains.
    const ComplexField2D small = test::randomField(12, 30, 0.3f, 0.05f, 8);
    sums.compute(small);
    EXPECT_EQ(sums.columns().size(), 12u);
    EXPECT_EQ(sums.rows().size(), 30u);
    const PlainSums plain = plainSums(small, 0.0, 0.0);
    EXPECT_NE(sums.moments().norm, wide.norm);
    expectRelative(sums.moments().norm, plain.norm, 0.0, "norm of the second field");
    expectRelative(sums.moments().sigmaY, plain.sigmaY, 0.0, "sigma y of the second field");

    sums.compute(ComplexField2D());
    EXPECT_TRUE(sums.empty());
    EXPECT_EQ(sums.moments().norm, 0.0);
    EXPECT_EQ(sums.regions(-1.0, 1.0).total, 0.0);
}

#if defined(__x86_64__)
// Rows of every length around the vector width, with and without non-finite
// values: the vector pass writes the same bits as the portable one.
TEST(DensitySums2D, VectorRowPassMatchesThePortableOneBitForBit)
{
    ASSERT_TRUE(fft2d::isAvailable(fft2d::KernelSet::Avx2)) << "this processor has no AVX2 path to compare";
    test::forEachRowAroundTheVectorWidth(3, [](const std::vector<Complex>& row, std::size_t count, bool poisoned) {
        std::vector<double> portable(count, 0.25);
        std::vector<double> vector(count, 0.25);
        const double a = density::accumulateRowPortable(row.data(), count, portable.data());
        const double b = density::accumulateRowAvx2(row.data(), count, vector.data());
        EXPECT_EQ(std::memcmp(&a, &b, sizeof a), 0) << count << (poisoned ? " poisoned" : "");
        EXPECT_TRUE(count == 0 || std::memcmp(portable.data(), vector.data(), count * sizeof(double)) == 0) << count;
    });
}
#endif

} // namespace
} // namespace vxo
