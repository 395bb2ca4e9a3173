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
constexpr double kMaxPropagationStep = 0.0025;
constexpr double kMinPropagationSteps = 800.0;

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

    const double ei = reference.energyI;
    const double ej = reference.energyJ;
    const double d = reference.dipoleElement;
    double u = 1.0;
    double v = 0.0;
    twoLevelAdiabaticBasis(ei, ej, d, sweep.startValue, u, v);
    ComplexVector2 amplitudes = {ComplexD(u, 0.0), ComplexD(v, 0.0)};

    const double total = linearSweepDuration(sweep);
    const long steps = twoLevelStepCount(total, kMaxPropagationStep, kMinPropagationSteps);
    const double dt = total / static_cast<double>(steps);
    const TwoLevelStepper stepper(ei, ej, d, dt, hbar);
    for (long k = 0; k < steps; ++k) {
        const double bias = linearSweepValueAt(sweep, sweep.startTime + (static_cast<double>(k) + 0.5) * dt);
        amplitudes = stepper.step(amplitudes, bias);
    }

    twoLevelAdiabaticBasis(ei, ej, d, linearSweepValueAt(sweep, sweep.startTime + total), u, v);
    finalLower = std::norm(u * amplitudes[0] + v * amplitudes[1]);
    finalUpper = std::norm(-v * amplitudes[0] + u * amplitudes[1]);
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

    std::vector<StueckelbergFringePoint> points;
    points.reserve(static_cast<std::size_t>(n));
    LinearSweep held = sweep;
    for (int k = 0; k < n; ++k) {
        StueckelbergFringePoint point;
        point.holdDuration = evenlySpacedValue(holdMin, holdMax, k, n);
        held.holdDuration = point.holdDuration;
        point.phase = phaseIntegral(landauZener, held, hbar);
        propagateSweep(landauZener, held, hbar, point.finalLowerPopulation, point.finalUpperPopulation);
        points.push_back(point);
    }
    return points;
}

} // namespace vxo
