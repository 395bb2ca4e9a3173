#pragma once

#include "core/ComplexField2D.h"
#include "core/GaugeLinkField2D.h"

#include <complex>
#include <cstdint>
#include <vector>

namespace vxo {

// Probability current density J = (hbar / m) Im(conj(psi) grad psi) on the
// grid of psi, from central differences on the interior cells (the border rows
// and columns keep J = 0). The gauge-covariant form carries the link factors
// into the differences,
//   D_x psi_i = (U_x(i) psi_{i+1} - conj(U_x(i-1)) psi_{i-1}) / (2 dx),
// and reduces to the plain current when every link is 1.
// For a plane wave exp(i k x) the central difference gives
// (hbar k / m) sin(k dx) / (k dx).
struct ProbabilityCurrent2D {
    std::uint64_t nx = 0;
    std::uint64_t ny = 0;
    float dx = 0.0f;
    float dy = 0.0f;
    std::vector<float> jx; // row-major, j * nx + i
    std::vector<float> jy;
    float maxMagnitude = 0.0f;
    double integralJx = 0.0; // sum jx dx dy
    double integralJy = 0.0; // sum jy dx dy

    static ProbabilityCurrent2D compute(const ComplexField2D& psi, float hbar, float mass);
    static ProbabilityCurrent2D computeWithGauge(const ComplexField2D& psi, const GaugeLinkField2D& links, float hbar,
                                                 float mass);
    // The same currents written into `current`, reusing the storage of its
    // arrays (a current recomputed on every refresh then allocates nothing).
    // The argument checks come first: when they throw, `current` is left as
    // it was.
    static void computeInto(const ComplexField2D& psi, float hbar, float mass, ProbabilityCurrent2D& current);
    static void computeWithGaugeInto(const ComplexField2D& psi, const GaugeLinkField2D& links, float hbar, float mass,
                                     ProbabilityCurrent2D& current);
    // The grid of psi in the storage the arrays already have, with the
    // border (which no pass writes) and the sums 0; the interior is left for
    // the pass that follows to write.
    void zeroFor(const ComplexField2D& psi);

    // One component (hbar/m) Im(conj(psi) dpsi) from an amplitude and its
    // derivative along that axis; hbarOverMass = hbar / m.
    static double component(std::complex<double> psi, std::complex<double> derivative, double hbarOverMass)
    {
        return (psi.real() * derivative.imag() - psi.imag() * derivative.real()) * hbarOverMass;
    }

    bool isEmpty() const;

    // Bilinear interpolation of J at the physical point (x, y) between the
    // four surrounding cell centres. False (outputs 0) outside the span of
    // cell centres or for an unusable current; false as well when an
    // interpolated component is not finite.
    bool sample(float x, float y, float& jxOut, float& jyOut) const;
};

} // namespace vxo
