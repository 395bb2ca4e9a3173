#include "experiments/FollowedPairBasis.h"

#include "core/Numeric.h"
#include "core/PotentialField2D.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <utility>

namespace vxo {

namespace {

using Vector = BoundStates1D::Vector;
using Matrix = std::vector<std::vector<double>>;

// A vector whose part outside the ones before it is below this share of its
// norm adds nothing the span does not hold (two pairs of nearly one row).
constexpr double kIndependentShare = 1e-6;

bool sameValue(double a, double b) { return std::fabs(a - b) <= 1e-12 * std::max(1.0, std::fabs(a)); }

// Eigenvalues (descending) and the matching eigenvectors (columns) of a
// small symmetric matrix, by cyclic Jacobi rotations.
void symmetricEigen(Matrix a, std::vector<double>& values, Matrix& vectors)
{
    const std::size_t k = a.size();
    vectors.assign(k, std::vector<double>(k, 0.0));
    for (std::size_t i = 0; i < k; ++i)
        vectors[i][i] = 1.0;
    for (int sweep = 0; sweep < 64; ++sweep) {
        double off = 0.0, scale = 0.0;
        for (std::size_t p = 0; p < k; ++p)
            for (std::size_t q = 0; q < k; ++q)
                (p == q ? scale : off) += a[p][q] * a[p][q];
        if (!(off > 1e-30 * scale))
            break;
        for (std::size_t p = 0; p + 1 < k; ++p) {
            for (std::size_t q = p + 1; q < k; ++q) {
                if (a[p][q] == 0.0)
                    continue;
                // The rotation that zeroes a[p][q].
                const double theta = 0.5 * std::atan2(2.0 * a[p][q], a[q][q] - a[p][p]);
                const double c = std::cos(theta);
                const double s = std::sin(theta);
                for (std::size_t r = 0; r < k; ++r) {
                    const double rp = a[r][p], rq = a[r][q];
                    a[r][p] = c * rp - s * rq;
                    a[r][q] = s * rp + c * rq;
                }
                for (std::size_t r = 0; r < k; ++r) {
                    const double pr = a[p][r], qr = a[q][r];
                    a[p][r] = c * pr - s * qr;
                    a[q][r] = s * pr + c * qr;
                }
                for (std::size_t r = 0; r < k; ++r) {
                    const double rp = vectors[r][p], rq = vectors[r][q];
                    vectors[r][p] = c * rp - s * rq;
                    vectors[r][q] = s * rp + c * rq;
                }
            }
        }
    }
    std::vector<std::size_t> order(k);
    for (std::size_t i = 0; i < k; ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(), [&a](std::size_t x, std::size_t y) { return a[x][x] > a[y][y]; });
    values.resize(k);
    Matrix sorted(k, std::vector<double>(k));
    for (std::size_t c = 0; c < k; ++c) {
        values[c] = a[order[c]][order[c]];
        for (std::size_t r = 0; r < k; ++r)
            sorted[r][c] = vectors[r][order[c]];
    }
    vectors = std::move(sorted);
}

double norm(const Vector& v, double dx)
{
    double sum = 0.0;
    for (const auto& value : v)
        sum += std::norm(value);
    return std::sqrt(dx * sum);
}

} // namespace

void FollowedPairBasis::clear()
{
    pairs_.clear();
    basis_.clear();
}

void FollowedPairBasis::add(const BoundStateResult& pair)
{
    if (!pair.ok || pair.states.size() < 2 || pair.states[0].phi.size() != pair.states[1].phi.size() ||
        pair.states[0].phi.empty())
        return;
    const std::size_t n = pair.states[0].phi.size();
    if (!pairs_.empty() && (pairs_.front().front().size() != n || pair.dx != dx_ || !sameValue(pair.mass, mass_) ||
                            !sameValue(pair.hbar, hbar_)))
        clear();
    dx_ = pair.dx;
    mass_ = pair.mass;
    hbar_ = pair.hbar;
    std::vector<Vector> states;
    for (std::size_t s = 0; s < 2; ++s)
        states.emplace_back(pair.states[s].phi.begin(), pair.states[s].phi.end());
    pairs_.push_back(std::move(states));
    if (pairs_.size() > kPairsKept)
        pairs_.erase(pairs_.begin());

    // The newest pair first, so that the span always holds it whole.
    basis_.clear();
    for (auto p = pairs_.rbegin(); p != pairs_.rend(); ++p) {
        for (const Vector& state : *p) {
            Vector v = state;
            const double before = norm(v, dx_);
            // Two passes of Gram-Schmidt: the second removes what rounding
            // left of the first.
            for (int pass = 0; pass < 2; ++pass) {
                for (const Vector& u : basis_) {
                    std::complex<double> overlap(0.0, 0.0);
                    for (std::size_t i = 0; i < n; ++i)
                        overlap += std::conj(u[i]) * v[i];
                    overlap *= dx_;
                    for (std::size_t i = 0; i < n; ++i)
                        v[i] -= overlap * u[i];
                }
            }
            if (norm(v, dx_) > kIndependentShare * before && BoundStates1D::normalize(v, dx_))
                basis_.push_back(std::move(v));
        }
    }
}

FollowedPairBasis::RitzPair FollowedPairBasis::ritzPair(const PotentialField2D& grid,
                                                        const BoundStateSettings& settings) const
{
    RitzPair ritz;
    const std::size_t n = basis_.empty() ? 0 : basis_.front().size();
    if (basis_.size() < 2 || grid.empty() || grid.nx() != n || static_cast<double>(grid.dx()) != dx_ ||
        !sameValue(settings.mass, mass_) || !sameValue(settings.hbar, hbar_) ||
        !isFinitePositive(settings.imaginaryTimeStep))
        return ritz;

    const double dx = dx_;
    BoundStates1D::RowOperators row;
    if (!BoundStates1D::readRow(grid, settings, row))
        return ritz;
    const std::vector<double>& kineticPropagator = row.kineticPropagator;
    const std::vector<double>& potentialPropagator = row.potentialPropagator;

    // <a|S|b> = dx <P_V a| F^-1 P_K F |P_V b> = (dx / n) sum_k P_K conj(F P_V a) (F P_V b).
    const std::size_t k = basis_.size();
    std::vector<Vector> transformed(k);
    for (std::size_t b = 0; b < k; ++b) {
        transformed[b].resize(n);
        for (std::size_t i = 0; i < n; ++i)
            transformed[b][i] = basis_[b][i] * potentialPropagator[i];
        BoundStates1D::fft(transformed[b], false);
    }
    Matrix s(k, std::vector<double>(k, 0.0));
    for (std::size_t a = 0; a < k; ++a) {
        for (std::size_t b = a; b < k; ++b) {
            double sum = 0.0;
            for (std::size_t i = 0; i < n; ++i)
                sum += kineticPropagator[i] * (std::conj(transformed[a][i]) * transformed[b][i]).real();
            s[a][b] = s[b][a] = sum * dx / static_cast<double>(n);
        }
    }
    std::vector<double> mu;
    Matrix coefficients;
    symmetricEigen(s, mu, coefficients);

    BoundStateResult& pair = ritz.pair;
    pair.dx = dx;
    pair.mass = settings.mass;
    pair.hbar = settings.hbar;
    pair.x = row.x;
    pair.potential = row.potential;
    pair.continuumThreshold = BoundStates1D::continuumThreshold(row.potential);
    pair.fingerprint = potentialGridFingerprint(grid);
    double residual = 0.0;
    for (std::size_t state = 0; state < 2; ++state) {
        Vector y(n, {0.0, 0.0});
        for (std::size_t b = 0; b < k; ++b)
            for (std::size_t i = 0; i < n; ++i)
                y[i] += coefficients[b][state] * basis_[b][i];
        if (!BoundStates1D::normalize(y, dx))
            return RitzPair{};
        Vector r = y;
        BoundStates1D::relaxationStep(r, potentialPropagator, kineticPropagator);
        for (std::size_t i = 0; i < n; ++i)
            r[i] -= mu[state] * y[i];
        residual = std::max(residual, norm(r, dx));
        const double energy = BoundStates1D::applyHamiltonian(y, row.potential, row.kinetic, dx);
        if (!std::isfinite(energy) || energy >= pair.continuumThreshold - row.continuumMargin())
            return RitzPair{};
        pair.states.push_back(BoundStates1D::storedState(std::move(y), energy, static_cast<int>(state) + 1));
    }
    pair.ok = true;
    pair.message = "Bound states computed.";
    // mu_1 - lambda_2 with lambda_2 <= mu_1^2 / mu_0.
    const double gap = mu[1] * (1.0 - mu[1] / mu[0]);
    if (gap > 0.0 && std::isfinite(residual))
        ritz.offPair = residual / gap;
    return ritz;
}

} // namespace vxo
