#include "experiments/FieldProducts.h"

#include "core/GridKey2D.h"
#include "core/InterleavedSums.h"

namespace vxo {

namespace {

double cellArea(const ComplexField2D& b) { return static_cast<double>(b.dx()) * static_cast<double>(b.dy()); }

} // namespace

std::complex<double> innerProduct(const ComplexField2D& a, const ComplexField2D& b)
{
    return overlapSums(a, b).product * cellArea(b);
}

std::complex<double> bilinearProduct(const ComplexField2D& a, const ComplexField2D& b)
{
    if (a.size() != b.size())
        return {0.0, 0.0};
    const Complex* pa = a.data();
    const Complex* pb = b.data();
    const auto sums = interleavedSums<2>(b.size(), [pa, pb](std::size_t k) {
        const double ar = pa[k].real();
        const double ai = pa[k].imag();
        const double br = pb[k].real();
        const double bi = pb[k].imag();
        return std::array<double, 2>{ar * br - ai * bi, ar * bi + ai * br};
    });
    return std::complex<double>(sums[0], sums[1]) * cellArea(b);
}

OverlapSums overlapSums(const ComplexField2D& a, const ComplexField2D& b)
{
    if (a.size() != b.size())
        return {};
    return overlapSums(a.data(), b.data(), static_cast<std::size_t>(b.size()));
}

bool onIdenticalGrid(const ComplexField2D& a, const ComplexField2D& b)
{
    return !a.empty() && !b.empty() && GridKey2D::of(a).matches(b);
}

} // namespace vxo
