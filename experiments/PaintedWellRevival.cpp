#include "experiments/PaintedWellRevival.h"

#include "core/Numeric.h"
#include "core/PotentialField2D.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numeric>

namespace vxo {

namespace {

// The recurrence is searched on this many times across its window, then
// refined by golden sections to well below that spacing.
constexpr int kSearchPoints = 4000;
constexpr double kWindow = 0.2;
constexpr int kJacobiSweeps = 60;

double recurrence(const std::vector<double>& levels, const std::vector<double>& weights, double t, double hbar)
{
    std::complex<double> sum = 0.0;
    for (std::size_t n = 0; n < levels.size(); ++n)
        sum += weights[n] * std::polar(1.0, -levels[n] * t / hbar);
    return std::norm(sum);
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
    vectors.assign(n * n, 0.0);
    for (std::size_t i = 0; i < n; ++i)
        vectors[i * n + i] = 1.0;
    for (int sweep = 0; sweep < kJacobiSweeps; ++sweep) {
        double off = 0.0, diagonal = 0.0;
        for (std::size_t p = 0; p < n; ++p) {
            diagonal += a[p * n + p] * a[p * n + p];
            for (std::size_t q = p + 1; q < n; ++q)
                off += a[p * n + q] * a[p * n + q];
        }
        if (off <= 1e-30 * diagonal)
            break;
        for (std::size_t p = 0; p < n; ++p) {
            for (std::size_t q = p + 1; q < n; ++q) {
                const double apq = a[p * n + q];
                if (apq == 0.0)
                    continue;
                // The rotation that zeroes a_pq: t = tan(phi) of the smaller angle.
                const double theta = (a[q * n + q] - a[p * n + p]) / (2.0 * apq);
                const double t = (theta >= 0.0 ? 1.0 : -1.0) / (std::abs(theta) + std::sqrt(theta * theta + 1.0));
                const double c = 1.0 / std::sqrt(t * t + 1.0), s = t * c;
                for (std::size_t k = 0; k < n; ++k) {
                    const double akp = a[k * n + p], akq = a[k * n + q];
                    a[k * n + p] = c * akp - s * akq;
                    a[k * n + q] = s * akp + c * akq;
                }
                for (std::size_t k = 0; k < n; ++k) {
                    const double apk = a[p * n + k], aqk = a[q * n + k];
                    a[p * n + k] = c * apk - s * aqk;
                    a[q * n + k] = s * apk + c * aqk;
                }
                for (std::size_t k = 0; k < n; ++k) {
                    const double vkp = vectors[k * n + p], vkq = vectors[k * n + q];
                    vectors[k * n + p] = c * vkp - s * vkq;
                    vectors[k * n + q] = s * vkp + c * vkq;
                }
            }
        }
    }
    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), [&](std::size_t i, std::size_t j) { return a[i * n + i] < a[j * n + j]; });
    std::vector<double> sorted(n * n);
    values.resize(n);
    for (std::size_t m = 0; m < n; ++m) {
        values[m] = a[order[m] * n + order[m]];
        for (std::size_t k = 0; k < n; ++k)
            sorted[k * n + m] = vectors[k * n + order[m]];
    }
    vectors = std::move(sorted);
}

double paintedWellRevivalTime(const PaintedLine& line, const LinePacket& packet, double mass, double hbar, double guess)
{
    const std::size_t n = line.values.size();
    if (n < 3 || !isFinitePositive(line.spacing) || !isFinitePositive(guess) || !isFinitePositive(mass) ||
        !isFinitePositive(hbar) || !isFinitePositive(packet.sigma))
        return 0.0;
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
    std::vector<double> levels, vectors;
    symmetricEigen(std::move(h), n, levels, vectors);

    std::vector<double> weights(n, 0.0);
    double total = 0.0;
    for (std::size_t m = 0; m < n; ++m) {
        std::complex<double> overlap = 0.0;
        for (std::size_t k = 0; k < n; ++k) {
            const double x = line.firstCentre + double(k) * d;
            const double u = x - packet.centre;
            overlap += vectors[k * n + m] *
                       std::polar(std::exp(-u * u / (4.0 * packet.sigma * packet.sigma)), packet.wavenumber * x);
        }
        weights[m] = std::norm(overlap);
        total += weights[m];
    }
    if (!(total > 0.0))
        return 0.0;
    for (double& w : weights)
        w /= total;

    const double first = (1.0 - kWindow) * guess, last = (1.0 + kWindow) * guess;
    const double step = (last - first) / kSearchPoints;
    double best = first, bestValue = -1.0;
    for (int i = 0; i <= kSearchPoints; ++i) {
        const double t = first + step * i;
        const double value = recurrence(levels, weights, t, hbar);
        if (value > bestValue) {
            bestValue = value;
            best = t;
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
