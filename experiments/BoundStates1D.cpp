#include "experiments/BoundStates1D.h"

#include "core/ComplexField2D.h"
#include "core/FourierGrid.h"
#include "core/Numeric.h"
#include "core/PotentialField2D.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <numeric>
#include <stdexcept>

namespace vxo {

namespace {

// a * b as the library computes it for finite operands.
std::complex<double> multiplied(const std::complex<double>& a, const std::complex<double>& b)
{
    return {a.real() * b.real() - a.imag() * b.imag(), a.real() * b.imag() + a.imag() * b.real()};
}

constexpr int kMaxStatesLimit = 16;
constexpr int kMinIterations = 50;
constexpr int kMinColumns = 16;
// Energy is evaluated every kEnergyInterval steps; convergence needs
// kConvergedHits agreeing evaluations after at least kMinConvergedIteration steps.
constexpr int kEnergyInterval = 10;
constexpr int kConvergedHits = 4;
constexpr int kMinConvergedIteration = 120;
// Samples below this fraction of the peak do not take part in node counting.
constexpr double kNodeThreshold = 0.015;

const char* const kMessageTooSmall = "Potential grid is empty or too small.";
const char* const kMessageRadix2 = "Bound-state analysis requires a radix-2 X grid.";
const char* const kMessageParameters = "Invalid bound-state solver parameters.";
const char* const kMessageNotInvariant =
    "Potential is not invariant in Y. Use a well extended across Y for this 1D bound-state analysis.";
const char* const kMessageNonFinite = "Potential contains non-finite values.";
const char* const kMessageComputed = "Bound states computed.";
const char* const kMessageNoneFound = "No bound eigenstate was found below the edge continuum threshold.";

std::complex<double> innerProduct(const BoundStates1D::Vector& a, const BoundStates1D::Vector& b, double dx)
{
    const std::complex<double> sum = std::inner_product(
        a.begin(), a.end(), b.begin(), std::complex<double>(0.0, 0.0), std::plus<>(),
        [](const std::complex<double>& u, const std::complex<double>& v) { return std::conj(u) * v; });
    return sum * dx;
}

bool validSettings(const BoundStateSettings& s)
{
    return isFinitePositive(s.mass) && isFinitePositive(s.hbar) && isFinitePositive(s.imaginaryTimeStep) &&
           s.maxIterations >= kMinIterations && s.maxStates >= 1 && s.maxStates <= kMaxStatesLimit &&
           isFinitePositive(s.energyTolerance);
}

bool invariantAlongY(const PotentialField2D& grid, double tolerance)
{
    const std::uint64_t nx = grid.nx();
    const std::uint64_t ny = grid.ny();
    const std::uint64_t middle = ny / 2;
    double scale = 1.0;
    for (std::uint64_t i = 0; i < nx; ++i)
        scale = std::max(scale, std::fabs(static_cast<double>(grid.valueAt(i, middle))));
    const double limit = scale * tolerance;
    for (std::uint64_t j = 0; j < ny; ++j) {
        for (std::uint64_t i = 0; i < nx; ++i) {
            const double difference =
                static_cast<double>(grid.valueAt(i, j)) - static_cast<double>(grid.valueAt(i, middle));
            if (std::fabs(difference) > limit)
                return false;
        }
    }
    return true;
}

// Fixed start vector of the search for seed s: a low cosine mode plus xorshift
// noise, damped where the potential is high so the relaxation starts inside the well.
BoundStates1D::Vector initialVector(int seed, const std::vector<double>& potential, double vMin)
{
    const std::size_t nx = potential.size();
    double maxRise = 0.0;
    for (double v : potential)
        maxRise = std::max(maxRise, v - vMin);
    const double w = std::max(0.25 * maxRise, 1.0);

    std::uint32_t state = (static_cast<std::uint32_t>(seed + 1) * 0x85ebca6bu) ^ 0x9e3779b9u;
    BoundStates1D::Vector phi(nx);
    for (std::size_t i = 0; i < nx; ++i) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        const double u = static_cast<double>(state & 0xffffffu) / 16777216.0;
        const double mode = std::cos(2.0 * kPi * (seed + 1) * static_cast<double>(i) / static_cast<double>(nx));
        const double envelope = std::exp(-0.35 * (potential[i] - vMin) / w);
        phi[i] = std::complex<double>((0.25 * mode + 0.75 * (2.0 * u - 1.0)) * envelope, 0.0);
    }
    return phi;
}

int countNodes(const std::vector<float>& phi)
{
    double peak = 0.0;
    for (float v : phi)
        peak = std::max(peak, std::fabs(static_cast<double>(v)));
    if (!(peak > 0.0))
        return 0;
    int nodes = 0;
    int previous = 0;
    for (float v : phi) {
        if (std::fabs(static_cast<double>(v)) < kNodeThreshold * peak)
            continue;
        const int sign = v >= 0.0f ? 1 : -1;
        if (previous != 0 && sign != previous)
            ++nodes;
        previous = sign;
    }
    return nodes;
}

// Rotates phi so that its largest-magnitude sample (the first one on ties) is real and positive.
void orient(BoundStates1D::Vector& phi)
{
    std::size_t peakIndex = 0;
    double peak = -1.0;
    for (std::size_t i = 0; i < phi.size(); ++i) {
        const double magnitude = std::abs(phi[i]);
        if (magnitude > peak) {
            peak = magnitude;
            peakIndex = i;
        }
    }
    if (peak > 0.0) {
        const std::complex<double> rotation = std::polar(1.0, -std::arg(phi[peakIndex]));
        for (auto& v : phi)
            v *= rotation;
    }
}

// psi(i, j) = sum_k weights_k phi_k(i) / sqrt(ny dy) on every row, then normalised.
bool spreadOverRows(ComplexField2D& psi, const std::vector<const std::vector<float>*>& functions,
                    const std::vector<std::complex<double>>& weights)
{
    const double rowScale = 1.0 / std::sqrt(static_cast<double>(psi.ny()) * static_cast<double>(psi.dy()));
    const std::uint64_t nx = psi.nx();
    std::vector<Complex> row(nx);
    for (std::uint64_t i = 0; i < nx; ++i) {
        std::complex<double> value(0.0, 0.0);
        for (std::size_t k = 0; k < functions.size(); ++k)
            value += weights[k] * static_cast<double>((*functions[k])[i]);
        value *= rowScale;
        row[i] = Complex(static_cast<float>(value.real()), static_cast<float>(value.imag()));
    }
    for (std::uint64_t j = 0; j < psi.ny(); ++j)
        std::copy(row.begin(), row.end(), psi.data() + j * nx);
    return psi.normalize();
}

bool fieldFitsResult(const ComplexField2D& psi, const BoundStateResult& result)
{
    return !psi.empty() && psi.nx() == result.x.size() &&
           static_cast<double>(psi.ny()) * static_cast<double>(psi.dy()) > 0.0;
}

} // namespace

void BoundStates1D::fft(Vector& data, bool inverse)
{
    const std::size_t n = data.size();
    if (!isPowerOfTwo(n))
        throw std::invalid_argument("BoundStates1D: X grid must be a power of two");

    // Relaxation runs thousands of transforms of one length per state: the
    // swaps of the bit reversal and every stage's twiddles are found once per
    // length (per thread) and read from then on. The twiddles of a stage come
    // by the same recurrence as always and the products are written out: the
    // same roundings (a product of finite values), without the library's
    // not-a-number recovery on every butterfly.
    struct Plan {
        std::size_t length = 0;
        std::vector<std::size_t> swaps;                // pairs of indices
        std::vector<std::complex<double>> twiddles[2]; // forward, inverse; stage after stage
    };
    thread_local Plan plan;
    if (plan.length != n) {
        plan.length = n;
        plan.swaps.clear();
        for (std::size_t i = 1, j = 0; i < n; ++i) {
            std::size_t bit = n >> 1;
            for (; j & bit; bit >>= 1)
                j ^= bit;
            j ^= bit;
            if (i < j) {
                plan.swaps.push_back(i);
                plan.swaps.push_back(j);
            }
        }
        for (const bool backward : {false, true}) {
            std::vector<std::complex<double>>& twiddles = plan.twiddles[backward];
            twiddles.clear();
            for (std::size_t length = 2; length <= n; length <<= 1) {
                const double angle = (backward ? 2.0 : -2.0) * kPi / static_cast<double>(length);
                const std::complex<double> step(std::cos(angle), std::sin(angle));
                std::complex<double> twiddle(1.0, 0.0);
                for (std::size_t k = 0; k < length / 2; ++k) {
                    twiddles.push_back(twiddle);
                    twiddle = multiplied(twiddle, step);
                }
            }
        }
    }

    std::complex<double>* x = data.data();
    for (std::size_t s = 0; s < plan.swaps.size(); s += 2)
        std::swap(x[plan.swaps[s]], x[plan.swaps[s + 1]]);
    const std::complex<double>* twiddles = plan.twiddles[inverse].data();
    for (std::size_t length = 2; length <= n; length <<= 1) {
        const std::size_t half = length / 2;
        for (std::size_t start = 0; start < n; start += length) {
            for (std::size_t k = 0; k < half; ++k) {
                const std::complex<double> even = x[start + k];
                const std::complex<double> odd = multiplied(x[start + k + half], twiddles[k]);
                x[start + k] = even + odd;
                x[start + k + half] = even - odd;
            }
        }
        twiddles += half;
    }
    if (inverse) {
        const double scale = 1.0 / static_cast<double>(n);
        for (std::size_t i = 0; i < n; ++i)
            x[i] *= scale;
    }
}

double BoundStates1D::applyHamiltonian(const Vector& phi, const std::vector<double>& potential,
                                       const std::vector<double>& kinetic, double dx)
{
    Vector kineticPhi = phi;
    fft(kineticPhi, false);
    std::transform(kineticPhi.begin(), kineticPhi.end(), kinetic.begin(), kineticPhi.begin(),
                   [](const std::complex<double>& value, double energy) { return value * energy; });
    fft(kineticPhi, true);
    double sum = 0.0;
    for (std::size_t i = 0; i < phi.size(); ++i)
        sum += (std::conj(phi[i]) * (kineticPhi[i] + potential[i] * phi[i])).real();
    return dx * sum;
}

void BoundStates1D::relaxationStep(Vector& phi, const std::vector<double>& potentialPropagator,
                                   const std::vector<double>& kineticPropagator)
{
    for (std::size_t i = 0; i < phi.size(); ++i)
        phi[i] *= potentialPropagator[i];
    fft(phi, false);
    for (std::size_t i = 0; i < phi.size(); ++i)
        phi[i] *= kineticPropagator[i];
    fft(phi, true);
    for (std::size_t i = 0; i < phi.size(); ++i)
        phi[i] *= potentialPropagator[i];
}

void BoundStates1D::alignPair(std::vector<Vector>& starts, const std::vector<double>& potentialPropagator,
                              const std::vector<double>& kineticPropagator, double dx)
{
    if (starts.size() < 2 || !normalize(starts[0], dx) || !orthogonalize(starts[1], {starts[0]}, dx))
        return;
    // One relaxation step T = P_V F^-1 P_K F P_V, the operator whose two
    // dominant eigenvectors the relaxation converges to (symmetric, so its
    // restriction to the span is too).
    const auto relaxed = [&](Vector phi) {
        relaxationStep(phi, potentialPropagator, kineticPropagator);
        return phi;
    };
    const Vector t0 = relaxed(starts[0]);
    const Vector t1 = relaxed(starts[1]);
    const double t00 = innerProduct(starts[0], t0, dx).real();
    const double t11 = innerProduct(starts[1], t1, dx).real();
    const double t01 = 0.5 * (innerProduct(starts[0], t1, dx).real() + innerProduct(starts[1], t0, dx).real());
    // The dominant eigenvector of [[t00, t01], [t01, t11]] (the lower level)
    // is (cos a, sin a) with tan 2a = 2 t01 / (t00 - t11), a taken towards
    // the larger eigenvalue.
    const double a = 0.5 * std::atan2(2.0 * t01, t00 - t11);
    const double c = std::cos(a);
    const double sn = std::sin(a);
    Vector lower(starts[0].size()), upper(starts[0].size());
    for (std::size_t i = 0; i < lower.size(); ++i) {
        lower[i] = c * starts[0][i] + sn * starts[1][i];
        upper[i] = -sn * starts[0][i] + c * starts[1][i];
    }
    starts[0] = std::move(lower);
    starts[1] = std::move(upper);
}

BoundState BoundStates1D::storedState(Vector phi, double energy, int number)
{
    orient(phi);
    BoundState state;
    state.n = number;
    state.energy = energy;
    state.phi.resize(phi.size());
    for (std::size_t i = 0; i < phi.size(); ++i)
        state.phi[i] = static_cast<float>(phi[i].real());
    state.nodes = countNodes(state.phi);
    return state;
}

bool BoundStates1D::normalize(Vector& v, double dx)
{
    double sum = 0.0;
    for (const auto& value : v)
        sum += std::norm(value);
    const double norm = std::sqrt(std::max(dx * sum, 0.0));
    if (!std::isfinite(norm) || !(norm > 1e-30))
        return false;
    for (auto& value : v)
        value /= norm;
    return true;
}

bool BoundStates1D::orthogonalize(Vector& v, const std::vector<Vector>& basis, double dx)
{
    // Two passes: the second removes what rounding left of the first projection.
    for (int pass = 0; pass < 2; ++pass) {
        for (const Vector& u : basis) {
            const std::complex<double> overlap = innerProduct(u, v, dx);
            std::transform(
                v.begin(), v.end(), u.begin(), v.begin(),
                [overlap](const std::complex<double>& a, const std::complex<double>& b) { return a - overlap * b; });
        }
    }
    return normalize(v, dx);
}

double BoundStates1D::continuumThreshold(const std::vector<double>& potential)
{
    const std::size_t n = potential.size();
    if (n == 0)
        return 0.0;
    const std::size_t m = std::min(std::max<std::size_t>(n / 10, 4), n);
    double left = 0.0;
    double right = 0.0;
    for (std::size_t k = 0; k < m; ++k) {
        left += potential[k];
        right += potential[n - m + k];
    }
    return std::min(left / static_cast<double>(m), right / static_cast<double>(m));
}

bool BoundStates1D::readRow(const PotentialField2D& grid, const BoundStateSettings& settings, RowOperators& row)
{
    const std::size_t n = static_cast<std::size_t>(grid.nx());
    const std::uint64_t middle = grid.ny() / 2;
    row.x.resize(n);
    row.potential.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        row.x[i] = grid.xAt(i);
        row.potential[i] = static_cast<double>(grid.valueAt(i, middle));
        if (!std::isfinite(row.potential[i]))
            return false;
    }
    const auto extremes = std::minmax_element(row.potential.begin(), row.potential.end());
    row.vMin = *extremes.first;
    row.vMax = *extremes.second;
    const double dx = static_cast<double>(grid.dx());
    const double hbar = settings.hbar;
    const double dtau = settings.imaginaryTimeStep;
    // Spectral kinetic energy in unshifted FFT order, and the two half-step propagators.
    row.kinetic.resize(n);
    row.kineticPropagator.resize(n);
    row.potentialPropagator.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double k = fftWaveNumber(i, n, dx);
        row.kinetic[i] = hbar * hbar * k * k / (2.0 * settings.mass);
        row.kineticPropagator[i] = std::exp(-row.kinetic[i] * dtau / hbar);
        row.potentialPropagator[i] = std::exp(-(row.potential[i] - row.vMin) * dtau / (2.0 * hbar));
    }
    return true;
}

BoundStateResult BoundStates1D::compute(const PotentialField2D& grid, const BoundStateSettings& settings)
{
    return compute(grid, settings, BoundStateResult{});
}

BoundStateResult BoundStates1D::compute(const PotentialField2D& grid, const BoundStateSettings& settings,
                                        const BoundStateResult& start)
{
    BoundStateResult result;
    result.dx = static_cast<double>(grid.dx());
    result.mass = settings.mass;
    result.hbar = settings.hbar;
    result.fingerprint = potentialGridFingerprint(grid);

    const std::uint64_t nx = grid.nx();
    if (grid.empty() || nx < static_cast<std::uint64_t>(kMinColumns) || grid.ny() == 0) {
        result.message = kMessageTooSmall;
        return result;
    }
    if (!isPowerOfTwo(nx)) {
        result.message = kMessageRadix2;
        return result;
    }
    if (!validSettings(settings)) {
        result.message = kMessageParameters;
        return result;
    }
    if (!isFiniteNonNegative(settings.yTolerance) || !invariantAlongY(grid, settings.yTolerance)) {
        result.message = kMessageNotInvariant;
        return result;
    }

    const std::size_t n = static_cast<std::size_t>(nx);
    RowOperators row;
    if (!readRow(grid, settings, row)) {
        result.message = kMessageNonFinite;
        return result;
    }
    result.x = row.x;
    result.potential = row.potential;
    const std::vector<double>& potential = row.potential;
    const std::vector<double>& kinetic = row.kinetic;
    const std::vector<double>& kineticPropagator = row.kineticPropagator;
    const std::vector<double>& potentialPropagator = row.potentialPropagator;
    const double dx = result.dx;
    result.continuumThreshold = continuumThreshold(potential);
    const double margin = row.continuumMargin();

    std::vector<Vector> starts;
    for (const BoundState& state : start.ok ? start.states : std::vector<BoundState>{}) {
        if (state.phi.size() != n || static_cast<int>(starts.size()) >= settings.maxStates)
            break;
        starts.emplace_back(state.phi.begin(), state.phi.end());
    }
    alignPair(starts, potentialPropagator, kineticPropagator, dx);

    std::vector<Vector> basis;
    for (int seed = 0; static_cast<int>(result.states.size()) < settings.maxStates; ++seed) {
        const std::size_t number = static_cast<std::size_t>(seed);
        // A start aligned with the pair of this well (alignPair) is relaxed
        // only until its energy settles; a fixed start runs the full minimum.
        const bool aligned = number < starts.size() && starts.size() >= 2;
        const int minIterations = aligned ? kConvergedHits * kEnergyInterval : kMinConvergedIteration;
        Vector phi = number < starts.size() ? starts[number] : initialVector(seed, potential, row.vMin);
        if (!orthogonalize(phi, basis, dx))
            break;

        double previousEnergy = std::numeric_limits<double>::infinity();
        int hits = 0;
        for (int iteration = 0; iteration < settings.maxIterations; ++iteration) {
            relaxationStep(phi, potentialPropagator, kineticPropagator);
            if (!orthogonalize(phi, basis, dx))
                break;
            if (iteration % kEnergyInterval != 0)
                continue;
            const double energy = applyHamiltonian(phi, potential, kinetic, dx);
            if (std::isfinite(previousEnergy) &&
                std::fabs(energy - previousEnergy) <= std::max(std::fabs(energy), 1.0) * settings.energyTolerance)
                ++hits;
            else
                hits = 0;
            previousEnergy = energy;
            if (iteration >= minIterations && hits >= kConvergedHits)
                break;
        }
        if (!orthogonalize(phi, basis, dx))
            break;

        const double energy = applyHamiltonian(phi, potential, kinetic, dx);
        if (!std::isfinite(energy) || energy >= result.continuumThreshold - margin)
            break;

        BoundState state = storedState(std::move(phi), energy, static_cast<int>(result.states.size()) + 1);

        // Later states are kept orthogonal to the function as stored, in single precision.
        Vector stored(n);
        for (std::size_t i = 0; i < n; ++i)
            stored[i] = std::complex<double>(static_cast<double>(state.phi[i]), 0.0);
        normalize(stored, dx);
        basis.push_back(std::move(stored));
        result.states.push_back(std::move(state));
    }

    result.ok = !result.states.empty();
    result.message = result.ok ? kMessageComputed : kMessageNoneFound;
    return result;
}

bool BoundStates1D::prepareEigenstate(ComplexField2D& psi, const BoundStateResult& result, int n)
{
    if (!result.ok || n < 0 || n >= static_cast<int>(result.states.size()) || !fieldFitsResult(psi, result))
        return false;
    const std::vector<float>& phi = result.states[static_cast<std::size_t>(n)].phi;
    if (phi.size() != result.x.size())
        return false;
    return spreadOverRows(psi, {&phi}, {std::complex<double>(1.0, 0.0)});
}

bool BoundStates1D::prepareSuperposition(ComplexField2D& psi, const BoundStateResult& result, int a, int b,
                                         double phase)
{
    const int count = static_cast<int>(result.states.size());
    if (!result.ok || a < 0 || b < 0 || a == b || a >= count || b >= count || !std::isfinite(phase) ||
        !fieldFitsResult(psi, result))
        return false;
    const std::vector<float>& phiA = result.states[static_cast<std::size_t>(a)].phi;
    const std::vector<float>& phiB = result.states[static_cast<std::size_t>(b)].phi;
    if (phiA.size() != result.x.size() || phiB.size() != result.x.size())
        return false;
    const double scale = 1.0 / std::sqrt(2.0);
    return spreadOverRows(psi, {&phiA, &phiB}, {std::complex<double>(scale, 0.0), std::polar(scale, phase)});
}

} // namespace vxo
