#include "experiments/QuantumStueckelberg2D.h"

#include "core/Numeric.h"
#include "experiments/DriveProtocols.h"
#include "experiments/GridCoordinates.h"
#include "experiments/TwoLevelStepper.h"
#include "experiments/TwoLevelSystem.h"

#include <algorithm>
#include <cmath>

namespace vxo {

namespace {

constexpr int kPhaseIntervals = 4096;
constexpr double kMinRampSteps = 800.0;
// A few milliseconds of work per ramp, reached only by biases far beyond the
// pair's own scale.
constexpr long kMaxRampSteps = 50000;

bool inUnitInterval(double s) { return s >= 0.0 && s <= 1.0; }

double firstCrossing(const LinearSweep& sweep)
{
    return sweep.startTime + sweep.duration * (-sweep.startValue / (sweep.endValue - sweep.startValue));
}

double secondCrossing(const LinearSweep& sweep)
{
    return sweep.startTime + sweep.duration + sweep.holdDuration +
           sweep.returnDuration * (-sweep.endValue / (sweep.startValue - sweep.endValue));
}

// The single passage of the forward ramp, for the Landau-Zener part of the analysis.
LinearSweep forwardRamp(const LinearSweep& sweep)
{
    LinearSweep single = sweep;
    single.returnEnabled = false;
    single.holdDuration = 0.0;
    return single;
}

// The propagator of the pair over a ramp of the bias from `from` to `to`,
// in fourth-order steps that follow the turn of the state: R / hbar is
// largest at one end of a linear ramp.
ComplexMatrix2x2 rampPropagator(const LandauZenerReference& pair, double from, double to, double duration, double hbar)
{
    const double ei = pair.energyI;
    const double ej = pair.energyJ;
    const double d = pair.dipoleElement;
    const auto turnRate = [&](double bias) {
        double lower = 0.0, upper = 0.0;
        twoLevelEnergies(ei, ej, d, bias, lower, upper);
        return 0.5 * (upper - lower) / hbar;
    };
    const long steps =
        twoLevelFourthOrderStepCount(duration, std::max(turnRate(from), turnRate(to)), kMinRampSteps, kMaxRampSteps);
    const double dt = duration / static_cast<double>(steps);
    const double slope = (to - from) / duration;
    const TwoLevelStepper stepper(ei, ej, d, dt, hbar);
    ComplexVector2 first = {ComplexD(1.0, 0.0), ComplexD(0.0, 0.0)};
    ComplexVector2 second = {ComplexD(0.0, 0.0), ComplexD(1.0, 0.0)};
    for (long k = 0; k < steps; ++k) {
        const double t = static_cast<double>(k) * dt;
        stepper.step(first, second, from + slope * (t + TwoLevelStepper::kEarlyGaussPoint * dt),
                     from + slope * (t + TwoLevelStepper::kLateGaussPoint * dt));
    }
    return {first[0], second[0], first[1], second[1]};
}

// The sweep with return as three pieces: the ramp out, the hold at the end
// value, the ramp back. The ramps are propagated once; a hold of any length
// is one exact step of the constant Hamiltonian, so that a scan over the hold
// costs the two ramps and one step per point.
class DoublePassage {
public:
    DoublePassage(const LandauZenerReference& pair, const LinearSweep& sweep, double hbar)
        : pair_(pair), sweep_(sweep), hbar_(hbar)
    {
        double u = 1.0, v = 0.0;
        twoLevelAdiabaticBasis(pair.energyI, pair.energyJ, pair.dipoleElement, sweep.startValue, u, v);
        out_ = applyComplex2x2(rampPropagator(pair, sweep.startValue, sweep.endValue, sweep.duration, hbar),
                               {ComplexD(u, 0.0), ComplexD(v, 0.0)});
        back_ = rampPropagator(pair, sweep.endValue, sweep.startValue, sweep.returnDuration, hbar);
    }

    // Starting in the lower adiabatic state at the start value, the
    // populations of the adiabatic states where the return ends (the start
    // value again).
    void finalPopulations(double hold, double& lower, double& upper) const
    {
        ComplexVector2 a = out_;
        if (hold > 0.0)
            a = propagateTwoLevel(a, pair_.energyI, pair_.energyJ, pair_.dipoleElement, sweep_.endValue, hold, hbar_);
        a = applyComplex2x2(back_, a);
        double u = 1.0, v = 0.0;
        twoLevelAdiabaticBasis(pair_.energyI, pair_.energyJ, pair_.dipoleElement, sweep_.startValue, u, v);
        lower = std::norm(u * a[0] + v * a[1]);
        upper = std::norm(-v * a[0] + u * a[1]);
    }

private:
    LandauZenerReference pair_;
    LinearSweep sweep_;
    double hbar_;
    ComplexVector2 out_;
    ComplexMatrix2x2 back_;
};

} // namespace

bool isReturnSweepAnalyzable(const LinearSweep& sweep)
{
    if (!sweep.enabled || !sweep.returnEnabled || sweep.parameter != SceneParameterSlopeX)
        return false;
    if (!isFinite(sweep.startValue) || !isFinite(sweep.endValue) || !isFinite(sweep.startTime) ||
        !isFinite(sweep.duration) || !isFinite(sweep.holdDuration) || !isFinite(sweep.returnDuration))
        return false;
    if (sweep.startTime < 0.0 || !(sweep.duration > 0.0) || sweep.holdDuration < 0.0 || !(sweep.returnDuration > 0.0) ||
        sweep.startValue == sweep.endValue)
        return false;
    return inUnitInterval(-sweep.startValue / (sweep.endValue - sweep.startValue)) &&
           inUnitInterval(-sweep.endValue / (sweep.startValue - sweep.endValue));
}

double QuantumStueckelberg2D::phaseIntegral(const LandauZenerReference& reference, const LinearSweep& sweep,
                                            double hbar)
{
    const double t1 = firstCrossing(sweep);
    const double t2 = secondCrossing(sweep);
    if (!(t2 > t1) || !(hbar > 0.0))
        return 0.0;
    const double h = (t2 - t1) / kPhaseIntervals;
    const double gapSquared = reference.gap * reference.gap;
    double sum = 0.0;
    for (int k = 0; k < kPhaseIntervals; ++k) {
        const double coupling = 2.0 * reference.dipoleElement * linearSweepValueAt(sweep, t1 + (k + 0.5) * h);
        sum += std::sqrt(gapSquared + coupling * coupling) * h;
    }
    return sum / hbar;
}

void QuantumStueckelberg2D::propagateSweep(const LandauZenerReference& reference, const LinearSweep& sweep, double hbar,
                                           double& finalLower, double& finalUpper)
{
    finalLower = 0.0;
    finalUpper = 0.0;
    if (!reference.valid || !isReturnSweepAnalyzable(sweep) || !isFinitePositive(hbar))
        return;
    DoublePassage(reference, sweep, hbar).finalPopulations(sweep.holdDuration, finalLower, finalUpper);
}

StueckelbergReference QuantumStueckelberg2D::reference(const BoundStateResult& result, const LinearSweep& sweep, int i,
                                                       int j, double hbar)
{
    StueckelbergReference stueckelberg;
    if (!isReturnSweepAnalyzable(sweep) || !isFinitePositive(hbar))
        return stueckelberg;
    stueckelberg.landauZener = QuantumLandauZener2D::predict(result, forwardRamp(sweep), i, j, hbar);
    if (!stueckelberg.landauZener.valid)
        return stueckelberg;
    stueckelberg.firstCrossingTime = firstCrossing(sweep);
    stueckelberg.secondCrossingTime = secondCrossing(sweep);
    stueckelberg.stueckelbergPhase = phaseIntegral(stueckelberg.landauZener, sweep, hbar);
    propagateSweep(stueckelberg.landauZener, sweep, hbar, stueckelberg.finalLowerPopulation,
                   stueckelberg.finalUpperPopulation);
    stueckelberg.valid = true;
    return stueckelberg;
}

std::vector<StueckelbergFringePoint> QuantumStueckelberg2D::holdTimeScan(const BoundStateResult& result,
                                                                         const LinearSweep& sweep, double holdMin,
                                                                         double holdMax, int n, int i, int j,
                                                                         double hbar)
{
    // A negative hold is no schedule at all: it would fail the sweep check and
    // yield points with both populations 0.
    if (!isReturnSweepAnalyzable(sweep) || !isFiniteNonNegative(holdMin) || !isFinite(holdMax) ||
        !(holdMax > holdMin) || n < 2 || !isFinitePositive(hbar))
        return {};
    const LandauZenerReference landauZener = QuantumLandauZener2D::predict(result, forwardRamp(sweep), i, j, hbar);
    if (!landauZener.valid)
        return {};

    // The ramps are the same for every hold: they are propagated once.
    const DoublePassage passage(landauZener, sweep, hbar);
    std::vector<StueckelbergFringePoint> points;
    points.reserve(static_cast<std::size_t>(n));
    LinearSweep held = sweep;
    for (int k = 0; k < n; ++k) {
        StueckelbergFringePoint point;
        point.holdDuration = evenlySpacedValue(holdMin, holdMax, k, n);
        held.holdDuration = point.holdDuration;
        point.phase = phaseIntegral(landauZener, held, hbar);
        passage.finalPopulations(point.holdDuration, point.finalLowerPopulation, point.finalUpperPopulation);
        points.push_back(point);
    }
    return points;
}

} // namespace vxo
