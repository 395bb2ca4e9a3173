// The lane-wise carried rounding shared by the SSE2 and AVX2 units; included
// by each after its target switch, so that the template is compiled for that
// unit's instruction set. No include guard: each unit includes it once.

namespace vxo::phase {
namespace {

// roundCarried on Ops::kWidth lanes, each lane its own run: the same
// operations in the same order, the two early returns of the scalar code as
// selections (a factor of exactly one and a value that is not finite leave
// their lane's carried error as it was).
template <typename Ops>
void roundLanes(const double* re, const double* im, typename Ops::V& carried, Complex* out)
{
    using V = typename Ops::V;
    const V one = Ops::splat(1.0);
    const V x = Ops::load(re);
    const V y = Ops::load(im);
    const V exactlyOne = Ops::both(Ops::equal(x, one), Ops::equal(y, Ops::splat(0.0)));
    const V r = Ops::throughFloat(x);
    const V i = Ops::throughFloat(y);
    const V realLarger = Ops::notLess(Ops::abs(r), Ops::abs(i));
    const V larger = Ops::select(realLarger, r, i);
    const V magnitude = Ops::abs(larger);
    const V unit = Ops::select(Ops::less(magnitude, one), Ops::splat(0x1p-24), Ops::splat(0x1p-23));
    const V miss = Ops::add(Ops::sub(Ops::add(Ops::mul(r, r), Ops::mul(i, i)), one), carried);
    const V finite = Ops::less(Ops::abs(miss), one);
    // Clamped as std::clamp does (a NaN stays a NaN), then rounded to the
    // nearest whole number by adding and taking away 1.5 2^52.
    const V ratio = Ops::div(Ops::negate(miss), Ops::mul(Ops::mul(Ops::splat(2.0), magnitude), unit));
    const V clamped = Ops::min(Ops::splat(3.0), Ops::max(Ops::splat(-3.0), ratio));
    const V rounder = Ops::splat(6755399441055744.0);
    const V units = Ops::sub(Ops::add(clamped, rounder), rounder);
    const V moved = Ops::throughFloat(Ops::add(larger, Ops::mul(units, Ops::withSignOf(unit, larger))));
    const V movedCarried = Ops::add(miss, Ops::sub(Ops::mul(moved, moved), Ops::mul(larger, larger)));
    const V rounded = Ops::butNot(exactlyOne, finite);
    V outR = Ops::select(rounded, Ops::select(realLarger, moved, r), r);
    V outI = Ops::select(rounded, Ops::select(realLarger, i, moved), i);
    outR = Ops::select(exactlyOne, one, outR);
    outI = Ops::select(exactlyOne, Ops::splat(0.0), outI);
    carried = Ops::select(rounded, movedCarried, carried);
    Ops::storeCells(out, outR, outI);
}

// The whole groups of kCarriedRuns cells; returns how many cells it rounded
// (the rest, fewer than a group, is left to the portable code, so that no
// inline code of other units is compiled for this unit's instruction set).
template <typename Ops>
std::size_t roundRuns(const double* re, const double* im, std::size_t count, double* carried, Complex* out)
{
    constexpr std::size_t kVectors = kCarriedRuns / Ops::kWidth;
    typename Ops::V lanes[kVectors];
    for (std::size_t g = 0; g < kVectors; ++g)
        lanes[g] = Ops::load(carried + g * Ops::kWidth);
    std::size_t k = 0;
    for (; k + kCarriedRuns <= count; k += kCarriedRuns)
        for (std::size_t g = 0; g < kVectors; ++g) {
            const std::size_t c = k + g * Ops::kWidth;
            roundLanes<Ops>(re + c, im + c, lanes[g], out + c);
        }
    for (std::size_t g = 0; g < kVectors; ++g)
        Ops::store(carried + g * Ops::kWidth, lanes[g]);
    return k;
}

} // namespace
} // namespace vxo::phase
