#include "experiments/PaintedWellRevival.h"

#include "core/Numeric.h"
#include "core/PotentialField2D.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>
#include <numeric>

namespace vxo {

namespace {

// The recurrence is searched on this many times across its window, then
// refined by golden sections to well below that spacing.
constexpr int kSearchPoints = 4000;
constexpr double kWindow = 0.2;

double recurrence(const std::vector<double>& levels, const std::vector<double>& weights, double t, double hbar)
{
    std::complex<double> sum = 0.0;
    for (std::size_t n = 0; n < levels.size(); ++n)
        sum += weights[n] * std::polar(1.0, -levels[n] * t / hbar);
    return std::norm(sum);
}

// Householder reduction of a symmetric matrix to tridiagonal form,
// A = Q T Q^T with Q = P_0 P_1 ... P_{n-3}: P_k = I - beta_k v_k v_k^T
// reflects row k's entries right of the diagonal onto the first of them. The
// matrix is held whole (row-major) so that every update runs along
// contiguous rows; each v_k is left in the row it emptied (row k from column
// k + 1).
struct Tridiagonal {
    std::vector<double> diagonal;
    std::vector<double> offDiagonal; // T(i, i + 1); the last is 0
    std::vector<double> beta;
};

Tridiagonal reduceToTridiagonal(std::vector<double>& a, std::size_t n)
{
    Tridiagonal t;
    t.diagonal.assign(n, 0.0);
    t.offDiagonal.assign(n, 0.0);
    t.beta.assign(n, 0.0);
    std::vector<double> p(n), w(n);
    for (std::size_t k = 0; k < n; ++k) {
        t.diagonal[k] = a[k * n + k];
        if (k + 1 >= n)
            break;
        double* v = &a[k * n + k + 1];
        const std::size_t m = n - k - 1;
        // Scaled by the largest entry, so that no square overflows or underflows.
        double scale = 0.0;
        for (std::size_t i = 0; i < m; ++i)
            scale = std::max(scale, std::abs(v[i]));
        double tail = 0.0;
        for (std::size_t i = 1; i < m; ++i)
            tail += (v[i] / scale) * (v[i] / scale);
        if (!(tail > 0.0)) {
            // Nothing below the first entry: P_k is the identity.
            t.offDiagonal[k] = v[0];
            for (std::size_t i = 0; i < m; ++i)
                v[i] = 0.0;
            continue;
        }
        for (std::size_t i = 0; i < m; ++i)
            v[i] /= scale;
        const double norm = std::sqrt(v[0] * v[0] + tail);
        // The sign that avoids cancellation in v_0 = x_0 - alpha.
        const double alpha = v[0] > 0.0 ? -norm : norm;
        v[0] -= alpha;
        const double beta = 2.0 / (v[0] * v[0] + tail);
        t.offDiagonal[k] = alpha * scale;
        t.beta[k] = beta;
        // The trailing block B becomes P B P = B - v w^T - w v^T, with
        // p = beta B v and w = p - (beta / 2)(p . v) v.
        double pv = 0.0;
        for (std::size_t i = 0; i < m; ++i) {
            const double* row = &a[(k + 1 + i) * n + k + 1];
            double s = 0.0;
            for (std::size_t j = 0; j < m; ++j)
                s += row[j] * v[j];
            p[i] = beta * s;
            pv += p[i] * v[i];
        }
        for (std::size_t i = 0; i < m; ++i)
            w[i] = p[i] - 0.5 * beta * pv * v[i];
        for (std::size_t i = 0; i < m; ++i) {
            double* row = &a[(k + 1 + i) * n + k + 1];
            for (std::size_t j = 0; j < m; ++j)
                row[j] -= v[i] * w[j] + w[i] * v[j];
        }
    }
    return t;
}

// Q = P_0 P_1 ... P_{n-3}, built from the last reflector back, so that each
// touches only the block where the product so far differs from the identity.
std::vector<double> reflectorsProduct(const std::vector<double>& reflected, std::size_t n,
                                      const std::vector<double>& beta)
{
    std::vector<double> q(n * n, 0.0), u(n);
    for (std::size_t i = 0; i < n; ++i)
        q[i * n + i] = 1.0;
    for (std::size_t k = n; k-- > 0;) {
        if (beta[k] == 0.0)
            continue;
        const double* v = &reflected[k * n + k + 1];
        const std::size_t m = n - k - 1;
        std::fill(u.begin(), u.begin() + m, 0.0);
        for (std::size_t i = 0; i < m; ++i) {
            const double* row = &q[(k + 1 + i) * n + k + 1];
            for (std::size_t j = 0; j < m; ++j)
                u[j] += v[i] * row[j];
        }
        for (std::size_t i = 0; i < m; ++i) {
            double* row = &q[(k + 1 + i) * n + k + 1];
            const double f = beta[k] * v[i];
            for (std::size_t j = 0; j < m; ++j)
                row[j] -= f * u[j];
        }
    }
    return q;
}

void transposeSquare(std::vector<double>& m, std::size_t n)
{
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = i + 1; j < n; ++j)
            std::swap(m[i * n + j], m[j * n + i]);
}

// Implicit QL with Wilkinson's shift on the tridiagonal (d, e): each sweep
// chases the bulge of one shifted QL step up from the first negligible e(m)
// to l by plane rotations, which are applied to the rows of `basis` (the
// transposed eigenvectors). The eigenvalues end in d, unordered.
constexpr int kQlIterationsPerValue = 60;

void diagonaliseTridiagonal(std::vector<double>& d, std::vector<double>& e, std::vector<double>& basis, std::size_t n)
{
    const double epsilon = std::numeric_limits<double>::epsilon();
    for (std::size_t l = 0; l < n; ++l) {
        for (int iteration = 0; iteration < kQlIterationsPerValue; ++iteration) {
            std::size_t m = l;
            while (m + 1 < n && !(std::abs(e[m]) <= epsilon * (std::abs(d[m]) + std::abs(d[m + 1]))))
                ++m;
            if (m == l)
                break;
            // Shift: the eigenvalue of the leading 2 x 2 block nearer d(l).
            double g = (d[l + 1] - d[l]) / (2.0 * e[l]);
            double r = std::hypot(g, 1.0);
            g = d[m] - d[l] + e[l] / (g + std::copysign(r, g));
            double s = 1.0, c = 1.0, p = 0.0;
            bool deflated = false;
            for (std::size_t i = m; i-- > l;) {
                const double f = s * e[i], b = c * e[i];
                r = std::hypot(f, g);
                e[i + 1] = r;
                if (r == 0.0) {
                    // The bulge vanished: T splits at i + 1; start again.
                    d[i + 1] -= p;
                    e[m] = 0.0;
                    deflated = true;
                    break;
                }
                s = f / r;
                c = g / r;
                g = d[i + 1] - p;
                r = (d[i] - g) * s + 2.0 * c * b;
                p = s * r;
                d[i + 1] = g + p;
                g = c * r - b;
                double* lower = &basis[i * n];
                double* upper = &basis[(i + 1) * n];
                for (std::size_t k = 0; k < n; ++k) {
                    const double zl = lower[k], zu = upper[k];
                    upper[k] = s * zl + c * zu;
                    lower[k] = c * zl - s * zu;
                }
            }
            if (deflated)
                continue;
            d[l] -= p;
            e[l] = g;
            e[m] = 0.0;
        }
    }
}

} // namespace

PaintedLine paintedLine(const PotentialField2D& potential, bool alongX, double across, double from, double to)
{
    PaintedLine line;
    const std::uint64_t nx = potential.nx(), ny = potential.ny();
    if (nx == 0 || ny == 0)
        return line;
    const std::uint64_t n = alongX ? nx : ny;
    line.spacing = alongX ? potential.dx() : potential.dy();
    const std::uint64_t fixed = alongX ? nearestCellIndex(across, ny, potential.dy(), 0, ny - 1)
                                       : nearestCellIndex(across, nx, potential.dx(), 0, nx - 1);
    for (std::uint64_t k = 0; k < n; ++k) {
        const double c = cellCentre(k, n, line.spacing);
        if (c < from || c > to)
            continue;
        if (line.values.empty())
            line.firstCentre = c;
        line.values.push_back(alongX ? potential.data()[fixed * nx + k] : potential.data()[k * nx + fixed]);
    }
    return line;
}

void symmetricEigen(std::vector<double> a, std::size_t n, std::vector<double>& values, std::vector<double>& vectors)
{
    if (a.size() < n * n) {
        values.clear();
        vectors.clear();
        return;
    }
    Tridiagonal t = reduceToTridiagonal(a, n);
    // The QL rotations act on T's eigenvector basis Z; starting from Q they
    // leave Q Z, the eigenvectors of the matrix itself. Held transposed, so
    // each rotation mixes two contiguous rows.
    std::vector<double> rows = reflectorsProduct(a, n, t.beta);
    transposeSquare(rows, n);
    diagonaliseTridiagonal(t.diagonal, t.offDiagonal, rows, n);

    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t i, std::size_t j) { return t.diagonal[i] < t.diagonal[j]; });
    values.resize(n);
    vectors.assign(n * n, 0.0);
    for (std::size_t m = 0; m < n; ++m) {
        values[m] = t.diagonal[order[m]];
        for (std::size_t k = 0; k < n; ++k)
            vectors[k * n + m] = rows[order[m] * n + k];
    }
}

std::vector<double> paintedLineHamiltonian(const PaintedLine& line, double mass, double hbar)
{
    const std::size_t n = line.values.size();
    if (n == 0 || !isFinitePositive(line.spacing) || !isFinitePositive(mass) || !isFinitePositive(hbar))
        return {};
    // H = T + V on the span: T_ij = (hbar^2 / 2m) (1/n) sum_q k_q^2 cos(k_q (i - j) d),
    // the Fourier kinetic energy of the step, periodic over the span.
    const double d = line.spacing;
    std::vector<double> kinetic(n, 0.0);
    for (std::size_t q = 0; q < n; ++q) {
        const double signedQ = q < (n + 1) / 2 ? double(q) : double(q) - double(n);
        const double k = 2.0 * kPi * signedQ / (double(n) * d);
        for (std::size_t r = 0; r < n; ++r)
            kinetic[r] += hbar * hbar * k * k / (2.0 * mass) * std::cos(k * double(r) * d) / double(n);
    }
    std::vector<double> h(n * n);
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = 0; j < n; ++j)
            h[i * n + j] = kinetic[i > j ? i - j : j - i] + (i == j ? line.values[i] : 0.0);
    return h;
}

double paintedWellRevivalTime(const PaintedLine& line, const LinePacket& packet, double mass, double hbar, double guess)
{
    const std::size_t n = line.values.size();
    if (n < 3 || !isFinitePositive(line.spacing) || !isFinitePositive(guess) || !isFinitePositive(mass) ||
        !isFinitePositive(hbar) || !isFinitePositive(packet.sigma))
        return 0.0;
    const double d = line.spacing;
    std::vector<double> h = paintedLineHamiltonian(line, mass, hbar);
    std::vector<double> levels, vectors;
    symmetricEigen(std::move(h), n, levels, vectors);

    std::vector<std::complex<double>> start(n);
    for (std::size_t k = 0; k < n; ++k) {
        const double x = line.firstCentre + double(k) * d;
        const double u = x - packet.centre;
        start[k] = std::polar(std::exp(-u * u / (4.0 * packet.sigma * packet.sigma)), packet.wavenumber * x);
    }
    std::vector<double> weights(n, 0.0);
    double total = 0.0;
    for (std::size_t m = 0; m < n; ++m) {
        std::complex<double> overlap = 0.0;
        for (std::size_t k = 0; k < n; ++k)
            overlap += vectors[k * n + m] * start[k];
        weights[m] = std::norm(overlap);
        total += weights[m];
    }
    if (!(total > 0.0))
        return 0.0;
    for (double& w : weights)
        w /= total;

    const double first = (1.0 - kWindow) * guess, last = (1.0 + kWindow) * guess;
    const double step = (last - first) / kSearchPoints;
    // Along the evenly spaced scan each level's phase turns by the same
    // factor from one time to the next: one complex product per level and
    // time instead of a sine and a cosine (the drift over the scan stays
    // near 1e-12, far below what separates its points).
    std::vector<std::complex<double>> term(n), turn(n);
    for (std::size_t m = 0; m < n; ++m) {
        term[m] = std::polar(weights[m], -levels[m] * first / hbar);
        turn[m] = std::polar(1.0, -levels[m] * step / hbar);
    }
    double best = first, bestValue = -1.0;
    for (int i = 0; i <= kSearchPoints; ++i) {
        double re = 0.0, im = 0.0;
        for (std::size_t m = 0; m < n; ++m) {
            const std::complex<double> z = term[m];
            re += z.real();
            im += z.imag();
            term[m] = {z.real() * turn[m].real() - z.imag() * turn[m].imag(),
                       z.real() * turn[m].imag() + z.imag() * turn[m].real()};
        }
        const double value = re * re + im * im;
        if (value > bestValue) {
            bestValue = value;
            best = first + step * i;
        }
    }
    double lo = best - step, hi = best + step;
    const double g = (std::sqrt(5.0) - 1.0) / 2.0;
    for (int i = 0; i < 80; ++i) {
        const double a = hi - g * (hi - lo), b = lo + g * (hi - lo);
        if (recurrence(levels, weights, a, hbar) > recurrence(levels, weights, b, hbar))
            hi = b;
        else
            lo = a;
    }
    return 0.5 * (lo + hi);
}

} // namespace vxo
