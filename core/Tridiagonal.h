#pragma once

#include <complex>
#include <vector>

namespace vxo {

// Solves the tridiagonal system
//   sub[i] x[i-1] + main[i] x[i] + super[i] x[i+1] = rhs[i],   i = 0 .. n-1,
// (sub[0] and super[n-1] are not read) by the Thomas algorithm in double
// precision complex arithmetic; the solution replaces rhs. There is no
// pivoting: the systems this serves (Crank-Nicolson with links of modulus
// one) are strictly diagonally dominant. A zero or NaN pivot yields NaN.
// Throws std::invalid_argument when the three diagonals are not as long as
// rhs.
void solveTridiagonal(const std::vector<std::complex<double>>& sub, const std::vector<std::complex<double>>& main,
                      const std::vector<std::complex<double>>& super, std::vector<std::complex<double>>& rhs);

} // namespace vxo
