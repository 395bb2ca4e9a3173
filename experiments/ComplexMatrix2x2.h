#pragma once

// Complex 2-vectors and row-major 2x2 matrices in double precision, used by the
// transfer matrices of the barrier transmission and by the two-level propagators.

#include <array>
#include <complex>

namespace vxo {

using ComplexD = std::complex<double>;
using ComplexVector2 = std::array<ComplexD, 2>;
// Row-major: {m00, m01, m10, m11}.
using ComplexMatrix2x2 = std::array<ComplexD, 4>;

inline ComplexMatrix2x2 identityComplex2x2()
{
    return {ComplexD(1.0, 0.0), ComplexD(0.0, 0.0), ComplexD(0.0, 0.0), ComplexD(1.0, 0.0)};
}

// A . B
inline ComplexMatrix2x2 multiplyComplex2x2(const ComplexMatrix2x2& a, const ComplexMatrix2x2& b)
{
    return {a[0] * b[0] + a[1] * b[2], a[0] * b[1] + a[1] * b[3], a[2] * b[0] + a[3] * b[2], a[2] * b[1] + a[3] * b[3]};
}

// M . v
inline ComplexVector2 applyComplex2x2(const ComplexMatrix2x2& m, const ComplexVector2& v)
{
    return {m[0] * v[0] + m[1] * v[1], m[2] * v[0] + m[3] * v[1]};
}

} // namespace vxo
