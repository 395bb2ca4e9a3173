#include "core/CrossSectionProfile.h"
#include "core/EnergyObservables2D.h"
#include "core/EnergyObservables2DRows.h"
#include "core/FFT2DKernels.h"
#include "core/KeptSpectrum.h"
#include "core/GaussianPacket2D.h"
#include "core/MomentumSpace2D.h"
#include "core/Numeric.h"
#include "core/PotentialField2D.h"
#include "core/SpectralEnergy2D.h"
#include "core/VectorKernels.h"
#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdint>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <string>

using namespace vxo;
using vxo::test::messageOf;

namespace {
// The packet of the form defaults: centre (-5, 0), sigma 0.9, momentum (2.5, 0).
ComplexField2D formDefaultPacket(std::uint64_t nx, std::uint64_t ny, float h)
{
    return test::packetField(nx, ny, h, GaussianPacket2D{-5.0f, 0.0f, 0.9f, 2.5f});
}

const double kSigmaP = 1.0 / (2.0 * 0.9); // hbar / (2 sigma) per axis
} // namespace

TEST(EnergyObservables2D, GaussianPacketKineticEnergy)
{
    // Cells 0.125 x 0.1875: the norm is a sum over cells of dx dy.
    ComplexField2D psi(256, 128, 0.125f, 0.1875f);
    GaussianPacket2D::prepare(psi, GaussianPacket2D{-5.0f, 0.0f, 0.9f, 2.5f});
    const PotentialField2D V(psi.nx(), psi.ny(), psi.dx(), psi.dy());
    // <T> = (p0^2 + sigma_px^2 + sigma_py^2) / 2m for a chirp-free Gaussian.
    const double expected = (2.5 * 2.5 + 2.0 * kSigmaP * kSigmaP) / 2.0;
    const EnergyObservables2D e = EnergyObservables2D::compute(psi, V, 1.0, 1.0);
    EXPECT_NEAR(e.norm, 1.0, 1e-5);
    EXPECT_NEAR(e.kinetic, expected, 2e-3 * expected);
    EXPECT_EQ(e.total, e.kinetic + e.potential);
    EXPECT_NEAR(EnergyObservables2D::compute(psi, V, 1.0, 2.0).kinetic, e.kinetic / 2.0, 1e-12);
}

TEST(EnergyObservables2D, PlaneWaveShowsTheStencilFactorAndMomentumPeak)
{
    // exp(i k x), k a multiple of 2 pi / L, is periodic, so the wrapped
    // stencil sees it whole; it turns k into (8 sin kh - sin 2kh) / (6h).
    const std::uint64_t nx = 32, ny = 8;
    const double h = 0.25, k = 2.0 * kPi * 3.0 / (nx * h);
    const ComplexField2D psi = test::planeWave(nx, ny, 0.25f, 0.25f, k, 0.0);
    PotentialField2D V(nx, ny, psi.dx(), psi.dy());
    V.fill(0.75f);
    const double kEff = (8.0 * std::sin(k * h) - std::sin(2.0 * k * h)) / (6.0 * h);
    const EnergyObservables2D e = EnergyObservables2D::compute(psi, V, 1.0, 1.0);
    EXPECT_NEAR(e.kinetic, kEff * kEff / 2.0, 1e-5);
    EXPECT_NEAR(e.potential, 0.75, 1e-6);

    const MomentumSpace2D m = MomentumSpace2D::compute(psi, 1.0);
    EXPECT_NEAR(m.peakPx, k, 1e-12);
    EXPECT_EQ(m.peakPy, 0.0);
    EXPECT_NEAR(m.sigmaPx, 0.0, 1e-3);
}

TEST(EnergyObservables2D, GradientStencilWrapsAtBothEnds)
{
    // Every cell, the two at either end included, takes the five-point
    // stencil over its periodic neighbours; 5 is the smallest axis allowed.
    const ComplexField2D psi = test::randomField(5, 7, 0.5f, 0.25f, 3);
    const auto value = [&](std::int64_t i, std::int64_t j) {
        const std::int64_t nx = 5, ny = 7;
        const Complex v =
            psi.at(static_cast<std::uint64_t>((i % nx + nx) % nx), static_cast<std::uint64_t>((j % ny + ny) % ny));
        return std::complex<double>(v.real(), v.imag());
    };
    const auto stencil = [](std::complex<double> m2, std::complex<double> m1, std::complex<double> p1,
                            std::complex<double> p2, double h) { return (m2 - 8.0 * m1 + 8.0 * p1 - p2) / (12.0 * h); };
    for (std::int64_t j = 0; j < 7; ++j)
        for (std::int64_t i = 0; i < 5; ++i) {
            const auto gx = EnergyObservables2D::gradientX(psi, i, j);
            const auto gy = EnergyObservables2D::gradientY(psi, i, j);
            const auto ex = stencil(value(i - 2, j), value(i - 1, j), value(i + 1, j), value(i + 2, j), 0.5);
            const auto ey = stencil(value(i, j - 2), value(i, j - 1), value(i, j + 1), value(i, j + 2), 0.25);
            EXPECT_LT(std::abs(gx - ex), 1e-12) << "x at " << i << ", " << j;
            EXPECT_LT(std::abs(gy - ey), 1e-12) << "y at " << i << ", " << j;
        }

    // The kinetic energy sums that same stencil over every cell, row by row,
    // with dx along the rows and dy across them.
    const PotentialField2D V(5, 7, psi.dx(), psi.dy());
    const double dA = 0.25 * 0.5;
    double norm = 0.0;
    double kinetic = 0.0;
    for (std::int64_t j = 0; j < 7; ++j)
        for (std::int64_t i = 0; i < 5; ++i) {
            norm += std::norm(value(i, j)) * dA;
            const double gx = std::norm(EnergyObservables2D::gradientX(psi, i, j));
            const double gy = std::norm(EnergyObservables2D::gradientY(psi, i, j));
            kinetic += (gx + gy) * 0.5 * dA;
        }
    EXPECT_EQ(EnergyObservables2D::compute(psi, V, 1.0, 1.0).kinetic, kinetic / norm);
}

TEST(EnergyObservables2D, ZeroFieldsAndArgumentChecks)
{
    ComplexField2D psi(8, 8, 0.5f, 0.5f);
    const PotentialField2D V(8, 8, 0.5f, 0.5f);
    const EnergyObservables2D e = EnergyObservables2D::compute(psi, V, 1.0, 1.0);
    EXPECT_EQ(e.norm + e.kinetic + e.potential + e.total, 0.0);
    const MomentumSpace2D m = MomentumSpace2D::compute(psi, 1.0);
    EXPECT_EQ(m.norm + m.meanPx + m.sigmaPy, 0.0);
    EXPECT_EQ(m.peakPx, m.pxAxis.front()); // first scanned cell
    EXPECT_EQ(m.peakPy, m.pyAxis.front());

    EXPECT_EQ(messageOf([] { EnergyObservables2D::compute(ComplexField2D(), PotentialField2D(), 1, 1); }),
              "EnergyObservables2D: field must not be empty");
    EXPECT_EQ(messageOf([&] { EnergyObservables2D::compute(psi, PotentialField2D(8, 8, 0.25f, 0.5f), 1, 1); }),
              "EnergyObservables2D: potential grid must match psi");
    EXPECT_EQ(messageOf([&] { EnergyObservables2D::compute(psi, V, std::nan(""), 1); }),
              "EnergyObservables2D: hbar must be finite and positive");
    EXPECT_EQ(messageOf([&] { EnergyObservables2D::compute(psi, V, 1, 0); }),
              "EnergyObservables2D: mass must be finite and positive");
    // Five cells along each axis are the least, on either axis.
    for (const auto& size : {std::make_pair(4u, 8u), std::make_pair(8u, 4u)}) {
        const ComplexField2D narrow(size.first, size.second, 0.5f, 0.5f);
        const PotentialField2D flat(size.first, size.second, 0.5f, 0.5f);
        EXPECT_EQ(messageOf([&] { EnergyObservables2D::compute(narrow, flat, 1, 1); }),
                  "EnergyObservables2D: grid must be at least 5x5")
            << size.first << " x " << size.second;
    }
    ComplexField2D least(5, 5, 0.5f, 0.4f);
    least.at(2, 2) = Complex(1.0f, 0.0f);
    EXPECT_NO_THROW(EnergyObservables2D::compute(least, PotentialField2D(5, 5, 0.5f, 0.4f), 1, 1));
    const ComplexField2D small(4, 8, 0.5f, 0.5f);
    EXPECT_NO_THROW(MomentumSpace2D::compute(small, 1.0));

    EXPECT_EQ(messageOf([] { MomentumSpace2D::compute(ComplexField2D(), 1.0); }),
              "MomentumSpace2D: field must not be empty");
    EXPECT_EQ(messageOf([&] { MomentumSpace2D::compute(psi, -1.0); }),
              "MomentumSpace2D: hbar must be finite and positive");
    const ComplexField2D sixByEight(6, 8, 1.0f, 1.0f);
    EXPECT_EQ(messageOf([&] { MomentumSpace2D::compute(sixByEight, 1.0); }),
              "MomentumSpace2D: FFT grid dimensions must be powers of two");
    EXPECT_NO_THROW(EnergyObservables2D::compute(sixByEight, PotentialField2D(6, 8, 1.0f, 1.0f), 1, 1));
}

TEST(MomentumSpace2D, GaussianPacketMomentsParsevalAndPeak)
{
    // Cells 0.125 x 0.1875 and a momentum along both axes, so that each
    // axis's spacing, mean and spread must come from its own figures; a norm
    // of 2.25, which the moments divide out.
    ComplexField2D psi(256, 128, 0.125f, 0.1875f);
    GaussianPacket2D::prepare(psi, GaussianPacket2D{-5.0f, 1.0f, 0.9f, 2.5f, -1.5f});
    for (std::uint64_t k = 0; k < psi.size(); ++k)
        psi.data()[k] *= 1.5f;
    const MomentumSpace2D m = MomentumSpace2D::compute(psi, 1.0);
    const double dpx = 2.0 * kPi / (256 * 0.125);
    const double dpy = 2.0 * kPi / (128 * 0.1875);
    EXPECT_NEAR(m.norm, psi.norm(), 1e-6); // discrete Parseval
    EXPECT_EQ(m.field.dx(), static_cast<float>(dpx));
    EXPECT_EQ(m.field.dy(), static_cast<float>(dpy));
    ASSERT_EQ(m.pxAxis.size(), 256u);
    ASSERT_EQ(m.pyAxis.size(), 128u);
    EXPECT_NEAR(m.pxAxis.front(), -128 * dpx, 1e-12);
    EXPECT_NEAR(m.pyAxis.front(), -64 * dpy, 1e-12);
    EXPECT_EQ(m.pxAxis[128], 0.0);
    EXPECT_EQ(m.pyAxis[64], 0.0);
    EXPECT_NEAR(m.meanPx, 2.5, 1e-4);
    EXPECT_NEAR(m.meanPy, -1.5, 1e-4);
    EXPECT_NEAR(m.sigmaPx, kSigmaP, 1e-3 * kSigmaP);
    EXPECT_NEAR(m.sigmaPy, kSigmaP, 1e-3 * kSigmaP);
    EXPECT_LE(std::abs(m.peakPx - 2.5), dpx / 2.0);
    EXPECT_LE(std::abs(m.peakPy + 1.5), dpy / 2.0);
}

TEST(MomentumSpace2D, PhaseIsReferredToTheGridCentre)
{
    // A real packet at x0 has phi(p) = exp(-i p x0 / hbar) G(p), G > 0, for p >= 0.
    ComplexField2D psi(64, 32, 0.25f, 0.25f);
    GaussianPacket2D packet;
    packet.x0 = 1.0f;
    GaussianPacket2D::prepare(psi, packet);
    const MomentumSpace2D m = MomentumSpace2D::compute(psi, 1.0);
    for (std::uint64_t k = 32; k < 38; ++k) {
        const Complex phi = m.field.at(k, 16);
        EXPECT_NEAR(std::atan2(phi.imag(), phi.real()), std::remainder(-m.pxAxis[k], 2.0 * kPi), 1e-4);
    }
}

TEST(MomentumSpace2D, NearestAxisIndexTiesToTheLowerIndex)
{
    const std::vector<double> axis{-1.0, 0.0, 1.0};
    EXPECT_EQ(nearestAxisIndex(axis, -5.0), 0u);
    EXPECT_EQ(nearestAxisIndex(axis, 5.0), 2u);
    EXPECT_EQ(nearestAxisIndex(axis, -0.5), 0u);
    EXPECT_EQ(nearestAxisIndex(axis, 0.5), 1u);
    EXPECT_EQ(nearestAxisIndex(axis, 0.6), 2u);
    EXPECT_EQ(nearestAxisIndex({}, 3.0), 0u);
}

TEST(CrossSection, IndexSnapsToTheNearestCellCentre)
{
    EXPECT_EQ(crossSectionIndex(0.0, 512, 0.08), 256);
    EXPECT_EQ(crossSectionIndex(-0.04, 512, 0.08), 255);
    EXPECT_EQ(crossSectionIndex(1e6, 512, 0.08), 511);
    EXPECT_EQ(crossSectionIndex(-1e6, 512, 0.08), 0);
    EXPECT_EQ(crossSectionIndex(-2.5, 7, 1.0), 1); // odd count, half away from zero
    EXPECT_EQ(crossSectionIndex(2.6, 7, 1.0), 6);
    EXPECT_EQ(crossSectionIndex(1.0, 8, 0.0), 0);
    // Non-finite coordinates stay in range.
    EXPECT_EQ(crossSectionIndex(std::nan(""), 8, 1.0), 0);
    EXPECT_EQ(crossSectionIndex(std::numeric_limits<double>::infinity(), 8, 1.0), 7);
}

TEST(CrossSection, PositionCutsPickTheRightRowOrColumn)
{
    // re = column, im = row; 7 x 5 cells of 0.5 x 0.25.
    ComplexField2D psi(7, 5, 0.5f, 0.25f);
    for (std::uint64_t j = 0; j < 5; ++j)
        for (std::uint64_t i = 0; i < 7; ++i)
            psi.at(i, j) = Complex(static_cast<float>(i), static_cast<float>(j));

    const CrossSectionProfile row = extractCrossSection(psi, 0, 0.4); // nearest row 4, y = 0.5
    EXPECT_EQ(row.snappedCoordinate, 0.5);
    ASSERT_EQ(row.coordinate.size(), 7u);
    for (std::uint64_t i = 0; i < 7; ++i) {
        EXPECT_EQ(row.real[i], static_cast<double>(i));
        EXPECT_EQ(row.imaginary[i], 4.0);
        EXPECT_EQ(row.coordinate[i], gridCoordinateX(psi, i));
        EXPECT_EQ(row.density[i], static_cast<double>(i * i + 16));
        EXPECT_EQ(row.phase[i], std::atan2(4.0, static_cast<double>(i)));
    }
    // x = 0.6 is 1.2 columns of 0.5 right of the centre column 3 (2.4 rows of
    // 0.25 would give column 5).
    const CrossSectionProfile column = extractCrossSection(psi, 1, 0.6); // nearest column 4, x = 0.5
    EXPECT_EQ(column.snappedCoordinate, 0.5);
    ASSERT_EQ(column.phase.size(), 5u);
    for (std::uint64_t j = 0; j < 5; ++j) {
        EXPECT_EQ(column.real[j], 4.0) << "j = " << j;
        EXPECT_EQ(column.imaginary[j], static_cast<double>(j));
        EXPECT_EQ(column.coordinate[j], gridCoordinateY(psi, j));
    }
    const CrossSectionProfile far = extractCrossSection(psi, 7, 1e6); // any non-zero axis is a column
    EXPECT_EQ(far.snappedCoordinate, 1.5);
    EXPECT_EQ(far.real.front(), 6.0);

    const CrossSectionProfile zero = extractCrossSection(ComplexField2D(4, 4, 1.0f, 1.0f), 0, 0.0);
    EXPECT_EQ(zero.density, std::vector<double>(4, 0.0));
    EXPECT_EQ(zero.phase, std::vector<double>(4, 0.0));
    for (double bad : {std::nan(""), std::numeric_limits<double>::infinity()}) {
        const CrossSectionProfile refused = extractCrossSection(psi, 1, bad);
        EXPECT_TRUE(refused.coordinate.empty() && refused.phase.empty());
        EXPECT_EQ(refused.snappedCoordinate, 0.0);
    }
    EXPECT_TRUE(extractCrossSection(ComplexField2D(), 1, 2.0).density.empty());
}

TEST(CrossSection, MomentumCutsUseTheCentredAxes)
{
    const ComplexField2D psi = formDefaultPacket(64, 32, 0.25f);
    const MomentumSpace2D m = MomentumSpace2D::compute(psi, 1.0);
    const CrossSectionProfile alongPx = MomentumSpace2D::crossSection(m, 0, 0.0);
    EXPECT_EQ(alongPx.snappedCoordinate, 0.0); // p_y = 0 exactly on an even grid
    EXPECT_EQ(alongPx.coordinate, m.pxAxis);
    std::size_t best = 0;
    for (std::size_t k = 0; k < alongPx.density.size(); ++k)
        if (alongPx.density[k] > alongPx.density[best])
            best = k;
    EXPECT_EQ(alongPx.coordinate[best], m.peakPx);

    const CrossSectionProfile alongPy = MomentumSpace2D::crossSection(m, 1, m.peakPx + 0.3 * m.field.dx());
    EXPECT_EQ(alongPy.snappedCoordinate, m.peakPx);
    EXPECT_EQ(alongPy.coordinate, m.pyAxis);
    EXPECT_EQ(alongPy.imaginary[3], static_cast<double>(m.field.at(best, 3).imag()));

    // An axis that does not match its side of the field refuses the cut, either axis.
    MomentumSpace2D broken = m;
    broken.pyAxis.pop_back();
    EXPECT_TRUE(MomentumSpace2D::crossSection(broken, 0, 0.0).coordinate.empty());
    broken = m;
    broken.pxAxis.pop_back();
    EXPECT_TRUE(MomentumSpace2D::crossSection(broken, 1, 0.0).coordinate.empty());
    EXPECT_TRUE(MomentumSpace2D::crossSection(m, 1, std::nan("")).coordinate.empty());
}

// The energy sums, cell by cell in row order with the public stencils: the
// observable must give these very bits, whichever vector path it takes.
TEST(EnergyObservables2D, EveryPathGivesTheBitsOfTheCellByCellSums)
{
    struct Case {
        std::uint64_t nx, ny;
        float dx, dy;
        unsigned seed;
    };
    for (const Case c : {Case{64, 32, 0.2f, 0.3f, 1}, Case{37, 12, 0.25f, 0.1f, 2}, Case{5, 9, 0.5f, 0.4f, 3},
                         Case{6, 5, 0.3f, 0.7f, 4}, Case{131, 7, 0.05f, 0.2f, 5}}) {
        const std::string name = std::to_string(c.nx) + "x" + std::to_string(c.ny);
        ComplexField2D psi = test::randomField(c.nx, c.ny, c.dx, c.dy, c.seed);
        PotentialField2D V(c.nx, c.ny, c.dx, c.dy);
        V.addHarmonic(0.3f, -0.2f, 0.5f, 1.5f, 0.7f);
        V.addBarrier(0.0f, -100.0f, 0.0f, 100.0f, 0.6f, 9.0f);
        const double hbar = 0.9;
        const double mass = 1.7;
        const double dA = static_cast<double>(c.dy) * static_cast<double>(c.dx);
        const double k = hbar * hbar / (2.0 * mass);
        double norm = 0.0, kinetic = 0.0, potential = 0.0;
        for (std::uint64_t j = 0; j < c.ny; ++j)
            for (std::uint64_t i = 0; i < c.nx; ++i) {
                const double rho = std::norm(std::complex<double>(psi.at(i, j).real(), psi.at(i, j).imag()));
                norm += rho * dA;
                const double gx = std::norm(EnergyObservables2D::gradientX(psi, i, j));
                const double gy = std::norm(EnergyObservables2D::gradientY(psi, i, j));
                kinetic += (gx + gy) * k * dA;
                potential += static_cast<double>(V.valueAt(i, j)) * rho * dA;
            }
        const EnergyObservables2D e = EnergyObservables2D::compute(psi, V, hbar, mass);
        EXPECT_EQ(e.norm, norm) << name;
        EXPECT_EQ(e.kinetic, kinetic / norm) << name;
        EXPECT_EQ(e.potential, potential / norm) << name;
        EXPECT_EQ(e.total, kinetic / norm + potential / norm) << name;
    }
}

// The copy before a kept transform and the spinor's spectrum pass, on rows of
// every length around the vector width with and without non-finite values:
// each path writes the portable bits.
TEST(EnergyObservables2D, EveryPathCopiesAndReadsTheSpectrumToThePortableBits)
{
    const auto sameBits = [](const double* a, const double* b, std::size_t n) {
        return n == 0 || std::memcmp(a, b, n * sizeof(double)) == 0;
    };
    const ComplexField2D other = test::randomField(1031, 1, 0.1f, 0.1f, 12);
    test::forEachRowAroundTheVectorWidth(11, [&](const std::vector<Complex>& row, std::size_t count, bool poisoned) {
        std::vector<float> v(count);
        for (std::size_t i = 0; i < count; ++i)
            v[i] = 2.0f * other.data()[i].real();
        for (fft2d::KernelSet path : {fft2d::KernelSet::Sse2, fft2d::KernelSet::Avx2}) {
            if (!fft2d::isAvailable(path))
                continue;
            const std::string name = std::to_string(count) + (poisoned ? " poisoned" : "") + " path " +
                                     std::to_string(static_cast<int>(path));
            for (const bool weighted : {true, false}) {
                std::vector<Complex> copied0(count), copied(count);
                double p0[4] = {0.5, 0.25, 0.0, 1.0}, q0[4] = {0.0, 1.0, 2.0, 3.0};
                double p[4] = {0.5, 0.25, 0.0, 1.0}, q[4] = {0.0, 1.0, 2.0, 3.0};
                const float* weights = weighted ? v.data() : nullptr;
                keptspectrum::copyCellsPortable(row.data(), weights, count, copied0.data(), p0, q0);
                vectorKernels(path).keptSpectrumCopy(row.data(), weights, count, copied.data(), p, q);
                EXPECT_TRUE(sameBits(p, p0, 4) && sameBits(q, q0, 4)) << name;
                EXPECT_TRUE(count == 0 || std::memcmp(copied.data(), copied0.data(), count * sizeof(Complex)) == 0) << name;
            }
            std::vector<double> alongX0(count, 0.125), alongX(count, 0.125);
            double sums0[3][4] = {{1.0}, {0.0, 2.0}, {0.0, 0.0, 3.0}},
                   sums[3][4] = {{1.0}, {0.0, 2.0}, {0.0, 0.0, 3.0}};
            energy::accumulateDiracRowPortable(row.data(), other.data(), count, alongX0.data(), sums0);
            vectorKernels(path).diracRow(row.data(), other.data(), count, alongX.data(), sums);
            EXPECT_TRUE(sameBits(&sums[0][0], &sums0[0][0], 12)) << name;
            EXPECT_TRUE(sameBits(alongX.data(), alongX0.data(), count)) << name;
        }
    });
}

// A view that shows momentum space reads it every tick: the record's field is
// written in place when it already has the grid, with compute's result.
TEST(MomentumSpace2D, ComputingIntoARecordOfTheSameGridKeepsItsStorage)
{
    const ComplexField2D first = formDefaultPacket(64, 32, 0.25f);
    ComplexField2D second = test::packetField(64, 32, 0.25f, GaussianPacket2D{2.0f, -1.0f, 1.3f, -1.5f});
    MomentumSpace2D record = MomentumSpace2D::compute(first, 0.7);
    const Complex* storage = record.field.data();
    const std::uint64_t copies = ComplexField2D::copiesMade();
    MomentumSpace2D::computeInto(second, 0.7, record);
    EXPECT_EQ(record.field.data(), storage);
    EXPECT_EQ(ComplexField2D::copiesMade(), copies);
    const MomentumSpace2D fresh = MomentumSpace2D::compute(second, 0.7);
    ASSERT_EQ(record.field.size(), fresh.field.size());
    for (std::uint64_t c = 0; c < fresh.field.size(); ++c)
        ASSERT_EQ(record.field.data()[c], fresh.field.data()[c]) << c;
    EXPECT_EQ(record.meanPx, fresh.meanPx);
    EXPECT_EQ(record.sigmaPy, fresh.sigmaPy);
    EXPECT_EQ(record.peakPx, fresh.peakPx);
    EXPECT_EQ(record.field.dx(), fresh.field.dx());
}

// The energy the Fourier step conserves takes every plane wave at its own
// hbar^2 |k|^2 / 2m, up to the grid's highest modes, where a difference
// stencil reads far less; mixtures weigh each wave by its probability.
TEST(SpectralEnergy2D, PlaneWavesKeepTheirExactKineticEnergyUpToTheGridsHighestModes)
{
    const std::uint64_t nx = 32, ny = 16;
    const float dx = 0.25f, dy = 0.4f;
    const double hbar = 0.8, mass = 1.7;
    const struct {
        int mx, my;
    } modes[] = {{3, 0}, {0, -5}, {15, 7}, {-16, 8}};
    for (const auto& m : modes) {
        const double kx = 2.0 * kPi * m.mx / (nx * double(dx)), ky = 2.0 * kPi * m.my / (ny * double(dy));
        const ComplexField2D psi = test::planeWave(nx, ny, dx, dy, kx, ky);
        PotentialField2D V(nx, ny, dx, dy);
        V.fill(-2.5f);
        const SpectralEnergy2D e = SpectralEnergy2D::compute(psi, V, hbar, mass);
        const double exact = hbar * hbar * (kx * kx + ky * ky) / (2.0 * mass);
        EXPECT_NEAR(e.kinetic, exact, 1e-5 * exact) << "mode " << m.mx << ", " << m.my;
        EXPECT_NEAR(e.potential, -2.5, 1e-6);
        EXPECT_NEAR(e.total, exact - 2.5, 1e-5 * exact);
    }
    // Equal parts of two waves, one on a floor of 3 and nothing elsewhere.
    const double k1 = 2.0 * kPi * 2.0 / (nx * double(dx)), k2 = 2.0 * kPi * 12.0 / (nx * double(dx));
    ComplexField2D psi = test::planeWave(nx, ny, dx, dy, k1, 0.0);
    const ComplexField2D second = test::planeWave(nx, ny, dx, dy, k2, 0.0);
    PotentialField2D V(nx, ny, dx, dy);
    for (std::uint64_t j = 0; j < ny; ++j)
        for (std::uint64_t i = 0; i < nx; ++i)
            psi.at(i, j) += second.at(i, j);
    V.addRectangle(0.0f, 0.0f, 100.0f, 100.0f, 3.0f);
    const SpectralEnergy2D mix = SpectralEnergy2D::compute(psi, V, hbar, mass);
    EXPECT_NEAR(mix.kinetic, hbar * hbar * (k1 * k1 + k2 * k2) / (4.0 * mass), 1e-4);
    EXPECT_NEAR(mix.potential, 3.0, 1e-5);
    EXPECT_EQ(SpectralEnergy2D::compute(ComplexField2D(nx, ny, dx, dy), V, hbar, mass).total, 0.0) << "a zero field";
    EXPECT_THROW(SpectralEnergy2D::compute(psi, PotentialField2D(nx, ny, dy, dx), hbar, mass), std::invalid_argument);
    EXPECT_THROW(
        SpectralEnergy2D::compute(ComplexField2D(24, 16, dx, dy), PotentialField2D(24, 16, dx, dy), hbar, mass),
        std::invalid_argument);
}

// Where the step's energy is the spectral one, one transform of psi serves it
// and the momentum view, each to the bit what it reads alone; with gauge
// links (energies of another operator) each is read as before.
TEST(EnergyObservables2D, OneTransformServesTheStepsEnergyAndTheMomentumViewToTheBit)
{
    const std::uint64_t nx = 64, ny = 32;
    const float dx = 0.25f, dy = 0.4f;
    ComplexField2D psi(nx, ny, dx, dy);
    GaussianPacket2D::prepare(psi, GaussianPacket2D{-2.0f, 1.0f, 1.1f, 2.5f, -0.8f});
    PotentialField2D V(nx, ny, dx, dy);
    V.addRectangle(1.5f, -0.5f, 1.0f, 3.0f, 4.0f);
    GaugeLinkField2D links;
    links.resize(nx, ny, dx, dy);
    SteppedHamiltonian plain;
    plain.hbar = 0.8;
    plain.mass = 1.7;
    SteppedHamiltonian magnetic = plain;
    magnetic.links = &links;
    for (const SteppedHamiltonian& h : {plain, magnetic}) {
        SCOPED_TRACE(h.links ? "gauge links" : "plain step");
        MomentumSpace2D shared = MomentumSpace2D::compute(test::planeWave(nx, ny, dx, dy, 1.0, 0.0), 2.0);
        const EnergyObservables2D both = EnergyObservables2D::ofStepWithMomentum(psi, V, h, shared);
        const EnergyObservables2D alone = EnergyObservables2D::ofStep(psi, V, h);
        const MomentumSpace2D view = MomentumSpace2D::compute(psi, h.hbar);
        EXPECT_EQ(both.norm, alone.norm);
        EXPECT_EQ(both.kinetic, alone.kinetic);
        EXPECT_EQ(both.potential, alone.potential);
        EXPECT_EQ(both.total, alone.total);
        ASSERT_EQ(shared.field.size(), view.field.size());
        EXPECT_EQ(std::memcmp(shared.field.data(), view.field.data(), view.field.size() * sizeof(Complex)), 0);
        EXPECT_EQ(shared.field.dx(), view.field.dx());
        EXPECT_EQ(shared.pyAxis, view.pyAxis);
        EXPECT_EQ(shared.hbar, view.hbar);
        EXPECT_EQ(shared.meanPx, view.meanPx);
        EXPECT_EQ(shared.sigmaPy, view.sigmaPy);
        EXPECT_EQ(shared.peakPy, view.peakPy);
    }
}
