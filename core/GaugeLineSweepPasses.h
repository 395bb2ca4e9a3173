#pragma once

// The batched line sweeps of GaugeLineSweeps.h, written once over a small set
// of vector operations on double-precision lanes ("Ops") and compiled by one
// translation unit per instruction set. Everything here has internal linkage,
// so that code compiled for a wider instruction set never stands in for
// another unit's copy.
//
// A batch holds kLanes lines side by side, cell k of lane l at p[k * kLanes + l]:
// the lines are copied into such a batch, swept there and copied back; lanes
// without a line (in a last, partial batch) carry zeros and unit links.
//
// The elimination runs one vector of lanes at a time along the whole line, so
// that its values stay in registers; its chain from cell to cell is one
// complex product and a sum,
//   d_k = rhs_k / beta_k + m_k d_{k-1},   m_k = ia conj(U_k) / beta_k,
//   rhs_k = (1 - 2ia) psi_{k+1} + ia (conj(U_k) psi_k + U_{k+1} psi_{k+2})
// (psi_0 = psi_{n+1} = 0, d_{-1} = 0). The back substitution
//   x_{n-1} = d_{n-1},   x_k = d_k - c_k x_{k+1},   c_k = -ia U_{k+1} / beta_k,
// runs every vector of the batch at once, its chains side by side.

#include "core/ComplexField2D.h"
#include "core/GaugeLineSweeps.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace vxo::gaugesweep {
namespace {

template <class Ops>
struct CV {
    typename Ops::V re;
    typename Ops::V im;
};

template <class Ops>
inline CV<Ops> times(const CV<Ops>& x, const CV<Ops>& y)
{
    return {Ops::sub(Ops::mul(x.re, y.re), Ops::mul(x.im, y.im)), Ops::add(Ops::mul(x.re, y.im), Ops::mul(x.im, y.re))};
}

// conj(x) * y
template <class Ops>
inline CV<Ops> conjTimes(const CV<Ops>& x, const CV<Ops>& y)
{
    return {Ops::add(Ops::mul(x.re, y.re), Ops::mul(x.im, y.im)), Ops::sub(Ops::mul(x.re, y.im), Ops::mul(x.im, y.re))};
}

// i a x
template <class Ops>
inline CV<Ops> timesIA(typename Ops::V a, const CV<Ops>& x)
{
    return {Ops::sub(Ops::zero(), Ops::mul(a, x.im)), Ops::mul(a, x.re)};
}

template <class Ops>
inline CV<Ops> plus(const CV<Ops>& x, const CV<Ops>& y)
{
    return {Ops::add(x.re, y.re), Ops::add(x.im, y.im)};
}

template <class Ops>
inline CV<Ops> loadCV(const double* p)
{
    return {Ops::load(p), Ops::load(p + kLanes)};
}

template <class Ops>
inline void storeCV(double* p, const CV<Ops>& x)
{
    Ops::store(p, x.re);
    Ops::store(p + kLanes, x.im);
}

template <class Ops>
inline CV<Ops> loadCells(const Complex* p)
{
    CV<Ops> x;
    Ops::loadCells(p, x.re, x.im);
    return x;
}

// Per interior cell k of a batch, the pivot table holds 1 / beta_k (real parts
// of the kLanes lanes, then imaginary parts), the work space d_k and c_k.
constexpr std::size_t kPivotStride = 2 * kLanes;
constexpr std::size_t kWorkStride = 4 * kLanes;

// 1 / beta_k of one batch of links.
template <class Ops>
void batchPivots(const Complex* u, std::size_t length, double a, double* pivots)
{
    const std::size_t n = length - 2;
    const typename Ops::V one = Ops::splat(1.0);
    const typename Ops::V twoA = Ops::splat(2.0 * a);
    const typename Ops::V aa = Ops::splat(a * a);
    for (std::size_t lane = 0; lane < kLanes; lane += Ops::kWidth) {
        CV<Ops> g{Ops::zero(), Ops::zero()};
        for (std::size_t k = 0; k < n; ++k) {
            CV<Ops> beta{one, twoA};
            if (k > 0) {
                const CV<Ops> link = loadCells<Ops>(u + k * kLanes + lane);
                const typename Ops::V f =
                    Ops::mul(aa, Ops::add(Ops::mul(link.re, link.re), Ops::mul(link.im, link.im)));
                beta = {Ops::add(beta.re, Ops::mul(f, g.re)), Ops::add(beta.im, Ops::mul(f, g.im))};
            }
            const typename Ops::V m = Ops::add(Ops::mul(beta.re, beta.re), Ops::mul(beta.im, beta.im));
            g = {Ops::div(beta.re, m), Ops::sub(Ops::zero(), Ops::div(beta.im, m))};
            storeCV<Ops>(pivots + kPivotStride * k + lane, g);
        }
    }
}

// The elimination of the lanes lane .. lane + kWidth - 1 of one batch.
template <class Ops>
void batchEliminate(const Complex* p, const Complex* u, std::size_t length, double a, const double* pivots,
                    double* work, std::size_t lane)
{
    const std::size_t n = length - 2;
    const typename Ops::V va = Ops::splat(a);
    const typename Ops::V twoA = Ops::splat(2.0 * a);
    const CV<Ops> zero{Ops::zero(), Ops::zero()};
    CV<Ops> previous = zero; // psi_k, old
    CV<Ops> current = loadCells<Ops>(p + kLanes + lane);
    CV<Ops> left = loadCells<Ops>(u + lane); // U_k
    CV<Ops> d = zero;
    for (std::size_t k = 0; k < n; ++k) {
        const std::size_t i = k + 1; // the cell
        const CV<Ops> next = i + 2 < length ? loadCells<Ops>(p + (i + 1) * kLanes + lane) : zero;
        const CV<Ops> right = loadCells<Ops>(u + i * kLanes + lane);
        const CV<Ops> g = loadCV<Ops>(pivots + kPivotStride * k + lane);
        const CV<Ops> s = plus<Ops>(conjTimes<Ops>(left, previous), times<Ops>(right, next));
        const CV<Ops> ias = timesIA<Ops>(va, s);
        const CV<Ops> rhs{Ops::add(Ops::add(current.re, Ops::mul(twoA, current.im)), ias.re),
                          Ops::add(Ops::sub(current.im, Ops::mul(twoA, current.re)), ias.im)};
        const CV<Ops> m = timesIA<Ops>(va, conjTimes<Ops>(left, g));
        d = plus<Ops>(times<Ops>(g, rhs), times<Ops>(m, d));
        const CV<Ops> c = timesIA<Ops>(va, times<Ops>(right, g)); // -c_k
        double* w = work + kWorkStride * k + lane;
        storeCV<Ops>(w, d);
        storeCV<Ops>(w + 2 * kLanes, c);
        previous = current;
        current = next;
        left = right;
    }
}

// The back substitution of every lane of one batch, writing the new psi.
template <class Ops>
void batchSubstitute(Complex* p, std::size_t length, const double* work)
{
    constexpr std::size_t kVectors = kLanes / Ops::kWidth;
    const std::size_t n = length - 2;
    CV<Ops> x[kVectors];
    for (std::size_t v = 0; v < kVectors; ++v) {
        x[v] = loadCV<Ops>(work + kWorkStride * (n - 1) + v * Ops::kWidth);
        Ops::storeCells(p + n * kLanes + v * Ops::kWidth, x[v].re, x[v].im);
    }
    for (std::size_t k = n - 1; k-- > 0;) {
        const double* w = work + kWorkStride * k;
        for (std::size_t v = 0; v < kVectors; ++v) {
            const CV<Ops> negativeC = loadCV<Ops>(w + 2 * kLanes + v * Ops::kWidth);
            x[v] = plus<Ops>(loadCV<Ops>(w + v * Ops::kWidth), times<Ops>(negativeC, x[v]));
            Ops::storeCells(p + (k + 1) * kLanes + v * Ops::kWidth, x[v].re, x[v].im);
        }
    }
}

// One sweep of one batch in place.
template <class Ops>
void batchSweep(Complex* p, const Complex* u, std::size_t length, double a, const double* pivots, double* work)
{
    for (std::size_t lane = 0; lane < kLanes; lane += Ops::kWidth)
        batchEliminate<Ops>(p, u, length, a, pivots, work, lane);
    std::fill(p, p + kLanes, Complex(0.0f, 0.0f));
    std::fill(p + (length - 1) * kLanes, p + length * kLanes, Complex(0.0f, 0.0f));
    batchSubstitute<Ops>(p, length, work);
}

inline std::size_t batchCount(const Lines& lines) { return (lines.count + kLanes - 1) / kLanes; }

// A complex value moved as one 64-bit word (a std::complex copy moves its
// two parts separately).
inline void copyCell(const Complex* from, Complex* to)
{
    std::uint64_t bits;
    std::memcpy(&bits, static_cast<const void*>(from), sizeof bits);
    std::memcpy(static_cast<void*>(to), &bits, sizeof bits);
}

// Copies `lanes` lines from first into a batch at stride kLanes, the other
// lanes set to fill. Lines side by side (columns) are copied a row of lanes at
// a time, so that the long stride down the columns is walked once per batch
// and the sweep itself runs on contiguous memory: cells one row apart are a
// power of two apart in psi and fall into the same few cache sets.
inline void gatherBatch(const Complex* first, const Lines& lines, std::size_t lanes, Complex fill, Complex* batch)
{
    if (lines.lineStride == 1 && lanes == kLanes) {
        const Complex* from = first;
        for (std::size_t k = 0; k < lines.length; ++k, from += lines.cellStride)
            std::memcpy(static_cast<void*>(batch + k * kLanes), from, kLanes * sizeof(Complex));
        return;
    }
    for (std::size_t l = 0; l < kLanes; ++l) {
        Complex* to = batch + l;
        if (l >= lanes) {
            for (std::size_t k = 0; k < lines.length; ++k, to += kLanes)
                copyCell(&fill, to);
            continue;
        }
        const Complex* from = first + l * lines.lineStride;
        for (std::size_t k = 0; k < lines.length; ++k, from += lines.cellStride, to += kLanes)
            copyCell(from, to);
    }
}

inline void scatterBatch(const Complex* batch, const Lines& lines, std::size_t lanes, Complex* first)
{
    if (lines.lineStride == 1 && lanes == kLanes) {
        Complex* to = first;
        for (std::size_t k = 0; k < lines.length; ++k, to += lines.cellStride)
            std::memcpy(static_cast<void*>(to), batch + k * kLanes, kLanes * sizeof(Complex));
        return;
    }
    for (std::size_t l = 0; l < lanes; ++l) {
        const Complex* from = batch + l;
        Complex* to = first + l * lines.lineStride;
        for (std::size_t k = 0; k < lines.length; ++k, from += kLanes, to += lines.cellStride)
            copyCell(from, to);
    }
}

template <class Ops>
void buildAllPivots(const Complex* links, const Lines& lines, double a, double* pivots, double* scratch)
{
    const std::size_t n = lines.length - 2;
    Complex* linkBatch = reinterpret_cast<Complex*>(scratch);
    for (std::size_t b = 0; b < batchCount(lines); ++b) {
        const std::size_t first = b * kLanes;
        const std::size_t lanes = std::min(kLanes, lines.count - first);
        gatherBatch(links + first * lines.lineStride, lines, lanes, Complex(1.0f, 0.0f), linkBatch);
        batchPivots<Ops>(linkBatch, lines.length, a, pivots + b * n * kPivotStride);
    }
}

template <class Ops>
void sweepAll(Complex* psi, const Complex* links, const Lines& lines, double a, const double* pivots, double* scratch)
{
    const std::size_t n = lines.length - 2;
    Complex* psiBatch = reinterpret_cast<Complex*>(scratch);
    Complex* linkBatch = psiBatch + lines.length * kLanes;
    double* work = scratch + 2 * lines.length * kLanes;
    for (std::size_t b = 0; b < batchCount(lines); ++b) {
        const std::size_t first = b * kLanes;
        const std::size_t lanes = std::min(kLanes, lines.count - first);
        Complex* p = psi + first * lines.lineStride;
        gatherBatch(p, lines, lanes, Complex(0.0f, 0.0f), psiBatch);
        gatherBatch(links + first * lines.lineStride, lines, lanes, Complex(1.0f, 0.0f), linkBatch);
        batchSweep<Ops>(psiBatch, linkBatch, lines.length, a, pivots + b * n * kPivotStride, work);
        scatterBatch(psiBatch, lines, lanes, p);
    }
}

// One lane at a time in plain C++.
struct ScalarSweepOps {
    static constexpr std::size_t kWidth = 1;
    using V = double;
    static V load(const double* p) { return *p; }
    static void store(double* p, V v) { *p = v; }
    static V add(V a, V b) { return a + b; }
    static V sub(V a, V b) { return a - b; }
    static V mul(V a, V b) { return a * b; }
    static V div(V a, V b) { return a / b; }
    static V splat(double v) { return v; }
    static V zero() { return 0.0; }
    static void loadCells(const Complex* p, V& re, V& im)
    {
        re = p->real();
        im = p->imag();
    }
    static void storeCells(Complex* p, V re, V im) { *p = Complex(static_cast<float>(re), static_cast<float>(im)); }
};

} // namespace
} // namespace vxo::gaugesweep
