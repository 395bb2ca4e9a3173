#pragma once

// Prepared fields for feeding the experiment recorders in the plot tests:
// amplitudes whose |psi|^2 is a chosen density, so that every figure a
// recorder derives from them (marginals, detector profiles, centroids,
// region probabilities) is known in advance.

#include "core/ComplexField2D.h"
#include "core/DiracSpinor2D.h"

#include <cmath>
#include <cstdint>

namespace vxo::test {

// The field with |psi(i, j)|^2 = density(i, j) and zero phase.
template <typename Density>
ComplexField2D densityField(std::uint64_t nx, std::uint64_t ny, float dx, float dy, Density&& density)
{
    ComplexField2D field(nx, ny, dx, dy);
    for (std::uint64_t j = 0; j < ny; ++j)
        for (std::uint64_t i = 0; i < nx; ++i)
            field.at(i, j) = Complex(static_cast<float>(std::sqrt(density(i, j))), 0.0f);
    return field;
}

// A spinor whose upper component has the density and whose lower component
// is ratio times the upper one, so that c<sigma_x> / norm = 2 c ratio / (1 + ratio^2).
template <typename Density>
DiracSpinor2D densitySpinor(std::uint64_t nx, std::uint64_t ny, float dx, float dy, Density&& density,
                            float ratio = 0.0f)
{
    DiracSpinor2D spinor;
    spinor.upper = densityField(nx, ny, dx, dy, density);
    spinor.lower = spinor.upper;
    for (std::uint64_t k = 0; k < spinor.lower.size(); ++k)
        spinor.lower.data()[k] *= ratio;
    return spinor;
}

} // namespace vxo::test
