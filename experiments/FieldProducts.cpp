#include "experiments/FieldProducts.h"

#include "core/GridKey2D.h"

namespace vxo {

namespace {

template <bool Conjugate>
std::complex<double> productSum(const ComplexField2D& a, const ComplexField2D& b)
{
    if (a.size() != b.size())
        return {0.0, 0.0};
    double re = 0.0;
    double im = 0.0;
    const Complex* pa = a.data();
    const Complex* pb = b.data();
    for (std::uint64_t k = 0; k < b.size(); ++k) {
        const double ar = pa[k].real();
        const double ai = Conjugate ? -static_cast<double>(pa[k].imag()) : static_cast<double>(pa[k].imag());
        const double br = pb[k].real();
        const double bi = pb[k].imag();
        re += ar * br - ai * bi;
        im += ar * bi + ai * br;
    }
    const double cellArea = static_cast<double>(b.dx()) * static_cast<double>(b.dy());
    return {re * cellArea, im * cellArea};
}

} // namespace

std::complex<double> innerProduct(const ComplexField2D& a, const ComplexField2D& b) { return productSum<true>(a, b); }

std::complex<double> bilinearProduct(const ComplexField2D& a, const ComplexField2D& b)
{
    return productSum<false>(a, b);
}

bool onIdenticalGrid(const ComplexField2D& a, const ComplexField2D& b)
{
    return !a.empty() && !b.empty() && GridKey2D::of(a).matches(b);
}

} // namespace vxo
