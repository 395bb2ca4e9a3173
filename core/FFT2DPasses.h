#pragma once

// The row and column passes of FFT2D, written once over a small set of vector
// operations ("Ops") and compiled by one translation unit per instruction set.
// Everything here has internal linkage, so that code compiled for a wider
// instruction set never stands in for another unit's copy.
//
// Each line is the iterative radix-2 decimation-in-time transform: bit reversal,
// then stages len = 2, 4, ..., n in which element pairs (b + k, b + k + len/2)
// of every block b take the butterfly
//     t = w_k * hi,  lo' = lo + t,  hi' = lo - t        (single precision)
// with w_k the single-precision twiddle of the stage from stageTwiddles(len/2)
// (exp(-+2 pi i k / len), rounded so that the transform keeps the norm without
// bias); the inverse multiplies by 1/n at the end. Every element here goes
// through exactly these operations in exactly this order. What changes is
// only which elements share an instruction and when:
//  - the twiddle sequence of a stage does not depend on the block or the line,
//    so one value of the recurrence serves every block of a group of lines;
//  - columns lie side by side, so a vector carries neighbouring columns and a
//    twiddle is broadcast across it;
//  - within a row a vector carries consecutive k, with their twiddles taken
//    from consecutive entries of the stage's table;
//  - several consecutive stages are applied while their points sit in
//    registers, so that the data make fewer trips through memory;
//  - the first two stages of a row are fused with its bit reversal, working on
//    4 x 4 tiles that bit reversal exchanges with one another;
//  - the column pass's bit reversal moves whole rows, so it is done in the row
//    pass, exchanging row p with row rev(p) while both are in the cache.
// Fused stages need a stage's twiddles at k, k + h, k + 2h, ... at once; they
// are read from the stage's table at those offsets.
//
// A transform can also take the cell-wise phase products of a split step: one
// table multiplying every input value as the row pass loads it, one
// multiplying every output value as the last column stage stores it (after the
// inverse scaling). Each value goes through the same product as in a separate
// pass, one trip through memory fewer.

#include "core/ComplexField2D.h"
#include "core/FFT2DKernels.h"
#include "core/Numeric.h"

#include <cmath>
#include <cstddef>

namespace vxo::fft2d {
namespace {

// --------------------------------------------------------------------------
// Twiddles of R consecutive stages whose first stage has half-length h: stage
// s (0-based within the group) needs its twiddles at 2^s offsets 0, h, 2h, ...
// from the current k; table t = 2^s - 1 + i starts at offset i h of stage s.

template <int R>
struct GroupTwiddles {
    static constexpr int kTables = (1 << R) - 1;
    const Complex* table[kTables];

    GroupTwiddles(std::size_t h, bool inverse)
    {
        for (int s = 0; s < R; ++s) {
            const Complex* stage = stageTwiddles(h << s, inverse);
            for (int i = 0; i < (1 << s); ++i)
                table[(1 << s) - 1 + i] = stage + static_cast<std::size_t>(i) * h;
        }
    }
};

// --------------------------------------------------------------------------
// Vector operations. A vector V holds kWidth complex values in their natural
// interleaved order (re, im, re, im, ...). A twiddle is kept as two vectors:
// its real parts, each repeated for re and im, and its imaginary parts with
// the sign of the re slot flipped, so that
//     w * x = re * x + im * swapParts(x)
// gives (wr xr + (-wi) xi, wr xi + wi xr), which is bit for bit
// (wr xr - wi xi, wr xi + wi xr).

template <class Ops>
struct Twiddle;

// One complex value at a time, in plain C++: the portable build and the tails
// of lines shorter than a vector.
struct ScalarOps {
    static constexpr std::size_t kWidth = 1;
    struct V {
        float re;
        float im;
    };
    using Narrower = ScalarOps;

    static V load(const Complex* p)
    {
        const float* f = reinterpret_cast<const float*>(p);
        return {f[0], f[1]};
    }
    static void store(Complex* p, V v)
    {
        float* f = reinterpret_cast<float*>(p);
        f[0] = v.re;
        f[1] = v.im;
    }
    static V add(V a, V b) { return {a.re + b.re, a.im + b.im}; }
    static V sub(V a, V b) { return {a.re - b.re, a.im - b.im}; }
    static V mul(V a, V b) { return {a.re * b.re, a.im * b.im}; }
    static V swapParts(V a) { return {a.im, a.re}; }
    static V splat(float f) { return {f, f}; }
    static V broadcastRe(double re)
    {
        const float f = static_cast<float>(re);
        return {f, f};
    }
    static V broadcastIm(double im)
    {
        const float f = static_cast<float>(im);
        return {-f, f};
    }
    // The complex values of f in the twiddle form.
    static Twiddle<ScalarOps> factors(V f);
    // out[c] = the four values in[0][c], in[1][c], in[2][c], in[3][c].
    static void transposeTile(const V (&in)[4][4], V (&out)[4][4])
    {
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c)
                out[c][r] = in[r][c];
    }
};

template <class Ops>
struct Twiddle {
    typename Ops::V re;
    typename Ops::V im;
};

inline Twiddle<ScalarOps> ScalarOps::factors(V f) { return {{f.re, f.re}, {-f.im, f.im}}; }

// w * x, which is bit for bit the plain product (xr wr - xi wi, xr wi + xi wr).
template <class Ops>
inline typename Ops::V rotate(const Twiddle<Ops>& w, typename Ops::V x)
{
    return Ops::add(Ops::mul(w.re, x), Ops::mul(w.im, Ops::swapParts(x)));
}

// One twiddle in every complex slot.
template <class Ops>
inline Twiddle<Ops> broadcastTwiddle(Complex w)
{
    return {Ops::broadcastRe(w.real()), Ops::broadcastIm(w.imag())};
}

// x (1 + f) as x + x f, f the offsets of cell factors from one side by side
// in a vector (offsetProduct).
template <class Ops>
inline typename Ops::V cellProduct(typename Ops::V x, typename Ops::V f)
{
    return Ops::add(x, rotate<Ops>(Ops::factors(f), x));
}

template <class Ops>
inline void butterfly(typename Ops::V& lo, typename Ops::V& hi, const Twiddle<Ops>& w)
{
    const typename Ops::V t = rotate<Ops>(w, hi);
    const typename Ops::V u = lo;
    lo = Ops::add(u, t);
    hi = Ops::sub(u, t);
}

// R stages on 2^R points x[m], m standing for offset m h in the line: stage s
// pairs m with m + 2^s and takes the twiddle of table (m mod 2^s) of its stage.
template <class Ops, int R>
inline void butterflyStages(typename Ops::V (&x)[1 << R], const Twiddle<Ops> (&w)[(1 << R) - 1])
{
#pragma GCC unroll 4
    for (int s = 0; s < R; ++s) {
#pragma GCC unroll 8
        for (int m = 0; m < (1 << R); ++m)
            if ((m & (1 << s)) == 0)
                butterfly<Ops>(x[m], x[m | (1 << s)], w[(1 << s) - 1 + (m & ((1 << s) - 1))]);
    }
}

// The output factors f are read at the offsets of the points (Product only).
template <class Ops, int R, bool Scaled, bool Product>
inline void loadStagesStore(Complex* p, std::size_t pointStride, const Twiddle<Ops> (&w)[(1 << R) - 1],
                            typename Ops::V scale, const Complex* f)
{
    typename Ops::V x[1 << R];
#pragma GCC unroll 8
    for (int m = 0; m < (1 << R); ++m)
        x[m] = Ops::load(p + static_cast<std::size_t>(m) * pointStride);
    butterflyStages<Ops, R>(x, w);
#pragma GCC unroll 8
    for (int m = 0; m < (1 << R); ++m) {
        typename Ops::V y = Scaled ? Ops::mul(x[m], scale) : x[m];
        if constexpr (Product)
            y = cellProduct<Ops>(y, Ops::load(f + static_cast<std::size_t>(m) * pointStride));
        Ops::store(p + static_cast<std::size_t>(m) * pointStride, y);
    }
}

// --------------------------------------------------------------------------
// Column stages: the n rows base + j rowStride (each `width` complex values
// wide) are the points of width independent lines. R stages starting at
// half-length h; Scaled multiplies by scale after the last of them, Product
// then by the factors laid out like the rows from base.

template <class Ops, int R, bool Scaled, bool Product>
void columnGroup(Complex* base, std::size_t rowStride, std::size_t width, std::size_t n, std::size_t h, bool inverse,
                 float scale, const Complex* factors)
{
    constexpr int kTables = GroupTwiddles<R>::kTables;
    const std::size_t span = h << R;
    const std::size_t pointStride = h * rowStride;
    const typename Ops::V scaleV = Ops::splat(scale);
    const GroupTwiddles<R> twiddles(h, inverse);
    for (std::size_t k = 0; k < h; ++k) {
        Twiddle<Ops> w[kTables];
        for (int t = 0; t < kTables; ++t)
            w[t] = broadcastTwiddle<Ops>(twiddles.table[t][k]);
        for (std::size_t b = 0; b < n; b += span) {
            Complex* p = base + (b + k) * rowStride;
            const Complex* f = Product ? factors + (b + k) * rowStride : nullptr;
            for (std::size_t c = 0; c < width; c += Ops::kWidth)
                loadStagesStore<Ops, R, Scaled, Product>(p + c, pointStride, w, scaleV, Product ? f + c : nullptr);
        }
    }
}

// --------------------------------------------------------------------------
// Row stages: `count` rows of n values, a vector carrying consecutive k
// (h >= kWidth). The twiddles of a group of k serve every block of every row.

template <class Ops, int R, bool Scaled>
void rowGroup(Complex* const* rows, std::size_t count, std::size_t n, std::size_t h, bool inverse, float scale)
{
    constexpr int kTables = GroupTwiddles<R>::kTables;
    const std::size_t span = h << R;
    const typename Ops::V scaleV = Ops::splat(scale);
    const GroupTwiddles<R> twiddles(h, inverse);
    for (std::size_t k = 0; k < h; k += Ops::kWidth) {
        Twiddle<Ops> w[kTables];
        for (int t = 0; t < kTables; ++t)
            w[t] = Ops::factors(Ops::load(twiddles.table[t] + k));
        for (std::size_t r = 0; r < count; ++r)
            for (std::size_t b = 0; b < n; b += span)
                loadStagesStore<Ops, R, Scaled, false>(rows[r] + b + k, h, w, scaleV, nullptr);
    }
}

// --------------------------------------------------------------------------
// Grouping of stages and dispatch on the group size.

constexpr int kMaxFusedStages = 3;

template <class Ops, bool Scaled, bool Product>
void columnGroupOf(int r, Complex* base, std::size_t rowStride, std::size_t width, std::size_t n, std::size_t h,
                   bool inverse, float scale, const Complex* factors)
{
    switch (r) {
    case 1:
        columnGroup<Ops, 1, Scaled, Product>(base, rowStride, width, n, h, inverse, scale, factors);
        break;
    case 2:
        columnGroup<Ops, 2, Scaled, Product>(base, rowStride, width, n, h, inverse, scale, factors);
        break;
    default:
        columnGroup<Ops, 3, Scaled, Product>(base, rowStride, width, n, h, inverse, scale, factors);
        break;
    }
}

// The last column group: scaled, followed by a product, both or neither.
template <class Ops>
void lastColumnGroupOf(int r, Complex* base, std::size_t rowStride, std::size_t width, std::size_t n, std::size_t h,
                       bool inverse, bool scaled, float scale, const Complex* factors)
{
    if (scaled && factors)
        columnGroupOf<Ops, true, true>(r, base, rowStride, width, n, h, inverse, scale, factors);
    else if (scaled)
        columnGroupOf<Ops, true, false>(r, base, rowStride, width, n, h, inverse, scale, nullptr);
    else if (factors)
        columnGroupOf<Ops, false, true>(r, base, rowStride, width, n, h, inverse, scale, factors);
    else
        columnGroupOf<Ops, false, false>(r, base, rowStride, width, n, h, inverse, scale, nullptr);
}

template <class Ops, bool Scaled>
void rowGroupOf(int r, Complex* const* rows, std::size_t count, std::size_t n, std::size_t h, bool inverse, float scale)
{
    switch (r) {
    case 1:
        rowGroup<Ops, 1, Scaled>(rows, count, n, h, inverse, scale);
        break;
    case 2:
        rowGroup<Ops, 2, Scaled>(rows, count, n, h, inverse, scale);
        break;
    default:
        rowGroup<Ops, 3, Scaled>(rows, count, n, h, inverse, scale);
        break;
    }
}

inline int log2OfPowerOfTwo(std::size_t n)
{
    int l = 0;
    while ((std::size_t{1} << l) < n)
        ++l;
    return l;
}

// The reversed counter of the bit reversal: from j = rev(i - 1) over the
// log2(n) bits of an index below n, gives rev(i).
inline std::size_t nextReversed(std::size_t j, std::size_t n)
{
    std::size_t bit = n >> 1;
    while (j & bit) {
        j ^= bit;
        bit >>= 1;
    }
    return j | bit;
}

// Calls run(h, r, last) for groups of at most maxFused stages, as even as
// possible, covering the stages from half-length h up to half-length n/2.
template <class Run>
void forEachStageGroup(std::size_t h, std::size_t n, int maxFused, Run run)
{
    int left = log2OfPowerOfTwo(n) - log2OfPowerOfTwo(2 * h) + 1;
    while (left > 0) {
        const int groups = (left + maxFused - 1) / maxFused;
        const int r = (left + groups - 1) / groups;
        run(h, r, r == left);
        h <<= r;
        left -= r;
    }
}

template <class Ops>
void scaleValues(Complex* p, std::size_t count, float scale)
{
    const typename Ops::V scaleV = Ops::splat(scale);
    for (std::size_t i = 0; i < count; i += Ops::kWidth)
        Ops::store(p + i, Ops::mul(Ops::load(p + i), scaleV));
}

// values[c] *= 1 + factors[c], the cell-wise phase product of offsets.
template <class Ops>
void multiplyValues(Complex* values, const Complex* factors, std::size_t count)
{
    std::size_t i = 0;
    for (; i + Ops::kWidth <= count; i += Ops::kWidth)
        Ops::store(values + i, cellProduct<Ops>(Ops::load(values + i), Ops::load(factors + i)));
    for (; i < count; ++i)
        ScalarOps::store(values + i, cellProduct<ScalarOps>(ScalarOps::load(values + i), ScalarOps::load(factors + i)));
}

template <class Ops>
void swapValues(Complex* a, Complex* b, std::size_t count)
{
    for (std::size_t i = 0; i < count; i += Ops::kWidth) {
        const typename Ops::V va = Ops::load(a + i);
        Ops::store(a + i, Ops::load(b + i));
        Ops::store(b + i, va);
    }
}

// --------------------------------------------------------------------------
// Rows

// The stages of half-length hFirst .. n/2 of every row, up to maxFused at a
// time, the last group scaling the inverse.
template <class Ops>
void rowStages(Complex* const* rows, std::size_t count, std::size_t n, std::size_t hFirst, int maxFused, bool inverse)
{
    const float scale = 1.0f / static_cast<float>(n);
    forEachStageGroup(hFirst, n, maxFused, [&](std::size_t h, int r, bool last) {
        if (inverse && last)
            rowGroupOf<Ops, true>(r, rows, count, n, h, inverse, scale);
        else
            rowGroupOf<Ops, false>(r, rows, count, n, h, inverse, scale);
    });
}

// Rows shorter than a 4 x 4 tile: the input factors, bit reversal by
// exchanges, then the stages one complex value at a time.
inline void transformShortRows(Complex* const* rows, const Complex* const* factorRows, std::size_t count, std::size_t n,
                               bool inverse)
{
    if (factorRows)
        for (std::size_t r = 0; r < count; ++r)
            multiplyValues<ScalarOps>(rows[r], factorRows[r], n);
    const float scale = 1.0f / static_cast<float>(n);
    if (n < 2) {
        if (inverse)
            for (std::size_t r = 0; r < count; ++r)
                scaleValues<ScalarOps>(rows[r], n, scale);
        return;
    }
    std::size_t j = 0;
    for (std::size_t i = 1; i < n; ++i) {
        j = nextReversed(j, n);
        if (i < j)
            for (std::size_t r = 0; r < count; ++r)
                swapValues<ScalarOps>(rows[r] + i, rows[r] + j, 1);
    }
    rowStages<ScalarOps>(rows, count, n, 1, kMaxFusedStages, inverse);
}

// Bit reversal and the stages len = 2 and 4 of one row of n >= 16 values.
// Write the index as (a, b, c): a the top two bits, c the bottom two and b the
// rest; bit reversal sends (a, b, c) to (rev c, rev b, rev a), so the 4 x 4
// tile at b (rows a, four consecutive c) moves to tile rev b, transposed and
// with rows and columns in bit-reversed order. After the move, the four
// values at consecutive positions of one output row are the four input rows
// of one column c, and the first two stages pair whole input rows:
//   len 2:  (a 0, a 2) and (a 1, a 3) with w = 1,
//   len 4:  (a 0, a 1) with w_0 and (a 2, a 3) with w_1.
template <class Ops>
struct RowTileStart {
    static constexpr std::size_t kVectors = 4 / Ops::kWidth;
    using V = typename Ops::V;
    Twiddle<Ops> len2;
    Twiddle<Ops> len4[2];

    explicit RowTileStart(bool inverse)
    {
        len2 = broadcastTwiddle<Ops>(stageTwiddles(1, inverse)[0]);
        const Complex* four = stageTwiddles(2, inverse);
        len4[0] = broadcastTwiddle<Ops>(four[0]);
        len4[1] = broadcastTwiddle<Ops>(four[1]);
    }

    // Loads tile b with its rows in bit-reversed order (each value times its
    // factor when there are factors), applies both stages and leaves in
    // out[c] the output row rev(c) of the destination tile.
    template <bool Factors>
    void compute(const Complex* row, const Complex* factors, std::size_t quarter, std::size_t b,
                 V (&out)[4][kVectors]) const
    {
        static constexpr int kRowOf[4] = {0, 2, 1, 3};
        V y[4][kVectors];
        for (int r = 0; r < 4; ++r)
            for (std::size_t v = 0; v < kVectors; ++v) {
                const std::size_t offset = kRowOf[r] * quarter + 4 * b + v * Ops::kWidth;
                y[r][v] = Ops::load(row + offset);
                if constexpr (Factors)
                    y[r][v] = cellProduct<Ops>(y[r][v], Ops::load(factors + offset));
            }
        for (std::size_t v = 0; v < kVectors; ++v) {
            butterfly<Ops>(y[0][v], y[1][v], len2);
            butterfly<Ops>(y[2][v], y[3][v], len2);
            butterfly<Ops>(y[0][v], y[2][v], len4[0]);
            butterfly<Ops>(y[1][v], y[3][v], len4[1]);
        }
        Ops::transposeTile(y, out);
    }

    static void store(Complex* row, std::size_t quarter, std::size_t b, const V (&out)[4][kVectors])
    {
        static constexpr int kRowOf[4] = {0, 2, 1, 3};
        for (int c = 0; c < 4; ++c)
            for (std::size_t v = 0; v < kVectors; ++v)
                Ops::store(row + kRowOf[c] * quarter + 4 * b + v * Ops::kWidth, out[c][v]);
    }

    void apply(Complex* row, const Complex* factors, std::size_t n) const
    {
        if (factors)
            applyTiles<true>(row, factors, n);
        else
            applyTiles<false>(row, nullptr, n);
    }

    template <bool Factors>
    void applyTiles(Complex* row, const Complex* factors, std::size_t n) const
    {
        const std::size_t quarter = n / 4;
        const std::size_t tiles = n / 16;
        std::size_t rb = 0;
        for (std::size_t b = 0; b < tiles; ++b) {
            if (b > 0)
                rb = nextReversed(rb, tiles);
            if (rb < b)
                continue;
            V first[4][kVectors];
            compute<Factors>(row, factors, quarter, b, first);
            if (rb != b) {
                V second[4][kVectors];
                compute<Factors>(row, factors, quarter, rb, second);
                store(row, quarter, b, second);
            }
            store(row, quarter, rb, first);
        }
    }
};

constexpr int kMaxFusedRowStages = 2;

// factorRows, when not null, holds the input factors of each row.
template <class Ops>
void transformRows(Complex* const* rows, const Complex* const* factorRows, std::size_t count, std::size_t n,
                   bool inverse)
{
    if (n < 16) {
        transformShortRows(rows, factorRows, count, n, inverse);
        return;
    }
    const RowTileStart<Ops> start(inverse);
    for (std::size_t r = 0; r < count; ++r)
        start.apply(rows[r], factorRows ? factorRows[r] : nullptr, n);
    rowStages<Ops>(rows, count, n, 4, kMaxFusedRowStages, inverse);
}

// --------------------------------------------------------------------------
// Columns: the stages of all nx columns at once, the rows being in bit-reversed
// order already. columnStages runs the stages of half-length h = hFirst ...
// hLast on the n rows from base; the inverse scaling follows stage hLast when
// scaleAtEnd is set, and the product with the factors laid out like the rows
// from base when factorsAtEnd is not null.

template <class Ops>
void columnStages(Complex* base, std::size_t rowStride, std::size_t width, std::size_t n, std::size_t hFirst,
                  std::size_t hLast, bool inverse, bool scaleAtEnd, float scale, const Complex* factorsAtEnd)
{
    if constexpr (Ops::kWidth > 1) {
        if (width < Ops::kWidth) {
            columnStages<typename Ops::Narrower>(base, rowStride, width, n, hFirst, hLast, inverse, scaleAtEnd, scale,
                                                 factorsAtEnd);
            return;
        }
    }
    forEachStageGroup(hFirst, 2 * hLast, kMaxFusedStages, [&](std::size_t h, int r, bool last) {
        if (last)
            lastColumnGroupOf<Ops>(r, base, rowStride, width, n, h, inverse, scaleAtEnd, scale, factorsAtEnd);
        else
            columnGroupOf<Ops, false, false>(r, base, rowStride, width, n, h, inverse, scale, nullptr);
    });
}

// One line of n values at first, first + stride, ...: the lone-line form of
// the column pass, one complex value at a time.
inline void transformStridedLine(Complex* first, std::size_t n, std::size_t stride, bool inverse)
{
    const float scale = 1.0f / static_cast<float>(n);
    if (n < 2) {
        if (inverse && n == 1)
            scaleValues<ScalarOps>(first, 1, scale);
        return;
    }
    std::size_t j = 0;
    for (std::size_t i = 1; i < n; ++i) {
        j = nextReversed(j, n);
        if (i < j)
            swapValues<ScalarOps>(first + i * stride, first + j * stride, 1);
    }
    columnStages<ScalarOps>(first, stride, 1, n, 1, n / 2, inverse, inverse, scale, nullptr);
}

// --------------------------------------------------------------------------
// The whole field. Rows first; the column pass's bit reversal, which moves
// whole rows, is folded into the row pass: row p and row rev(p) are
// transformed together and exchanged. Rows are taken in increasing p, so once
// p has passed the end of a block of consecutive rows, every row of the block
// is final, and the column stages that stay within such blocks run on it while
// it is still in the cache. The remaining column stages follow over the whole
// field.

constexpr std::size_t kRowGroupBytes = 32 * 1024;
constexpr std::size_t kMaxRowsPerGroup = 8;
constexpr std::size_t kColumnBlockBytes = 256 * 1024;

// before and after, when not null, are the input and output factors of the
// cells (nx * ny each, row-major like data).
template <class Ops>
void transformGrid(Complex* data, std::size_t nx, std::size_t ny, bool inverse, const Complex* before,
                   const Complex* after)
{
    const std::size_t rowBytes = nx * sizeof(Complex);
    std::size_t capacity = kRowGroupBytes / rowBytes;
    if (capacity < 2)
        capacity = 2;
    if (capacity > kMaxRowsPerGroup)
        capacity = kMaxRowsPerGroup;
    std::size_t block = 1; // rows per column block, a power of two
    while (block < ny && 2 * block * rowBytes <= kColumnBlockBytes)
        block *= 2;

    const float columnScale = 1.0f / static_cast<float>(ny);
    Complex* rows[kMaxRowsPerGroup];
    const Complex* factorRows[kMaxRowsPerGroup];
    bool exchange[kMaxRowsPerGroup];
    std::size_t count = 0;
    const auto flush = [&]() {
        transformRows<Ops>(rows, before ? factorRows : nullptr, count, nx, inverse);
        for (std::size_t r = 0; r < count; ++r)
            if (exchange[r]) {
                if (nx >= Ops::kWidth)
                    swapValues<Ops>(rows[r], rows[r + 1], nx);
                else
                    swapValues<ScalarOps>(rows[r], rows[r + 1], nx);
            }
        count = 0;
    };

    std::size_t q = 0; // bit-reversed p, kept by a reversed counter
    for (std::size_t p = 0; p < ny; ++p) {
        if (p > 0)
            q = nextReversed(q, ny);
        if (q >= p) {
            if (count + 2 > capacity)
                flush();
            exchange[count] = q != p;
            factorRows[count] = before ? before + p * nx : nullptr;
            rows[count++] = data + p * nx;
            if (q != p) {
                exchange[count] = false;
                factorRows[count] = before ? before + q * nx : nullptr;
                rows[count++] = data + q * nx;
            }
        }
        if ((p + 1) % block == 0 && block >= 2) {
            if (count > 0)
                flush();
            // A single block holds the last stage.
            columnStages<Ops>(data + (p + 1 - block) * nx, nx, nx, block, 1, block / 2, inverse, inverse && block == ny,
                              columnScale, block == ny ? after : nullptr);
        }
    }
    if (count > 0)
        flush();

    if (block < ny)
        columnStages<Ops>(data, nx, nx, ny, block, ny / 2, inverse, inverse, columnScale, after);
    else if (ny == 1) {
        // No column stages: scaling and output factors in passes of their own.
        if (inverse) {
            if (nx >= Ops::kWidth)
                scaleValues<Ops>(data, nx, columnScale);
            else
                scaleValues<ScalarOps>(data, nx, columnScale);
        }
        if (after)
            multiplyValues<Ops>(data, after, nx);
    }
}

} // namespace
} // namespace vxo::fft2d
