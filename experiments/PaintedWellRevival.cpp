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
constexpr double kNegligibleWeight = 1e-20;

double recurrence(const std::vector<double>& levels, const std::vector<double>& weights, double t, double hbar)
{
    std::complex<double> sum = 0.0;
    for (std::size_t n = 0; n < levels.size(); ++n)
        sum += weights[n] * std::polar(1.0, -levels[n] * t / hbar);
    return std::norm(sum);
}

// sum_j a_j b_j over j < count, in four interleaved partial sums: without
// reassociation a single sum waits on every addition before the next.
double dot(const double* a, const double* b, std::size_t count)
{
    double s0 = 0.0, s1 = 0.0, s2 = 0.0, s3 = 0.0;
    std::size_t j = 0;
    for (; j + 4 <= count; j += 4) {
        s0 += a[j] * b[j];
        s1 += a[j + 1] * b[j + 1];
        s2 += a[j + 2] * b[j + 2];
        s3 += a[j + 3] * b[j + 3];
    }
    for (; j < count; ++j)
        s0 += a[j] * b[j];
    return (s0 + s1) + (s2 + s3);
}

// Householder reduction of a symmetric matrix to tridiagonal form,
// A = Q T Q^T with Q = P_0 P_1 ... P_{n-3}: P_k = I - beta_k v_k v_k^T maps
// column k below the diagonal onto its first entry. Only the lower triangle
// is read and updated (half the work of the whole square), row by row so
// that the loops run along contiguous memory; each v_k is kept in the upper
// triangle's row k, from column k + 1, which the reduction no longer reads.
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
        const std::size_t m = n - k - 1;
        double* v = &a[k * n + k + 1];
        // Scaled by the largest entry, so that no square overflows or underflows.
        double scale = 0.0;
        for (std::size_t i = 0; i < m; ++i) {
            v[i] = a[(k + 1 + i) * n + k];
            scale = std::max(scale, std::abs(v[i]));
        }
        double tail = 0.0;
        for (std::size_t i = 1; i < m; ++i)
            tail += (v[i] / scale) * (v[i] / scale);
        if (!(tail > 0.0)) {
            // Nothing below the first entry: P_k is the identity.
            t.offDiagonal[k] = v[0];
            std::fill(v, v + m, 0.0);
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
        // p = beta B v and w = p - (beta / 2)(p . v) v; B v from the lower
        // triangle, each entry below the diagonal standing for two.
        std::fill(p.begin(), p.begin() + m, 0.0);
        for (std::size_t i = 0; i < m; ++i) {
            const double* row = &a[(k + 1 + i) * n + k + 1];
            const double vi = v[i];
            for (std::size_t j = 0; j < i; ++j)
                p[j] += row[j] * vi;
            p[i] += dot(row, v, i) + row[i] * vi;
        }
        double pv = 0.0;
        for (std::size_t i = 0; i < m; ++i) {
            p[i] *= beta;
            pv += p[i] * v[i];
        }
        for (std::size_t i = 0; i < m; ++i)
            w[i] = p[i] - 0.5 * beta * pv * v[i];
        for (std::size_t i = 0; i < m; ++i) {
            double* row = &a[(k + 1 + i) * n + k + 1];
            const double vi = v[i], wi = w[i];
            for (std::size_t j = 0; j <= i; ++j)
                row[j] -= vi * w[j] + wi * v[j];
        }
    }
    return t;
}

// Y <- Q^T Y = P_{n-3} ... P_1 P_0 Y for the n rows of Y (each `width`
// long, row-major), with the reflectors reduceToTridiagonal left in `a`.
void applyTransposedReflectors(const std::vector<double>& a, const Tridiagonal& t, std::size_t n,
                               std::vector<double>& y, std::size_t width)
{
    std::vector<double> u(width);
    for (std::size_t k = 0; k < n; ++k) {
        if (t.beta[k] == 0.0)
            continue;
        const double* v = &a[k * n + k + 1];
        const std::size_t m = n - k - 1;
        std::fill(u.begin(), u.end(), 0.0);
        for (std::size_t i = 0; i < m; ++i) {
            const double* row = &y[(k + 1 + i) * width];
            for (std::size_t c = 0; c < width; ++c)
                u[c] += v[i] * row[c];
        }
        for (std::size_t i = 0; i < m; ++i) {
            double* row = &y[(k + 1 + i) * width];
            const double f = t.beta[k] * v[i];
            for (std::size_t c = 0; c < width; ++c)
                row[c] -= f * u[c];
        }
    }
}

// Implicit QL with Wilkinson's shift on the tridiagonal (d, e): each sweep
// chases the bulge of one shifted QL step up from the first negligible e(m)
// to l by plane rotations. T = Z D Z^T, and the rotations build Z^T Y from
// the rows of `y` (n rows, each `width` long): Y = Q^T gives the transposed
// eigenvectors of A, Y = Q^T psi the overlaps of psi with them. The
// eigenvalues end in d, unordered.
constexpr int kQlIterationsPerValue = 60;

void diagonaliseTridiagonal(std::vector<double>& d, std::vector<double>& e, std::vector<double>& y, std::size_t width)
{
    const std::size_t n = d.size();
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
                double* lower = &y[i * width];
                double* upper = &y[(i + 1) * width];
                for (std::size_t k = 0; k < width; ++k) {
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

// The eigenvalues of `a` (ascending) and Z^T Q^T Y reordered to match, after
// the reduction and the QL iteration.
void diagonalise(std::vector<double>& a, std::size_t n, std::vector<double>& y, std::size_t width,
                 std::vector<double>& values, std::vector<double>& rows)
{
    Tridiagonal t = reduceToTridiagonal(a, n);
    applyTransposedReflectors(a, t, n, y, width);
    diagonaliseTridiagonal(t.diagonal, t.offDiagonal, y, width);
    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t i, std::size_t j) { return t.diagonal[i] < t.diagonal[j]; });
    values.resize(n);
    rows.resize(n * width);
    for (std::size_t m = 0; m < n; ++m) {
        values[m] = t.diagonal[order[m]];
        std::copy_n(&y[order[m] * width], width, &rows[m * width]);
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
    values.clear();
    vectors.clear();
    if (a.size() < n * n)
        return;
    std::vector<double> y(n * n, 0.0), rows;
    for (std::size_t i = 0; i < n; ++i)
        y[i * n + i] = 1.0;
    diagonalise(a, n, y, n, values, rows);
    vectors.resize(n * n);
    for (std::size_t m = 0; m < n; ++m)
        for (std::size_t k = 0; k < n; ++k)
            vectors[k * n + m] = rows[m * n + k];
}

std::vector<double> paintedLineHamiltonian(const PaintedLine& line, double mass, double hbar)
{
    const std::size_t n = line.values.size();
    if (n == 0 || !isFinitePositive(line.spacing) || !isFinitePositive(mass) || !isFinitePositive(hbar))
        return {};
    // H = T + V on the span: T_ij = (hbar^2 / 2m) (1/n) sum_q k_q^2 cos(k_q (i - j) d),
    // the Fourier kinetic energy of the step, periodic over the span.
    const double d = line.spacing;
    // k_q r d = 2 pi q r / n: the cosines repeat with q r mod n, so n of
    // them serve all n^2 terms.
    std::vector<double> cosines(n);
    for (std::size_t j = 0; j < n; ++j)
        cosines[j] = std::cos(2.0 * kPi * double(j) / double(n));
    std::vector<double> kinetic(n, 0.0);
    for (std::size_t q = 0; q < n; ++q) {
        const double signedQ = q < (n + 1) / 2 ? double(q) : double(q) - double(n);
        const double k = 2.0 * kPi * signedQ / (double(n) * d);
        const double energy = hbar * hbar * k * k / (2.0 * mass);
        for (std::size_t r = 0; r < n; ++r)
            kinetic[r] += energy * cosines[(q * r) % n] / double(n);
    }
    std::vector<double> h(n * n);
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = 0; j < n; ++j)
            h[i * n + j] = kinetic[i > j ? i - j : j - i] + (i == j ? line.values[i] : 0.0);
    return h;
}

PacketLevels packetLevels(const PaintedLine& line, const LinePacket& packet, double mass, double hbar)
{
    PacketLevels result;
    const std::size_t n = line.values.size();
    if (n < 3 || !isFinitePositive(packet.sigma))
        return result;
    std::vector<double> h = paintedLineHamiltonian(line, mass, hbar);
    if (h.empty())
        return result;
    // The packet's real and imaginary parts as the two columns of Y: the
    // reflectors and rotations that diagonalise H carry it into the
    // eigenbasis at O(n^2), where the eigenvectors themselves would cost
    // several times the reduction.
    std::vector<double> y(2 * n);
    for (std::size_t k = 0; k < n; ++k) {
        const double x = line.firstCentre + double(k) * line.spacing;
        const double u = x - packet.centre;
        const std::complex<double> psi =
            std::polar(std::exp(-u * u / (4.0 * packet.sigma * packet.sigma)), packet.wavenumber * x);
        y[2 * k] = psi.real();
        y[2 * k + 1] = psi.imag();
    }
    std::vector<double> overlaps;
    diagonalise(h, n, y, 2, result.energies, overlaps);
    result.weights.resize(n);
    double total = 0.0;
    for (std::size_t m = 0; m < n; ++m) {
        result.weights[m] = overlaps[2 * m] * overlaps[2 * m] + overlaps[2 * m + 1] * overlaps[2 * m + 1];
        total += result.weights[m];
    }
    if (!(total > 0.0))
        return PacketLevels{};
    for (double& w : result.weights)
        w /= total;
    return result;
}

double paintedWellRevivalTime(const PaintedLine& line, const LinePacket& packet, double mass, double hbar, double guess)
{
    if (!isFinitePositive(guess))
        return 0.0;
    const PacketLevels spectrum = packetLevels(line, packet, mass, hbar);
    // Levels the packet does not reach (their weights sum to less than
    // kNegligibleWeight times the count, below the rounding of a recurrence
    // of order one) are left out of the sums.
    std::vector<double> levels, weights;
    for (std::size_t m = 0; m < spectrum.weights.size(); ++m)
        if (spectrum.weights[m] > kNegligibleWeight) {
            levels.push_back(spectrum.energies[m]);
            weights.push_back(spectrum.weights[m]);
        }
    const std::size_t n = levels.size();
    if (n == 0)
        return 0.0;

    const double first = (1.0 - kWindow) * guess, last = (1.0 + kWindow) * guess;
    const double step = (last - first) / kSearchPoints;
    // Along the evenly spaced scan each level's phase turns by the same
    // factor from one time to the next: one complex product per level and
    // time instead of a sine and a cosine (the drift over the scan stays
    // near 1e-12, far below what separates its points).
    std::vector<double> termRe(n), termIm(n), turnRe(n), turnIm(n);
    for (std::size_t m = 0; m < n; ++m) {
        const std::complex<double> term = std::polar(weights[m], -levels[m] * first / hbar);
        const std::complex<double> turn = std::polar(1.0, -levels[m] * step / hbar);
        termRe[m] = term.real();
        termIm[m] = term.imag();
        turnRe[m] = turn.real();
        turnIm[m] = turn.imag();
    }
    double best = first, bestValue = -1.0;
    for (int i = 0; i <= kSearchPoints; ++i) {
        double re = 0.0, im = 0.0;
        for (std::size_t m = 0; m < n; ++m) {
            const double x = termRe[m], y = termIm[m];
            re += x;
            im += y;
            termRe[m] = x * turnRe[m] - y * turnIm[m];
            termIm[m] = x * turnIm[m] + y * turnRe[m];
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

double PaintedWellRevivalMemo::revivalTime(const PaintedLine& line, const LinePacket& packet, double mass, double hbar,
                                           double guess)
{
    for (const Entry& entry : kept_)
        if (entry.line.values == line.values && entry.line.spacing == line.spacing &&
            entry.line.firstCentre == line.firstCentre && entry.packet.centre == packet.centre &&
            entry.packet.sigma == packet.sigma && entry.packet.wavenumber == packet.wavenumber && entry.mass == mass &&
            entry.hbar == hbar && entry.guess == guess)
            return entry.time;
    const double time = paintedWellRevivalTime(line, packet, mass, hbar, guess);
    ++computations_;
    if (kept_.size() >= kKept)
        kept_.erase(kept_.begin());
    kept_.push_back({line, packet, mass, hbar, guess, time});
    return time;
}

} // namespace vxo
