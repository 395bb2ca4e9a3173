#pragma once

// Independent plane-wave transmission of a Dirac barrier for the Klein
// tests, by 2 x 2 transfer matrices. In a region of kinetic energy eps the
// wave is a S(q) e^{i q x / hbar} + b S(-q) e^{-i q x / hbar} with the
// (unnormalised) eigen-spinor S(q) = (eps + m c^2, c (q + i k_y)) of
// c sigma.p + m c^2 sigma_z; continuity of the spinor at x = 0 and x = w
// maps the outside amplitudes (1, r) on the left to (t, 0) on the right:
//   (t, 0) = B_out(w)^-1 B_in(w) B_in(0)^-1 B_out(0) (1, r).

#include <cmath>
#include <complex>

namespace vxo::test {

struct TransferResult {
    double transmission = 0.0;
    double reflection = 0.0;
};

class KleinTransferMatrix {
public:
    using C = std::complex<double>;

    // Energy E, barrier height V0 and width w, incidence momentum p at angle theta (radians).
    static TransferResult solve(double c, double mass, double p, double theta, double V0, double w, double hbar)
    {
        const double mc2 = mass * c * c;
        const double E = std::sqrt(p * p * c * c + mc2 * mc2);
        const double kx = p * std::cos(theta);
        const double ky = p * std::sin(theta);
        const double eps = E - V0;
        const C q = std::sqrt(C((eps * eps - mc2 * mc2) / (c * c) - ky * ky, 0.0));

        const Matrix outside0 = basis(C(kx, 0.0), ky, E, mc2, c, 0.0, hbar);
        const Matrix outsideW = basis(C(kx, 0.0), ky, E, mc2, c, w, hbar);
        const Matrix inside0 = basis(q, ky, eps, mc2, c, 0.0, hbar);
        const Matrix insideW = basis(q, ky, eps, mc2, c, w, hbar);
        const Matrix M = multiply(inverse(outsideW), multiply(insideW, multiply(inverse(inside0), outside0)));
        const C r = -M.m10 / M.m11;
        const C t = M.m00 + M.m01 * r;
        return {std::norm(t), std::norm(r)};
    }

private:
    struct Matrix {
        C m00, m01, m10, m11;
    };

    static Matrix basis(C q, double ky, double eps, double mc2, double c, double x, double hbar)
    {
        const C i(0.0, 1.0);
        const C forward = std::exp(i * q * x / hbar);
        const C backward = std::exp(-i * q * x / hbar);
        return {C(eps + mc2) * forward, C(eps + mc2) * backward, c * (q + i * ky) * forward,
                c * (-q + i * ky) * backward};
    }

    static Matrix multiply(const Matrix& a, const Matrix& b)
    {
        return {a.m00 * b.m00 + a.m01 * b.m10, a.m00 * b.m01 + a.m01 * b.m11, a.m10 * b.m00 + a.m11 * b.m10,
                a.m10 * b.m01 + a.m11 * b.m11};
    }

    static Matrix inverse(const Matrix& a)
    {
        const C det = a.m00 * a.m11 - a.m01 * a.m10;
        return {a.m11 / det, -a.m01 / det, -a.m10 / det, a.m00 / det};
    }
};

} // namespace vxo::test
