#include "core/ProbabilityCurrent2D.h"

#include "core/CovariantObservables2D.h"
#include "core/Numeric.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <complex>
#include <stdexcept>

#if defined(__x86_64__)
#include <emmintrin.h>
#endif

namespace vxo {

namespace {
using Complex64 = std::complex<double>;

void requireMassAndHbar(float hbar, float mass)
{
    if (!isFinitePositive(hbar))
        throw std::invalid_argument("ProbabilityCurrent2D: hbar must be finite and positive");
    if (!isFinitePositive(mass))
        throw std::invalid_argument("ProbabilityCurrent2D: mass must be finite and positive");
}

// Zero at every cell the interior pass does not write: the border rows and
// columns, or the whole grid when there is no interior.
void zeroBorder(std::vector<float>& component, std::uint64_t nx, std::uint64_t ny)
{
    if (nx < 3 || ny < 3) {
        std::fill(component.begin(), component.end(), 0.0f);
        return;
    }
    std::fill(component.begin(), component.begin() + static_cast<std::ptrdiff_t>(nx), 0.0f);
    std::fill(component.end() - static_cast<std::ptrdiff_t>(nx), component.end(), 0.0f);
    for (std::uint64_t j = 1; j + 1 < ny; ++j) {
        component[j * nx] = 0.0f;
        component[j * nx + nx - 1] = 0.0f;
    }
}

// Central-difference current over the interior. differenceX(c) and
// differenceY(c) give psi(next) - psi(previous) around the cell of index c
// along x and y, carrying the link factors of the hops where there are any.
template <typename DifferenceX, typename DifferenceY>
void fillCurrent(ProbabilityCurrent2D& current, const ComplexField2D& psi, float hbar, float mass,
                 DifferenceX differenceX, DifferenceY differenceY)
{
    if (current.nx < 3 || current.ny < 3)
        return;
    const double a = 1.0 / (2.0 * static_cast<double>(psi.dx()));
    const double b = 1.0 / (2.0 * static_cast<double>(psi.dy()));
    const double k = static_cast<double>(hbar) / static_cast<double>(mass);
    const double dA = static_cast<double>(psi.dy()) * static_cast<double>(psi.dx());
    const Complex* values = psi.data();
    float* jxOut = current.jx.data();
    float* jyOut = current.jy.data();
    // The largest |J| is the rounded root of the largest |J|^2: rounding and
    // the root never reverse an order, so one root serves the whole grid.
    double maxSquared = 0.0;
    double integralJx = 0.0;
    double integralJy = 0.0;
    for (std::uint64_t j = 1; j + 1 < current.ny; ++j) {
        for (std::uint64_t c = j * current.nx + 1; c + 1 < (j + 1) * current.nx; ++c) {
            const Complex64 centre = widen(values[c]);
            const double jx = ProbabilityCurrent2D::component(centre, differenceX(c) * a, k);
            const double jy = ProbabilityCurrent2D::component(centre, differenceY(c) * b, k);
            jxOut[c] = static_cast<float>(jx);
            jyOut[c] = static_cast<float>(jy);
            const double squared = jx * jx + jy * jy;
            if (squared > maxSquared)
                maxSquared = squared;
            integralJx += jx * dA;
            integralJy += jy * dA;
        }
    }
    current.maxMagnitude = static_cast<float>(std::sqrt(maxSquared));
    current.integralJx = integralJx;
    current.integralJy = integralJy;
}

#if defined(__x86_64__)
// fillCurrent without links on 128-bit vectors of the pairs (re, im), (x, y):
// element for element the same products, sums and order of the integrals.
inline __m128d widenedCell(const Complex* p)
{
    return _mm_cvtps_pd(_mm_castsi128_ps(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p))));
}

void fillPlainCurrentSse2(ProbabilityCurrent2D& current, const ComplexField2D& psi, float hbar, float mass)
{
    if (current.nx < 3 || current.ny < 3)
        return;
    const __m128d a = _mm_set1_pd(1.0 / (2.0 * static_cast<double>(psi.dx())));
    const __m128d b = _mm_set1_pd(1.0 / (2.0 * static_cast<double>(psi.dy())));
    const __m128d k = _mm_set1_pd(static_cast<double>(hbar) / static_cast<double>(mass));
    const __m128d dA = _mm_set1_pd(static_cast<double>(psi.dy()) * static_cast<double>(psi.dx()));
    const std::uint64_t nx = current.nx;
    const Complex* values = psi.data();
    float* jxOut = current.jx.data();
    float* jyOut = current.jy.data();
    __m128d maxSquared = _mm_setzero_pd(); // in the low half
    __m128d integrals = _mm_setzero_pd();  // (x, y)
    for (std::uint64_t j = 1; j + 1 < current.ny; ++j) {
        for (std::uint64_t c = j * nx + 1; c + 1 < (j + 1) * nx; ++c) {
            const __m128d centre = widenedCell(values + c);
            const __m128d dX = _mm_mul_pd(_mm_sub_pd(widenedCell(values + c + 1), widenedCell(values + c - 1)), a);
            const __m128d dY = _mm_mul_pd(_mm_sub_pd(widenedCell(values + c + nx), widenedCell(values + c - nx)), b);
            // (re Im dX - im Re dX, re Im dY - im Re dY) k
            const __m128d re = _mm_unpacklo_pd(centre, centre);
            const __m128d im = _mm_unpackhi_pd(centre, centre);
            const __m128d jxy = _mm_mul_pd(
                _mm_sub_pd(_mm_mul_pd(re, _mm_unpackhi_pd(dX, dY)), _mm_mul_pd(im, _mm_unpacklo_pd(dX, dY))), k);
            const __m128 rounded = _mm_cvtpd_ps(jxy);
            _mm_store_ss(jxOut + c, rounded);
            _mm_store_ss(jyOut + c, _mm_shuffle_ps(rounded, rounded, _MM_SHUFFLE(1, 1, 1, 1)));
            const __m128d squares = _mm_mul_pd(jxy, jxy);
            const __m128d squared = _mm_add_sd(squares, _mm_unpackhi_pd(squares, squares));
            // squared where it is greater, so a NaN never counts.
            maxSquared = _mm_max_sd(squared, maxSquared);
            integrals = _mm_add_pd(integrals, _mm_mul_pd(jxy, dA));
        }
    }
    current.maxMagnitude = static_cast<float>(std::sqrt(_mm_cvtsd_f64(maxSquared)));
    current.integralJx = _mm_cvtsd_f64(integrals);
    current.integralJy = _mm_cvtsd_f64(_mm_unpackhi_pd(integrals, integrals));
}
#endif
} // namespace

ProbabilityCurrent2D ProbabilityCurrent2D::compute(const ComplexField2D& psi, float hbar, float mass)
{
    ProbabilityCurrent2D current;
    computeInto(psi, hbar, mass, current);
    return current;
}

ProbabilityCurrent2D ProbabilityCurrent2D::computeWithGauge(const ComplexField2D& psi, const GaugeLinkField2D& links,
                                                            float hbar, float mass)
{
    ProbabilityCurrent2D current;
    computeWithGaugeInto(psi, links, hbar, mass, current);
    return current;
}

void ProbabilityCurrent2D::computeInto(const ComplexField2D& psi, float hbar, float mass, ProbabilityCurrent2D& current)
{
    if (psi.empty()) {
        current = {};
        return;
    }
    requireMassAndHbar(hbar, mass);
    current.zeroFor(psi);
#if defined(__x86_64__)
    fillPlainCurrentSse2(current, psi, hbar, mass);
#else
    const Complex* p = psi.data();
    const std::uint64_t nx = psi.nx();
    fillCurrent(
        current, psi, hbar, mass, [&](std::uint64_t c) { return widen(p[c + 1]) - widen(p[c - 1]); },
        [&](std::uint64_t c) { return widen(p[c + nx]) - widen(p[c - nx]); });
#endif
}

void ProbabilityCurrent2D::computeWithGaugeInto(const ComplexField2D& psi, const GaugeLinkField2D& links, float hbar,
                                                float mass, ProbabilityCurrent2D& current)
{
    if (psi.empty()) {
        current = {};
        return;
    }
    requireMassAndHbar(hbar, mass);
    if (!links.matches(psi))
        throw std::invalid_argument("ProbabilityCurrent2D: gauge field does not match wavefunction grid");
    current.zeroFor(psi);
    // The hop out of a cell towards higher indices carries the link, the hop
    // in from the lower neighbour its conjugate.
    const CovariantObservables2D::Sums sums =
        CovariantObservables2D::pass(psi, nullptr, links, static_cast<double>(hbar), static_cast<double>(mass), false,
                                     current.jx.data(), current.jy.data());
    current.maxMagnitude = static_cast<float>(std::sqrt(sums.maxSquared));
    current.integralJx = sums.integralJx;
    current.integralJy = sums.integralJy;
}

void ProbabilityCurrent2D::zeroFor(const ComplexField2D& psi)
{
    nx = psi.nx();
    ny = psi.ny();
    dx = psi.dx();
    dy = psi.dy();
    jx.resize(psi.size());
    jy.resize(psi.size());
    zeroBorder(jx, nx, ny);
    zeroBorder(jy, nx, ny);
    maxMagnitude = 0.0f;
    integralJx = 0.0;
    integralJy = 0.0;
}

bool ProbabilityCurrent2D::isEmpty() const
{
    return nx == 0 || ny == 0 || jx.size() != nx * ny || jy.size() != nx * ny;
}

bool ProbabilityCurrent2D::sample(float x, float y, float& jxOut, float& jyOut) const
{
    jxOut = 0.0f;
    jyOut = 0.0f;
    if (isEmpty() || !isFinitePositive(dx) || !isFinitePositive(dy) || nx < 2 || ny < 2)
        return false;
    const double lastX = static_cast<double>(nx - 1);
    const double lastY = static_cast<double>(ny - 1);
    const double fx = static_cast<double>(x) / static_cast<double>(dx) + centreOffset(nx);
    const double fy = static_cast<double>(y) / static_cast<double>(dy) + centreOffset(ny);
    // Written so that a NaN index fails as well.
    if (!(fx >= 0.0 && fx <= lastX && fy >= 0.0 && fy <= lastY))
        return false;
    const auto i0 = static_cast<std::uint64_t>(std::floor(fx));
    const auto j0 = static_cast<std::uint64_t>(std::floor(fy));
    const std::uint64_t i1 = std::min(nx - 1, i0 + 1);
    const std::uint64_t j1 = std::min(ny - 1, j0 + 1);
    const double tx = fx - static_cast<double>(i0);
    const double ty = fy - static_cast<double>(j0);
    const auto bilinear = [&](const std::vector<float>& v) {
        const double v00 = v[j0 * nx + i0];
        const double v10 = v[j0 * nx + i1];
        const double v01 = v[j1 * nx + i0];
        const double v11 = v[j1 * nx + i1];
        return (1.0 - ty) * ((1.0 - tx) * v00 + tx * v10) + ty * ((1.0 - tx) * v01 + tx * v11);
    };
    jxOut = static_cast<float>(bilinear(jx));
    jyOut = static_cast<float>(bilinear(jy));
    return std::isfinite(jxOut) && std::isfinite(jyOut);
}

} // namespace vxo
