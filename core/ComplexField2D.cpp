#include "core/ComplexField2D.h"

#include "core/InterleavedSums.h"
#include "core/Numeric.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace vxo {

namespace {
void requirePositiveSteps(float dx, float dy)
{
    // Only "greater than zero": NaN fails, an infinite step is accepted.
    if (!(dx > 0.0f) || !(dy > 0.0f))
        throw std::invalid_argument("ComplexField2D: dx and dy must be positive");
}
} // namespace

ComplexField2D::ComplexField2D(std::uint64_t nx, std::uint64_t ny, float dx, float dy) { reset(nx, ny, dx, dy); }

ComplexField2D::ComplexField2D(const ComplexField2D& other)
    : nx_(other.nx_), ny_(other.ny_), dx_(other.dx_), dy_(other.dy_), values_(other.values_)
{
    if (!values_.empty())
        ++copiesMade_;
}

ComplexField2D& ComplexField2D::operator=(const ComplexField2D& other)
{
    if (this == &other)
        return *this;
    nx_ = other.nx_;
    ny_ = other.ny_;
    dx_ = other.dx_;
    dy_ = other.dy_;
    values_ = other.values_;
    if (!values_.empty())
        ++copiesMade_;
    return *this;
}

void ComplexField2D::reset(std::uint64_t nx, std::uint64_t ny, float dx, float dy)
{
    requirePositiveSteps(dx, dy);
    AlignedVector<Complex> values(nx * ny, Complex(0.0f, 0.0f));
    nx_ = nx;
    ny_ = ny;
    dx_ = dx;
    dy_ = dy;
    values_.swap(values);
}

void ComplexField2D::respace(float dx, float dy)
{
    requirePositiveSteps(dx, dy);
    dx_ = dx;
    dy_ = dy;
}

void ComplexField2D::setZero() { std::fill(values_.begin(), values_.end(), Complex(0.0f, 0.0f)); }

void ComplexField2D::fill(Complex value) { std::fill(values_.begin(), values_.end(), value); }

bool ComplexField2D::isFiniteReal() const
{
    // Rows at a time, each without an early exit inside, so that the
    // compiler may read a row on vectors.
    constexpr float kLargestFloat = std::numeric_limits<float>::max();
    const std::uint64_t row = nx_ > 0 ? nx_ : 1;
    for (std::uint64_t start = 0; start < values_.size(); start += row) {
        const std::uint64_t end = std::min<std::uint64_t>(start + row, values_.size());
        int otherCell = 0;
        for (std::uint64_t c = start; c < end; ++c)
            otherCell |= static_cast<int>(values_[c].imag() != 0.0f) |
                         static_cast<int>(!(std::fabs(values_[c].real()) <= kLargestFloat));
        if (otherCell)
            return false;
    }
    return true;
}

double ComplexField2D::norm() const
{
    const Complex* v = values_.data();
    const double sum = interleavedSums<1>(values_.size(), [v](std::size_t c) {
        const double re = v[c].real();
        const double im = v[c].imag();
        return std::array<double, 1>{re * re + im * im};
    })[0];
    return static_cast<double>(dx_) * sum * static_cast<double>(dy_);
}

bool ComplexField2D::normalize()
{
    const double s = std::sqrt(norm());
    if (!(s > 0.0) || std::isinf(s))
        return false;
    const float f = static_cast<float>(1.0 / s);
    for (Complex& v : values_)
        v = Complex(v.real() * f, v.imag() * f);
    return true;
}

double gridCoordinateX(const ComplexField2D& field, std::uint64_t i) { return cellCentre(i, field.nx(), field.dx()); }

double gridCoordinateY(const ComplexField2D& field, std::uint64_t j) { return cellCentre(j, field.ny(), field.dy()); }

} // namespace vxo
