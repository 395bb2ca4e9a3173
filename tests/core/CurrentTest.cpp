#include "core/GaugeLinkField2D.h"
#include "core/GaussianPacket2D.h"
#include "core/Numeric.h"
#include "core/ProbabilityCurrent2D.h"
#include "core/ProbabilityStreamlines2D.h"
#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <limits>
#include <stdexcept>
#include <string>

using namespace vxo;
using vxo::test::messageOf;

namespace {
// On cells 0.125 x 0.15, so that a difference along one axis divided by the
// other's spacing shows.
ComplexField2D movingPacket(float px, float py)
{
    ComplexField2D psi(96, 64, 0.125f, 0.15f);
    GaussianPacket2D::prepare(psi, GaussianPacket2D{0.0f, 0.0f, 0.9f, px, py});
    return psi;
}

float at(const std::vector<float>& v, const ProbabilityCurrent2D& c, std::uint64_t i, std::uint64_t j)
{
    return v[j * c.nx + i];
}
} // namespace

TEST(ProbabilityCurrent2D, PlaneWaveCarriesTheCentralDifferenceFactor)
{
    // exp(i (kx x + ky y)) on cells dx x dy: each component carries the factor
    // sin(k d) / (k d) of its own axis.
    const double kx = 1.7, ky = -0.9;
    const float dx = 0.25f, dy = 0.4f, hbar = 1.5f, mass = 2.0f;
    const ProbabilityCurrent2D j = ProbabilityCurrent2D::compute(test::planeWave(12, 9, dx, dy, kx, ky), hbar, mass);
    ASSERT_EQ(j.jx.size(), 12u * 9u);
    EXPECT_EQ(j.nx, 12u);
    EXPECT_EQ(j.ny, 9u);
    EXPECT_EQ(j.dx, dx);
    EXPECT_EQ(j.dy, dy);
    const double expectedX = hbar * kx / mass * std::sin(kx * dx) / (kx * dx);
    const double expectedY = hbar * ky / mass * std::sin(ky * dy) / (ky * dy);
    for (std::uint64_t r = 0; r < j.ny; ++r)
        for (std::uint64_t c = 0; c < j.nx; ++c) {
            const bool border = r == 0 || c == 0 || r + 1 == j.ny || c + 1 == j.nx;
            EXPECT_NEAR(at(j.jx, j, c, r), border ? 0.0 : expectedX, 1e-6) << c << ", " << r;
            EXPECT_NEAR(at(j.jy, j, c, r), border ? 0.0 : expectedY, 1e-6) << c << ", " << r;
        }
    EXPECT_NEAR(j.maxMagnitude, std::hypot(expectedX, expectedY), 1e-6);
    EXPECT_NEAR(j.integralJx, expectedX * 10 * 7 * dx * dy, 1e-5);
    EXPECT_NEAR(j.integralJy, expectedY * 10 * 7 * dx * dy, 1e-5);
}

TEST(ProbabilityCurrent2D, PacketCurrentIsDensityTimesVelocity)
{
    // psi = A exp(i k x) with A real gives, from central differences,
    // J_i = (hbar/m) A_i (A_{i+1} + A_{i-1}) sin(kh) / (2h): at the packet
    // centre rho v sin(kh)/(kh) up to O(h^2 / sigma^2), and in total
    // (hbar/m) sin(k0 h) exp(-sigma_k^2 h^2 / 2) / h for a Gaussian spread
    // sigma_k = 1 / (2 sigma) of wave numbers.
    const ComplexField2D psi = movingPacket(2.5f, -1.0f);
    const float mass = 1.25f;
    const ProbabilityCurrent2D j = ProbabilityCurrent2D::compute(psi, 1.0f, mass);
    const double hx = 0.125, hy = static_cast<double>(0.15f);
    const double sigmaK = 1.0 / (2.0 * 0.9);
    const double factorX = std::sin(2.5 * hx) / (2.5 * hx);
    const double factorY = std::sin(1.0 * hy) / (1.0 * hy);

    const std::uint64_t ci = 48, cj = 32; // nearest cell to the packet centre
    const std::complex<double> centre(psi.at(ci, cj).real(), psi.at(ci, cj).imag());
    const double rho = std::norm(centre);
    EXPECT_NEAR(at(j.jx, j, ci, cj), rho * 2.5 / mass * factorX, 0.01 * rho * 2.5 / mass);
    EXPECT_NEAR(at(j.jy, j, ci, cj), -rho * 1.0 / mass * factorY, 0.01 * rho / mass);

    const auto damping = [sigmaK](double h) { return std::exp(-sigmaK * sigmaK * h * h / 2.0); };
    EXPECT_NEAR(j.integralJx, std::sin(2.5 * hx) / hx * damping(hx) / mass, 1e-4);
    EXPECT_NEAR(j.integralJy, -std::sin(1.0 * hy) / hy * damping(hy) / mass, 1e-4);
}

TEST(ProbabilityCurrent2D, RealFieldsAndSmallGridsCarryNoCurrent)
{
    ComplexField2D real(8, 8, 0.5f, 0.5f);
    for (std::uint64_t k = 0; k < real.size(); ++k)
        real.data()[k] = Complex(std::sin(0.3f * static_cast<float>(k)), 0.0f);
    const ProbabilityCurrent2D j = ProbabilityCurrent2D::compute(real, 1.0f, 1.0f);
    EXPECT_EQ(j.maxMagnitude, 0.0f);
    EXPECT_EQ(j.jx, std::vector<float>(64, 0.0f));
    EXPECT_TRUE(ProbabilityStreamlines2D::trace(j, 0.0f, 0.0f, {0.1f, 20, 0.0f}).empty());

    // One interior row or column is enough for a current there, with links
    // or without; without an interior along either axis there is no central
    // difference.
    for (const bool gauge : {false, true}) {
        const auto current = [gauge](std::uint64_t nx, std::uint64_t ny) {
            const ComplexField2D psi = test::planeWave(nx, ny, 0.5f, 0.4f, 1.0, 1.0);
            GaugeLinkField2D links;
            links.resize(nx, ny, 0.5f, 0.4f);
            return gauge ? ProbabilityCurrent2D::computeWithGauge(psi, links, 1.0f, 1.0f)
                         : ProbabilityCurrent2D::compute(psi, 1.0f, 1.0f);
        };
        for (const auto& size : {std::make_pair(3u, 6u), std::make_pair(6u, 3u)}) {
            const ProbabilityCurrent2D thin = current(size.first, size.second);
            const std::string what = std::to_string(size.first) + " x " + std::to_string(size.second);
            EXPECT_GT(thin.jx[1 * size.first + 1], 0.0f) << what << ", gauge " << gauge;
            EXPECT_GT(thin.jy[1 * size.first + 1], 0.0f) << what << ", gauge " << gauge;
        }
        for (const auto& size : {std::make_pair(2u, 6u), std::make_pair(6u, 2u)}) {
            const ProbabilityCurrent2D narrow = current(size.first, size.second);
            const std::string what = std::to_string(size.first) + " x " + std::to_string(size.second);
            EXPECT_EQ(narrow.jx, std::vector<float>(12, 0.0f)) << what << ", gauge " << gauge;
            EXPECT_EQ(narrow.jy, std::vector<float>(12, 0.0f)) << what << ", gauge " << gauge;
            EXPECT_EQ(narrow.maxMagnitude, 0.0f) << what << ", gauge " << gauge;
        }
    }
    // An empty field gives an empty current, before any argument check.
    EXPECT_TRUE(ProbabilityCurrent2D::compute(ComplexField2D(), -1.0f, 1.0f).isEmpty());
}

TEST(ProbabilityCurrent2D, ArgumentChecks)
{
    const ComplexField2D psi = test::planeWave(8, 8, 0.5f, 0.5f, 1.0, 0.0);
    EXPECT_EQ(messageOf([&] { ProbabilityCurrent2D::compute(psi, 0.0f, 1.0f); }),
              "ProbabilityCurrent2D: hbar must be finite and positive");
    EXPECT_EQ(messageOf([&] { ProbabilityCurrent2D::compute(psi, 1.0f, std::numeric_limits<float>::infinity()); }),
              "ProbabilityCurrent2D: mass must be finite and positive");
    GaugeLinkField2D links;
    EXPECT_EQ(messageOf([&] { ProbabilityCurrent2D::computeWithGauge(psi, links, 1.0f, 1.0f); }),
              "ProbabilityCurrent2D: gauge field does not match wavefunction grid");
    links.resize(8, 8, 0.25f, 0.5f);
    EXPECT_EQ(messageOf([&] { ProbabilityCurrent2D::computeWithGauge(psi, links, 1.0f, 1.0f); }),
              "ProbabilityCurrent2D: gauge field does not match wavefunction grid");
}

TEST(ProbabilityCurrent2D, GaugeCovariantCurrent)
{
    const ComplexField2D psi = movingPacket(1.5f, 0.7f);
    GaugeLinkField2D links;
    links.resize(psi.nx(), psi.ny(), psi.dx(), psi.dy());

    // Unit links: exactly the plain current.
    const ProbabilityCurrent2D plain = ProbabilityCurrent2D::compute(psi, 1.0f, 1.0f);
    const ProbabilityCurrent2D unit = ProbabilityCurrent2D::computeWithGauge(psi, links, 1.0f, 1.0f);
    EXPECT_EQ(unit.jx, plain.jx);
    EXPECT_EQ(unit.jy, plain.jy);
    EXPECT_EQ(unit.maxMagnitude, plain.maxMagnitude);
    EXPECT_EQ(unit.integralJx, plain.integralJx);

    // Gauge covariance: with a gauge angle theta(i, j) that bends along both
    // axes, links U_x = exp(i (theta(i+1, j) - theta(i, j))), U_y likewise,
    // and the state exp(-i theta) psi carry the current of psi.
    const auto theta = [](double i, double j) {
        return 0.4 * i + 0.03 * i * i - 0.9 * j + 0.02 * i * j - 0.01 * j * j;
    };
    const auto turn = [](double angle) {
        return Complex(static_cast<float>(std::cos(angle)), static_cast<float>(std::sin(angle)));
    };
    ComplexField2D transformed = psi;
    for (std::uint64_t j = 0; j < psi.ny(); ++j)
        for (std::uint64_t i = 0; i < psi.nx(); ++i) {
            const double x = static_cast<double>(i), y = static_cast<double>(j);
            links.setLinkX(i, j, turn(theta(x + 1.0, y) - theta(x, y)));
            links.setLinkY(i, j, turn(theta(x, y + 1.0) - theta(x, y)));
            const double angle = theta(x, y);
            const std::complex<double> phase = std::polar(1.0, -angle);
            const std::complex<double> v = std::complex<double>(psi.at(i, j).real(), psi.at(i, j).imag()) * phase;
            transformed.at(i, j) = Complex(static_cast<float>(v.real()), static_cast<float>(v.imag()));
        }
    const ProbabilityCurrent2D covariant = ProbabilityCurrent2D::computeWithGauge(transformed, links, 1.0f, 1.0f);
    const ProbabilityCurrent2D naive = ProbabilityCurrent2D::compute(transformed, 1.0f, 1.0f);
    const float tolerance = 1e-5f * plain.maxMagnitude;
    float naiveDeviation = 0.0f;
    for (std::size_t k = 0; k < plain.jx.size(); ++k) {
        EXPECT_NEAR(covariant.jx[k], plain.jx[k], tolerance);
        EXPECT_NEAR(covariant.jy[k], plain.jy[k], tolerance);
        naiveDeviation = std::max(naiveDeviation, std::abs(naive.jx[k] - plain.jx[k]));
    }
    EXPECT_NEAR(covariant.integralJx, plain.integralJx, 1e-5);
    EXPECT_NEAR(covariant.integralJy, plain.integralJy, 1e-5);
    // Without the links the extra phase shows up as a current.
    EXPECT_GT(naiveDeviation, 0.1f * plain.maxMagnitude);
}

// The refresh recomputes the current into the same record; nothing of the
// previous grid may leak into the new one (its border cells included), and a
// refused call leaves the record as it was.
TEST(ProbabilityCurrent2D, CurrentRecomputedInPlaceEqualsAFreshOne)
{
    const auto expectSame = [](const ProbabilityCurrent2D& a, const ProbabilityCurrent2D& b, const char* what) {
        EXPECT_EQ(a.nx, b.nx) << what;
        EXPECT_EQ(a.ny, b.ny) << what;
        EXPECT_EQ(a.dx, b.dx) << what;
        EXPECT_EQ(a.dy, b.dy) << what;
        EXPECT_EQ(a.jx, b.jx) << what;
        EXPECT_EQ(a.jy, b.jy) << what;
        EXPECT_EQ(a.maxMagnitude, b.maxMagnitude) << what;
        EXPECT_EQ(a.integralJx, b.integralJx) << what;
        EXPECT_EQ(a.integralJy, b.integralJy) << what;
    };
    const ComplexField2D large = movingPacket(1.5f, -0.7f);
    const ComplexField2D small = test::randomField(7, 5, 0.3f, 0.2f, 3);
    GaugeLinkField2D links;
    links.resize(7, 5, 0.3f, 0.2f);
    links.setLinkX(3, 2, Complex(0.6f, 0.8f));
    links.setLinkY(2, 1, Complex(0.0f, -1.0f));

    ProbabilityCurrent2D current = ProbabilityCurrent2D::compute(large, 1.0f, 1.0f);
    ProbabilityCurrent2D::computeInto(small, 0.8f, 1.3f, current);
    expectSame(current, ProbabilityCurrent2D::compute(small, 0.8f, 1.3f), "plain after a larger grid");

    // A grid without interior cells keeps nothing of the previous one either.
    const ComplexField2D thin = test::randomField(2, 5, 0.3f, 0.2f, 4);
    current = ProbabilityCurrent2D::compute(large, 1.0f, 1.0f);
    ASSERT_NE(current.integralJx, 0.0);
    ProbabilityCurrent2D::computeInto(thin, 0.8f, 1.3f, current);
    expectSame(current, ProbabilityCurrent2D::compute(thin, 0.8f, 1.3f), "plain after a larger grid, no interior");

    current = ProbabilityCurrent2D::compute(large, 1.0f, 1.0f);
    ProbabilityCurrent2D::computeWithGaugeInto(small, links, 0.8f, 1.3f, current);
    expectSame(current, ProbabilityCurrent2D::computeWithGauge(small, links, 0.8f, 1.3f), "gauge after a larger grid");

    const ProbabilityCurrent2D before = current;
    EXPECT_THROW(ProbabilityCurrent2D::computeInto(large, 1.0f, 0.0f, current), std::invalid_argument);
    EXPECT_THROW(ProbabilityCurrent2D::computeWithGaugeInto(large, links, 1.0f, 1.0f, current), std::invalid_argument);
    expectSame(current, before, "refused");

    ProbabilityCurrent2D::computeInto(ComplexField2D(), 1.0f, 1.0f, current);
    expectSame(current, ProbabilityCurrent2D(), "empty field");
    EXPECT_TRUE(current.isEmpty());
}

TEST(ProbabilityCurrent2D, BilinearSampling)
{
    // Cell centres at x = -1, 0, 1 and y = -1, 1.
    ProbabilityCurrent2D j;
    j.nx = 3;
    j.ny = 2;
    j.dx = 1.0f;
    j.dy = 2.0f;
    j.jx = {0.0f, 1.0f, 2.0f, 10.0f, 11.0f, 12.0f};
    j.jy = {0.0f, 0.0f, 0.0f, 4.0f, 4.0f, 4.0f};
    float jx = -1.0f, jy = -1.0f;
    ASSERT_TRUE(j.sample(0.5f, 0.0f, jx, jy));
    EXPECT_FLOAT_EQ(jx, 6.5f);
    EXPECT_FLOAT_EQ(jy, 2.0f);
    ASSERT_TRUE(j.sample(1.0f, 1.0f, jx, jy)); // the last cell centre itself
    EXPECT_EQ(jx, 12.0f);
    EXPECT_FALSE(j.sample(1.5f, 1.0f, jx, jy)); // half a cell beyond
    EXPECT_EQ(jx, 0.0f);
    EXPECT_FALSE(j.sample(1.0f, 1.5f, jx, jy)); // a quarter cell above the last row
    EXPECT_FALSE(j.sample(std::nanf(""), 0.0f, jx, jy));
    // A spacing that is not positive, on either axis, samples nothing.
    for (const auto& spacing : {std::make_pair(-1.0f, 2.0f), std::make_pair(1.0f, -2.0f)}) {
        ProbabilityCurrent2D flipped = j;
        flipped.dx = spacing.first;
        flipped.dy = spacing.second;
        EXPECT_FALSE(flipped.sample(0.5f, 0.0f, jx, jy)) << spacing.first << ", " << spacing.second;
    }
    // A single row or column has nothing to interpolate between.
    for (const auto& size : {std::make_pair(3u, 1u), std::make_pair(1u, 3u)}) {
        ProbabilityCurrent2D thin;
        thin.nx = size.first;
        thin.ny = size.second;
        thin.dx = thin.dy = 1.0f;
        thin.jx.assign(3, 1.0f);
        thin.jy.assign(3, 0.0f);
        thin.maxMagnitude = 1.0f;
        EXPECT_FALSE(thin.sample(0.0f, 0.0f, jx, jy)) << size.first << " x " << size.second;
    }
    // No cells along either axis is an empty current.
    for (const auto& size : {std::make_pair(0u, 3u), std::make_pair(3u, 0u)}) {
        ProbabilityCurrent2D none;
        none.nx = size.first;
        none.ny = size.second;
        EXPECT_TRUE(none.isEmpty()) << size.first << " x " << size.second;
    }
    // A component that is not finite at one node spoils the samples that lean
    // on that node, whichever component it is; cells away from it still sample.
    for (int component = 0; component < 2; ++component) {
        ProbabilityCurrent2D spoiled = j;
        (component == 0 ? spoiled.jx : spoiled.jy)[5] = std::numeric_limits<float>::infinity(); // at (1, 1)
        EXPECT_FALSE(spoiled.sample(0.5f, 0.0f, jx, jy)) << "non-finite component " << component;
        EXPECT_TRUE(spoiled.sample(-0.5f, 0.0f, jx, jy)) << "non-finite component " << component;
    }
    j.jx.pop_back();
    EXPECT_FALSE(j.sample(0.0f, 0.0f, jx, jy));
}

TEST(ProbabilityStreamlines2D, FollowsAUniformCurrent)
{
    const ComplexField2D psi = test::planeWave(32, 16, 0.25f, 0.3f, 1.0, 0.0);
    const ProbabilityCurrent2D j = ProbabilityCurrent2D::compute(psi, 1.0f, 1.0f);

    StreamlineParameters p{0.1f, 1, 0.0f};
    auto line = ProbabilityStreamlines2D::trace(j, 0.0f, 0.0f, p);
    ASSERT_EQ(line.size(), 3u); // maxSteps 1 still gives one step each way
    EXPECT_NEAR(line[0].x, -0.1f, 1e-6f);
    EXPECT_EQ(line[1].x, 0.0f);
    EXPECT_NEAR(line[2].x, 0.1f, 1e-6f);

    p.maxSteps = 7;
    line = ProbabilityStreamlines2D::trace(j, 0.0f, 0.5f, p);
    ASSERT_EQ(line.size(), 7u); // three steps each way
    for (std::size_t k = 0; k + 1 < line.size(); ++k) {
        EXPECT_NEAR(line[k + 1].x - line[k].x, 0.1f, 1e-5f); // ordered backward end to forward end
        EXPECT_NEAR(line[k].y, 0.5f, 1e-6f);
    }

    // With no threshold the line runs until it leaves the region of current:
    // the border columns carry none.
    p.maxSteps = 10000;
    line = ProbabilityStreamlines2D::trace(j, 0.0f, 0.0f, p);
    const float lastCentre = static_cast<float>(gridCoordinateX(psi, 31));
    EXPECT_GE(line.size(), 75u);
    EXPECT_LE(line.size(), 79u);
    // The last step starts inside the span of cell centres and may end up to
    // one step beyond it.
    EXPECT_GT(line.back().x, lastCentre - 0.1f);
    EXPECT_LE(line.back().x, lastCentre + 0.1f);
    EXPECT_GE(line.front().x, -lastCentre - 0.1f);

    // A seed outside the grid gives nothing, and neither does one where |J| is
    // only equal to the threshold.
    EXPECT_TRUE(ProbabilityStreamlines2D::trace(j, 100.0f, 0.0f, p).empty());
    ProbabilityCurrent2D half = j;
    half.maxMagnitude = 2.0f * j.jx[8 * 32 + 16];
    EXPECT_TRUE(ProbabilityStreamlines2D::trace(half, 0.0f, 0.0f, {0.1f, 10, 0.5f}).empty());
    EXPECT_FALSE(ProbabilityStreamlines2D::trace(half, 0.0f, 0.0f, {0.1f, 10, 0.499f}).empty());
    // A line stops at the first point where |J| has fallen to the threshold:
    // 1 on the left cells, 0.5 from the centre x = 0.5 of cell 4 on.
    ProbabilityCurrent2D step;
    step.nx = 8;
    step.ny = 2;
    step.dx = 1.0f;
    step.dy = 2.0f;
    step.jx = {1.0f, 1.0f, 1.0f, 1.0f, 0.5f, 0.5f, 0.5f, 0.5f, 1.0f, 1.0f, 1.0f, 1.0f, 0.5f, 0.5f, 0.5f, 0.5f};
    step.jy.assign(16, 0.0f);
    step.maxMagnitude = 1.0f;
    const auto stopped = ProbabilityStreamlines2D::trace(step, -2.5f, 0.0f, {0.25f, 1000, 0.5f});
    ASSERT_FALSE(stopped.empty());
    EXPECT_FLOAT_EQ(stopped.back().x, 0.5f);
}

TEST(ProbabilityStreamlines2D, CirclesAVortex)
{
    // psi = (x + i y) exp(-r^2 / 4): J is azimuthal and counter-clockwise.
    ComplexField2D psi(64, 64, 0.125f, 0.125f);
    for (std::uint64_t j = 0; j < 64; ++j)
        for (std::uint64_t i = 0; i < 64; ++i) {
            const double x = gridCoordinateX(psi, i), y = gridCoordinateY(psi, j);
            const double g = std::exp(-(x * x + y * y) / 4.0);
            psi.at(i, j) = Complex(static_cast<float>(x * g), static_cast<float>(y * g));
        }
    const ProbabilityCurrent2D j = ProbabilityCurrent2D::compute(psi, 1.0f, 1.0f);
    const StreamlineParameters p{0.02f, 60, 0.015f};
    const auto line = ProbabilityStreamlines2D::trace(j, 1.5f, 0.0f, p);
    ASSERT_EQ(line.size(), 61u);
    EXPECT_EQ(line[30].x, 1.5f);
    EXPECT_GT(line.back().y, 0.5f); // forward is counter-clockwise
    EXPECT_LT(line.front().y, -0.5f);
    for (const StreamlinePoint& point : line)
        EXPECT_NEAR(std::hypot(point.x, point.y), 1.5, 0.02);
}

TEST(ProbabilityStreamlines2D, ParameterChecks)
{
    // Checked even for an empty current.
    const ProbabilityCurrent2D j;
    EXPECT_EQ(messageOf([&] {
                  ProbabilityStreamlines2D::trace(j, 0, 0, {std::nanf(""), 5, 0.1f});
              }),
              "ProbabilityStreamlines2D: stepLength must be finite and positive");
    EXPECT_EQ(messageOf([&] {
                  ProbabilityStreamlines2D::trace(j, 0, 0, {0.1f, 0, 0.1f});
              }),
              "ProbabilityStreamlines2D: maxSteps must be non-zero");
    EXPECT_EQ(messageOf([&] {
                  ProbabilityStreamlines2D::trace(j, 0, 0, {0.1f, 5, 1.0f});
              }),
              "ProbabilityStreamlines2D: minRelativeMagnitude must be in [0,1)");
}

// A current recomputed into storage that held another field's current (other
// grid, other values, a grid without interior) equals one computed afresh:
// nothing of the earlier field survives on the border or inside.
TEST(ProbabilityCurrent2D, RecomputedInPlaceEqualsAFreshCurrent)
{
    struct Grid {
        std::uint64_t nx, ny;
        unsigned seed;
    };
    ProbabilityCurrent2D reused;
    for (const Grid g :
         {Grid{40, 24, 1}, Grid{24, 40, 2}, Grid{24, 40, 3}, Grid{2, 9, 4}, Grid{33, 17, 5}, Grid{40, 24, 6}}) {
        const ComplexField2D psi = test::randomField(g.nx, g.ny, 0.2f, 0.15f, g.seed);
        ProbabilityCurrent2D::computeInto(psi, 0.8f, 1.3f, reused);
        const ProbabilityCurrent2D fresh = ProbabilityCurrent2D::compute(psi, 0.8f, 1.3f);
        const std::string name = std::to_string(g.nx) + "x" + std::to_string(g.ny);
        EXPECT_EQ(reused.jx, fresh.jx) << name;
        EXPECT_EQ(reused.jy, fresh.jy) << name;
        EXPECT_EQ(reused.maxMagnitude, fresh.maxMagnitude) << name;
        EXPECT_EQ(reused.integralJx, fresh.integralJx) << name;

        GaugeLinkField2D links;
        links.resize(g.nx, g.ny, 0.2f, 0.15f);
        for (std::uint64_t j = 0; j < g.ny; ++j)
            for (std::uint64_t i = 0; i < g.nx; ++i) {
                const float phase = 0.3f * static_cast<float>(i) - 0.2f * static_cast<float>(j);
                links.setLinkX(i, j, Complex(std::cos(phase), std::sin(phase)));
                links.setLinkY(i, j, Complex(std::cos(2.0f * phase), -std::sin(2.0f * phase)));
            }
        ProbabilityCurrent2D::computeWithGaugeInto(psi, links, 0.8f, 1.3f, reused);
        const ProbabilityCurrent2D gauged = ProbabilityCurrent2D::computeWithGauge(psi, links, 0.8f, 1.3f);
        EXPECT_EQ(reused.jx, gauged.jx) << name << " with links";
        EXPECT_EQ(reused.jy, gauged.jy) << name << " with links";
    }
}
