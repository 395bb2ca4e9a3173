#pragma once

#include "core/AlignedAllocator.h"

#include <complex>
#include <cstdint>

namespace vxo {

using Complex = std::complex<float>;

// An amplitude widened to double precision, for the differences and sums
// that are formed in double while the grids stay in single precision.
inline std::complex<double> widen(Complex v) { return {v.real(), v.imag()}; }

// The wave function psi(x, y) sampled on an nx x ny grid of cells dx x dy.
// Amplitudes are single precision and stored row by row (index j * nx + i);
// cell centres sit at x_i = (i - (nx - 1) / 2) dx, y_j = (j - (ny - 1) / 2) dy,
// so the grid is centred on the origin.
//
// norm() is the discrete integral  sum |psi|^2 dx dy, accumulated in double on
// four interleaved partial sums (InterleavedSums.h).
class ComplexField2D {
public:
    ComplexField2D() = default;
    ComplexField2D(std::uint64_t nx, std::uint64_t ny, float dx, float dy);
    ComplexField2D(const ComplexField2D& other);
    ComplexField2D& operator=(const ComplexField2D& other);
    ComplexField2D(ComplexField2D&&) noexcept = default;
    ComplexField2D& operator=(ComplexField2D&&) noexcept = default;

    // Copies of non-empty fields made since the program started: on the
    // finest grid each is 8 MB written, which the work that a tick repeats
    // should not include.
    static std::uint64_t copiesMade() { return copiesMade_; }

    void reset(std::uint64_t nx, std::uint64_t ny, float dx, float dy);
    // New cell spacings for the same cells, whose values are kept.
    void respace(float dx, float dy);

    Complex& at(std::uint64_t i, std::uint64_t j) { return values_[j * nx_ + i]; }
    const Complex& at(std::uint64_t i, std::uint64_t j) const { return values_[j * nx_ + i]; }
    Complex* data() { return values_.data(); }
    const Complex* data() const { return values_.data(); }

    std::uint64_t nx() const { return nx_; }
    std::uint64_t ny() const { return ny_; }
    float dx() const { return dx_; }
    float dy() const { return dy_; }
    std::uint64_t size() const { return values_.size(); }
    bool empty() const { return values_.empty(); }

    void setZero();
    void fill(Complex value);

    double norm() const;
    // Every value real and finite (true for an empty field): read up to the
    // row of the first cell that is not.
    bool isFiniteReal() const;
    // Scales to norm 1; false (field untouched) when the norm is 0, NaN or infinite.
    bool normalize();

private:
    static inline std::uint64_t copiesMade_ = 0;

    std::uint64_t nx_ = 0;
    std::uint64_t ny_ = 0;
    float dx_ = 1.0f;
    float dy_ = 1.0f;
    // Cache-line aligned, so that vector loads of the transforms never split.
    AlignedVector<Complex> values_;
};

double gridCoordinateX(const ComplexField2D& field, std::uint64_t i);
double gridCoordinateY(const ComplexField2D& field, std::uint64_t j);

} // namespace vxo
