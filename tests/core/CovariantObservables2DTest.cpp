// The covariant energies and current of the magnetic step from one pass over
// the grid, on every instruction set, against each reading's own pass.

#include "core/CovariantObservables2D.h"
#include "core/EnergyObservables2D.h"
#include "core/ProbabilityCurrent2D.h"
#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace vxo;

namespace {

// Amplitudes spread over twelve binary orders, so that sums of products
// round unless they are taken in the same order.
ComplexField2D spreadField(std::uint64_t nx, std::uint64_t ny, float dx, float dy, unsigned seed)
{
    ComplexField2D psi = test::randomField(nx, ny, dx, dy, seed);
    for (std::uint64_t c = 0; c < psi.size(); ++c)
        psi.data()[c] *= std::ldexp(1.0f, static_cast<int>((c * 5) % 13) - 6);
    return psi;
}

// Links of moduli 0.8 to 1.2 and every phase, on the grid of psi.
GaugeLinkField2D linksOn(const ComplexField2D& psi, unsigned seed)
{
    const ComplexField2D raw = test::randomField(psi.nx(), 2 * psi.ny(), psi.dx(), psi.dy(), seed);
    GaugeLinkField2D links;
    links.resize(psi.nx(), psi.ny(), psi.dx(), psi.dy());
    for (std::uint64_t j = 0; j < psi.ny(); ++j)
        for (std::uint64_t i = 0; i < psi.nx(); ++i) {
            const Complex x = raw.at(i, j), y = raw.at(i, j + psi.ny());
            links.setLinkX(i, j, std::polar(1.0f + 0.2f * x.real(), 3.0f * x.imag()));
            links.setLinkY(i, j, std::polar(1.0f + 0.2f * y.real(), 3.0f * y.imag()));
        }
    return links;
}

} // namespace

// Grids whose interior rows hold one vector of four cells, a vector and a
// tail, and many vectors, on cells wider than high: each path gives the
// portable sums and current to the bit, with both readings or either alone.
// On the small grids one cell's last bit shows in the sums.
TEST(CovariantObservables2D, EveryPathGivesThePortableBitsWithEitherReadingOrBoth)
{
    struct Grid {
        std::uint64_t nx, ny;
    };
    for (const Grid g : {Grid{6, 3}, Grid{9, 4}, Grid{37, 11}}) {
        for (unsigned seed = 1; seed <= 40; ++seed) {
            const ComplexField2D psi = spreadField(g.nx, g.ny, 0.21f, 0.13f, seed);
            const GaugeLinkField2D links = linksOn(psi, seed + 100);
            PotentialField2D v(g.nx, g.ny, 0.21f, 0.13f);
            v.addLinear(0.0f, 0.0f, 0.3f, 1.1f, -0.7f);
            v.addGaussian(0.5f, -0.2f, 0.8f, 0.4f, 2.0f);
            const auto run = [&](fft2d::KernelSet path, bool energy, bool current, std::vector<float>& jx,
                                 std::vector<float>& jy) {
                jx.assign(psi.size(), 0.0f);
                jy.assign(psi.size(), 0.0f);
                return CovariantObservables2D::pass(path, psi, v.data(), links, 0.9, 1.7, energy,
                                                    current ? jx.data() : nullptr, current ? jy.data() : nullptr);
            };
            std::vector<float> jx0, jy0, jx, jy;
            const CovariantObservables2D::Sums portable = run(fft2d::KernelSet::Portable, true, true, jx0, jy0);
            ASSERT_GT(portable.maxSquared, 0.0);
            for (fft2d::KernelSet path : {fft2d::KernelSet::Sse2, fft2d::KernelSet::Avx2}) {
                if (!fft2d::isAvailable(path))
                    continue;
                for (const int readings : {3, 1, 2}) { // both, energy, current
                    const bool energy = readings & 1, current = readings & 2;
                    const std::string name = std::to_string(g.nx) + "x" + std::to_string(g.ny) + " seed " +
                                             std::to_string(seed) + " path " + std::to_string(static_cast<int>(path)) +
                                             " readings " + std::to_string(readings);
                    const CovariantObservables2D::Sums sums = run(path, energy, current, jx, jy);
                    EXPECT_EQ(sums.norm, energy ? portable.norm : 0.0) << name;
                    EXPECT_EQ(sums.potential, energy ? portable.potential : 0.0) << name;
                    EXPECT_EQ(sums.kinetic, energy ? portable.kinetic : 0.0) << name;
                    EXPECT_EQ(sums.maxSquared, current ? portable.maxSquared : 0.0) << name;
                    EXPECT_EQ(sums.integralJx, current ? portable.integralJx : 0.0) << name;
                    EXPECT_EQ(sums.integralJy, current ? portable.integralJy : 0.0) << name;
                    if (current) {
                        EXPECT_EQ(jx, jx0) << name;
                        EXPECT_EQ(jy, jy0) << name;
                    }
                }
            }
        }
    }
}

// The energies and the current read together are those read apart, in one
// pass where they took two.
TEST(CovariantObservables2D, BothReadingsFromOnePassAreEachReadingsOwn)
{
    const ComplexField2D psi = spreadField(40, 24, 0.2f, 0.15f, 8);
    const GaugeLinkField2D links = linksOn(psi, 9);
    PotentialField2D v(40, 24, 0.2f, 0.15f);
    v.fill(0.4f);
    // The window's hbar and mass are single precision, as the current takes them.
    const float hbar = 0.8f, mass = 1.3f;
    const EnergyObservables2D alone = EnergyObservables2D::computeWithGauge(psi, v, links, hbar, mass);
    const ProbabilityCurrent2D current = ProbabilityCurrent2D::computeWithGauge(psi, links, hbar, mass);
    ProbabilityCurrent2D together;
    const std::uint64_t before = CovariantObservables2D::passesMade();
    const EnergyObservables2D energies = EnergyObservables2D::computeWithGauge(psi, v, links, hbar, mass, together);
    EXPECT_EQ(CovariantObservables2D::passesMade() - before, 1u);
    EXPECT_EQ(energies.norm, alone.norm);
    EXPECT_EQ(energies.kinetic, alone.kinetic);
    EXPECT_EQ(energies.potential, alone.potential);
    EXPECT_EQ(energies.total, alone.total);
    EXPECT_EQ(together.jx, current.jx);
    EXPECT_EQ(together.jy, current.jy);
    EXPECT_EQ(together.maxMagnitude, current.maxMagnitude);
    EXPECT_EQ(together.integralJx, current.integralJx);
    EXPECT_EQ(together.integralJy, current.integralJy);
    EXPECT_EQ(together.nx, current.nx);
    EXPECT_EQ(together.dy, current.dy);
}
