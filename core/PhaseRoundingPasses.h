// The lane-wise carried rounding of phase-factor offsets shared by the SSE2
// and AVX2 units; included by each after its target switch, so that the
// template is compiled for that unit's instruction set. No include guard:
// each unit includes it once.

namespace vxo::phase {
namespace {

// What a group of lanes needs that does not depend on the carried errors.
template <typename Ops>
struct LaneOffsets {
    using V = typename Ops::V;
    V df, sf;      // the offset d and the sine s rounded to nearest
    V re;          // 1 + df, the real part of the factor
    V realLarger;  // the lanes that move the offset of the real part
    V part;        // the part moved: df or sf
    V unit;        // one unit in the last place of the part (floatSpacing)
    V scale;       // slope times unit: the change of |w|^2 per unit
    V before;      // re^2 + sf^2
    V modulusMiss; // re^2 + sf^2 - 1
    V zero;        // an offset of zero: kept exactly zero
    V kept;        // zero, or no slope to move along: left as rounded
};

// floatSpacing of parts that are single-precision values held in double
// precision: 2^(e - 23) for a part in [2^e, 2^(e+1)), read from the exponent
// bits, and the smallest spacing, 2^-149, where 2^(e - 23) is below the
// normal floats (e <= -104: zero, subnormals and tiny values). An infinity or
// a NaN has the exponent bits of 2^128, and so the spacing 2^105.
template <typename Ops>
typename Ops::V floatSpacingLanes(typename Ops::V part)
{
    using V = typename Ops::V;
    const V power = Ops::exponentOnly(part); // 2^e; zero for zero, infinity for infinity and NaN
    const V spacing = Ops::min(Ops::splat(0x1p105), Ops::mul(power, Ops::splat(0x1p-23)));
    return Ops::select(Ops::notLess(power, Ops::splat(0x1p-103)), spacing, Ops::splat(0x1p-149));
}

template <typename Ops>
LaneOffsets<Ops> prepareLanes(const double* d, const double* s)
{
    using V = typename Ops::V;
    LaneOffsets<Ops> f;
    const V one = Ops::splat(1.0);
    const V zero = Ops::splat(0.0);
    const V x = Ops::load(d);
    const V y = Ops::load(s);
    f.zero = Ops::both(Ops::equal(x, zero), Ops::equal(y, zero));
    f.df = Ops::throughFloat(x);
    f.sf = Ops::throughFloat(y);
    f.re = Ops::add(one, f.df);
    f.before = Ops::add(Ops::mul(f.re, f.re), Ops::mul(f.sf, f.sf));
    f.modulusMiss = Ops::sub(f.before, one);
    f.realLarger = Ops::notLess(Ops::abs(f.re), Ops::abs(f.sf));
    f.part = Ops::select(f.realLarger, f.df, f.sf);
    const V slope = Ops::mul(Ops::splat(2.0), Ops::select(f.realLarger, f.re, f.sf));
    f.unit = floatSpacingLanes<Ops>(f.part);
    f.scale = Ops::mul(slope, f.unit);
    f.kept = Ops::either(f.zero, Ops::either(Ops::equal(slope, zero), Ops::equal(f.unit, zero)));
    return f;
}

// The part moved by units, rounded to single precision, and the change of
// |w|^2 that the move makes: (1 + moved offset)^2 + sf^2 or re^2 + moved^2,
// less re^2 + sf^2.
template <typename Ops>
void movePart(const LaneOffsets<Ops>& f, typename Ops::V units, typename Ops::V& moved, typename Ops::V& change)
{
    using V = typename Ops::V;
    moved = Ops::throughFloat(Ops::add(f.part, Ops::mul(units, f.unit)));
    const V movedRe = Ops::select(f.realLarger, Ops::add(Ops::splat(1.0), moved), f.re);
    const V movedIm = Ops::select(f.realLarger, f.sf, moved);
    change = Ops::sub(Ops::add(Ops::mul(movedRe, movedRe), Ops::mul(movedIm, movedIm)), f.before);
}

// The lanes' offsets from the moved part; an offset of zero stays zero, and
// it, a value that is not finite (rounded is clear) and a part without slope
// leave their lane's carried error as it was.
template <typename Ops>
void finishLanes(const LaneOffsets<Ops>& f, typename Ops::V rounded, typename Ops::V moved,
                 typename Ops::V movedCarried, typename Ops::V& carried, Complex* out)
{
    using V = typename Ops::V;
    const V zero = Ops::splat(0.0);
    V outR = Ops::select(rounded, Ops::select(f.realLarger, moved, f.df), f.df);
    V outI = Ops::select(rounded, Ops::select(f.realLarger, f.sf, moved), f.sf);
    outR = Ops::select(f.zero, zero, outR);
    outI = Ops::select(f.zero, zero, outI);
    carried = Ops::select(rounded, movedCarried, carried);
    Ops::storeCells(out, outR, outI);
}

// roundOffsetCarried on Ops::kWidth lanes, each lane its own run: the same
// operations in the same order, the early returns of the scalar code as
// selections.
template <typename Ops>
void roundLanes(const LaneOffsets<Ops>& f, typename Ops::V& carried, Complex* out)
{
    using V = typename Ops::V;
    const V miss = Ops::add(f.modulusMiss, carried);
    const V rounded = Ops::butNot(f.kept, Ops::less(Ops::abs(miss), Ops::splat(1.0)));
    // Clamped as std::clamp does, then rounded to the nearest whole number by
    // adding and taking away 1.5 2^52.
    const V ratio = Ops::div(Ops::negate(miss), f.scale);
    const V clamped = Ops::min(Ops::splat(3.0), Ops::max(Ops::splat(-3.0), ratio));
    const V rounder = Ops::splat(6755399441055744.0);
    const V units = Ops::sub(Ops::add(clamped, rounder), rounder);
    V moved, change;
    movePart(f, units, moved, change);
    finishLanes(f, rounded, moved, Ops::add(miss, change), carried, out);
}

// The same result with a shorter chain from one carried error to the next:
// the moves by -1, 0 and +1 units are made before the error is known, and the
// ratio only chooses among them (to nearest, halves to even: 0 at +-0.5).
// Where a lane needs a larger move the group takes the whole computation.
template <typename Ops>
void roundLanesNearby(const double* d, const double* s, typename Ops::V& carried, Complex* out)
{
    using V = typename Ops::V;
    const LaneOffsets<Ops> f = prepareLanes<Ops>(d, s);
    V down, up, downChange, upChange;
    movePart(f, Ops::splat(-1.0), down, downChange);
    movePart(f, Ops::splat(1.0), up, upChange);
    // No move: the part plus zero units (a part of -0 becomes +0, as in the
    // scalar sum), whose |w|^2 is the same sum as before, exactly: no change.
    const V stay = Ops::add(f.part, Ops::splat(0.0));
    const V stayChange = Ops::splat(0.0);
    const V miss = Ops::add(f.modulusMiss, carried);
    const V rounded = Ops::butNot(f.kept, Ops::less(Ops::abs(miss), Ops::splat(1.0)));
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
std::size_t roundRuns(const double* d, const double* s, std::size_t count, double* carried, Complex* out)
{
    constexpr std::size_t kVectors = kCarriedRuns / Ops::kWidth;
    typename Ops::V lanes[kVectors];
    for (std::size_t g = 0; g < kVectors; ++g)
        lanes[g] = Ops::load(carried + g * Ops::kWidth);
    std::size_t k = 0;
    for (; k + kCarriedRuns <= count; k += kCarriedRuns)
        for (std::size_t g = 0; g < kVectors; ++g) {
            const std::size_t c = k + g * Ops::kWidth;
            roundLanesNearby<Ops>(d + c, s + c, lanes[g], out + c);
        }
    for (std::size_t g = 0; g < kVectors; ++g)
        Ops::store(carried + g * Ops::kWidth, lanes[g]);
    return k;
}

} // namespace
} // namespace vxo::phase
