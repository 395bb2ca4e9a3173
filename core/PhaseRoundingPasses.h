// The lane-wise carried rounding shared by the SSE2 and AVX2 units; included
// by each after its target switch, so that the template is compiled for that
// unit's instruction set. No include guard: each unit includes it once.

namespace vxo::phase {
namespace {

// What a group of lanes needs that does not depend on the carried errors.
template <typename Ops>
struct LaneFactors {
    using V = typename Ops::V;
    V r, i;            // re and im rounded to nearest
    V realLarger;      // the lanes that move re
    V larger;          // the part moved
    V signedUnit;      // one unit in its last place, with its sign
    V largerSquared;   // larger^2
    V modulusMiss;     // r^2 + i^2 - 1
    V scale;           // 2 |larger| unit
    V exactlyOne;      // exp(0): kept as exactly one
};

template <typename Ops>
LaneFactors<Ops> prepareLanes(const double* re, const double* im)
{
    using V = typename Ops::V;
    LaneFactors<Ops> f;
    const V one = Ops::splat(1.0);
    const V x = Ops::load(re);
    const V y = Ops::load(im);
    f.exactlyOne = Ops::both(Ops::equal(x, one), Ops::equal(y, Ops::splat(0.0)));
    f.r = Ops::throughFloat(x);
    f.i = Ops::throughFloat(y);
    f.realLarger = Ops::notLess(Ops::abs(f.r), Ops::abs(f.i));
    f.larger = Ops::select(f.realLarger, f.r, f.i);
    const V magnitude = Ops::abs(f.larger);
    const V unit = Ops::select(Ops::less(magnitude, one), Ops::splat(0x1p-24), Ops::splat(0x1p-23));
    f.signedUnit = Ops::withSignOf(unit, f.larger);
    f.largerSquared = Ops::mul(f.larger, f.larger);
    f.modulusMiss = Ops::sub(Ops::add(Ops::mul(f.r, f.r), Ops::mul(f.i, f.i)), one);
    f.scale = Ops::mul(Ops::mul(Ops::splat(2.0), magnitude), unit);
    return f;
}

// The larger part moved by units, rounded to single precision, and the change
// of |w|^2 that the move makes.
template <typename Ops>
void moveLarger(const LaneFactors<Ops>& f, typename Ops::V units, typename Ops::V& moved, typename Ops::V& change)
{
    moved = Ops::throughFloat(Ops::add(f.larger, Ops::mul(units, f.signedUnit)));
    change = Ops::sub(Ops::mul(moved, moved), f.largerSquared);
}

// The lanes' factors from the moved part; a factor of exactly one and a value
// that is not finite (rounded is clear) leave their lane's carried error as
// it was.
template <typename Ops>
void finishLanes(const LaneFactors<Ops>& f, typename Ops::V rounded, typename Ops::V moved,
                 typename Ops::V movedCarried, typename Ops::V& carried, Complex* out)
{
    using V = typename Ops::V;
    V outR = Ops::select(rounded, Ops::select(f.realLarger, moved, f.r), f.r);
    V outI = Ops::select(rounded, Ops::select(f.realLarger, f.i, moved), f.i);
    outR = Ops::select(f.exactlyOne, Ops::splat(1.0), outR);
    outI = Ops::select(f.exactlyOne, Ops::splat(0.0), outI);
    carried = Ops::select(rounded, movedCarried, carried);
    Ops::storeCells(out, outR, outI);
}

// roundCarried on Ops::kWidth lanes, each lane its own run: the same
// operations in the same order, the two early returns of the scalar code as
// selections.
template <typename Ops>
void roundLanes(const LaneFactors<Ops>& f, typename Ops::V& carried, Complex* out)
{
    using V = typename Ops::V;
    const V miss = Ops::add(f.modulusMiss, carried);
    const V rounded = Ops::butNot(f.exactlyOne, Ops::less(Ops::abs(miss), Ops::splat(1.0)));
    // Clamped as std::clamp does (a NaN stays a NaN), then rounded to the
    // nearest whole number by adding and taking away 1.5 2^52.
    const V ratio = Ops::div(Ops::negate(miss), f.scale);
    const V clamped = Ops::min(Ops::splat(3.0), Ops::max(Ops::splat(-3.0), ratio));
    const V rounder = Ops::splat(6755399441055744.0);
    const V units = Ops::sub(Ops::add(clamped, rounder), rounder);
    V moved, change;
    moveLarger(f, units, moved, change);
    finishLanes(f, rounded, moved, Ops::add(miss, change), carried, out);
}

// The same result with a shorter chain from one carried error to the next:
// the moves by -1, 0 and +1 units are made before the error is known, and the
// ratio only chooses among them (to nearest, halves to even: 0 at +-0.5).
// Where a lane needs a larger move the group takes the whole computation.
template <typename Ops>
void roundLanesNearby(const double* re, const double* im, typename Ops::V& carried, Complex* out)
{
    using V = typename Ops::V;
    const LaneFactors<Ops> f = prepareLanes<Ops>(re, im);
    V down, stay, up, downChange, stayChange, upChange;
    moveLarger(f, Ops::splat(-1.0), down, downChange);
    moveLarger(f, Ops::splat(0.0), stay, stayChange);
    moveLarger(f, Ops::splat(1.0), up, upChange);
    const V miss = Ops::add(f.modulusMiss, carried);
    const V rounded = Ops::butNot(f.exactlyOne, Ops::less(Ops::abs(miss), Ops::splat(1.0)));
    const V ratio = Ops::div(Ops::negate(miss), f.scale);
    const V nearby = Ops::both(Ops::less(Ops::splat(-1.5), ratio), Ops::less(ratio, Ops::splat(1.5)));
    if (Ops::any(Ops::butNot(nearby, rounded))) {
        roundLanes(f, carried, out);
        return;
    }
    const V isUp = Ops::less(Ops::splat(0.5), ratio);
    const V isDown = Ops::less(ratio, Ops::splat(-0.5));
    const V moved = Ops::select(isUp, up, Ops::select(isDown, down, stay));
    const V change = Ops::select(isUp, upChange, Ops::select(isDown, downChange, stayChange));
    finishLanes(f, rounded, moved, Ops::add(miss, change), carried, out);
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
            roundLanesNearby<Ops>(re + c, im + c, lanes[g], out + c);
        }
    for (std::size_t g = 0; g < kVectors; ++g)
        Ops::store(carried + g * Ops::kWidth, lanes[g]);
    return k;
}

} // namespace
} // namespace vxo::phase
