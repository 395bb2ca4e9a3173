#pragma once

// Small helpers shared by the test suites. Header-only: every test executable
// has tests/ on its include path.

#include "core/ComplexField2D.h"
#include "core/GaussianPacket2D.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace vxo::test {

// Non-finite single-precision values, as fields and objects store them.
constexpr float kFloatNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kFloatInf = std::numeric_limits<float>::infinity();

// The message of the Exception that f throws, or a text saying that none was
// thrown (which no message of the system reads like), so that one expectation
// compares a message word for word.
template <typename Exception = std::invalid_argument, typename F>
std::string messageOf(F&& f)
{
    try {
        f();
    } catch (const Exception& e) {
        return e.what();
    }
    return "no exception thrown";
}

// The same grid (nx, ny, dx, dy) and the same values bit for bit; two empty
// fields are identical (memcmp is not handed their null data).
inline bool bitIdentical(const ComplexField2D& a, const ComplexField2D& b)
{
    return a.nx() == b.nx() && a.ny() == b.ny() && a.dx() == b.dx() && a.dy() == b.dy() && a.size() == b.size() &&
           (a.size() == 0 || std::memcmp(a.data(), b.data(), a.size() * sizeof(Complex)) == 0);
}

// Amplitudes with real and imaginary parts drawn uniformly from [-1, 1),
// reproducible from the seed.
inline ComplexField2D randomField(std::uint64_t nx, std::uint64_t ny, float dx, float dy, unsigned seed)
{
    ComplexField2D f(nx, ny, dx, dy);
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> u(-1.0f, 1.0f);
    for (std::uint64_t k = 0; k < f.size(); ++k)
        f.data()[k] = Complex(u(rng), u(rng));
    return f;
}

// Rows of random cells of every length around the vector width of the row
// passes, first as drawn, then with an infinite and a not-a-number component
// among them: visit(row, count, poisoned) for each.
template <typename Visit>
void forEachRowAroundTheVectorWidth(unsigned seed, Visit visit)
{
    const ComplexField2D source = randomField(1031, 1, 0.1f, 0.1f, seed);
    for (const bool poisoned : {false, true}) {
        for (const std::size_t count : {0u, 1u, 3u, 4u, 5u, 7u, 8u, 13u, 1031u}) {
            std::vector<Complex> row(source.data(), source.data() + count);
            if (poisoned && count > 2) {
                row[1] = Complex(std::numeric_limits<float>::infinity(), 0.0f);
                row[count - 1] = Complex(0.0f, std::numeric_limits<float>::quiet_NaN());
            }
            visit(row, count, poisoned);
        }
    }
}

// The plane wave exp(i (kx x + ky y)) of unit amplitude at the cell centres
// of an nx x ny grid of cells dx x dy.
inline ComplexField2D planeWave(std::uint64_t nx, std::uint64_t ny, float dx, float dy, double kx, double ky)
{
    ComplexField2D psi(nx, ny, dx, dy);
    for (std::uint64_t j = 0; j < ny; ++j)
        for (std::uint64_t i = 0; i < nx; ++i) {
            const double phase = kx * gridCoordinateX(psi, i) + ky * gridCoordinateY(psi, j);
            psi.at(i, j) = Complex(static_cast<float>(std::cos(phase)), static_cast<float>(std::sin(phase)));
        }
    return psi;
}

// The packet prepared on an nx x ny grid of square cells h x h.
inline ComplexField2D packetField(std::uint64_t nx, std::uint64_t ny, float h, const GaussianPacket2D& packet)
{
    ComplexField2D psi(nx, ny, h, h);
    GaussianPacket2D::prepare(psi, packet);
    return psi;
}

} // namespace vxo::test
