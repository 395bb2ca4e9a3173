#include "core/DiracSpinor2D.h"

#include "core/GridKey2D.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace vxo {

void DiracSpinor2D::resize(std::uint64_t nx, std::uint64_t ny, float dx, float dy)
{
    // Reset a scratch component first: if the grid is refused, both
    // components stay as they were.
    ComplexField2D fresh(nx, ny, dx, dy);
    upper = fresh;
    lower = std::move(fresh);
}

double DiracSpinor2D::norm() const
{
    if (isEmpty())
        return 0.0;
    return upper.norm() + lower.norm();
}

namespace {
// part / total, 0 unless the total is positive.
double shareOf(double part, double total) { return total > 0.0 ? part / total : 0.0; }
} // namespace

double DiracSpinor2D::upperWeight() const
{
    if (isEmpty())
        return 0.0;
    const double u = upper.norm();
    return shareOf(u, u + lower.norm());
}

double DiracSpinor2D::lowerWeight() const
{
    if (isEmpty())
        return 0.0;
    const double l = lower.norm();
    return shareOf(l, upper.norm() + l);
}

bool DiracSpinor2D::normalize()
{
    const double r = std::sqrt(norm());
    if (!(r > 0.0) || !std::isfinite(r))
        return false;
    const float f = static_cast<float>(1.0 / r);
    for (ComplexField2D* component : {&upper, &lower}) {
        Complex* v = component->data();
        for (std::uint64_t c = 0; c < component->size(); ++c)
            v[c] = Complex(v[c].real() * f, v[c].imag() * f);
    }
    return true;
}

void DiracSpinor2D::density(ComplexField2D& target) const
{
    if (isEmpty() || lower.size() != upper.size()) {
        target.setZero();
        return;
    }
    if (target.empty() || !GridKey2D::of(upper).matches(target))
        target.reset(upper.nx(), upper.ny(), upper.dx(), upper.dy());
    // Cell by cell over the whole range of the upper component (the lower one
    // has the same size), so the pass cannot step past the last cell.
    const Complex* u = upper.data();
    std::transform(u, u + upper.size(), lower.data(), target.data(), [](const Complex& a, const Complex& b) {
        const float d = (a.imag() * a.imag() + a.real() * a.real()) + (b.real() * b.real() + b.imag() * b.imag());
        return Complex(static_cast<float>(std::sqrt(std::max(static_cast<double>(d), 0.0))), 0.0f);
    });
}

} // namespace vxo
