#pragma once

#include "experiments/QuantumLandauZener2D.h"

#include <vector>

namespace vxo {

struct BoundStateResult;
struct LinearSweep;

// Two-level prediction of a sweep out through zero bias, a hold and a return
// through zero.
struct StueckelbergReference {
    bool valid = false;
    LandauZenerReference landauZener;
    double firstCrossingTime = 0.0;
    double secondCrossingTime = 0.0;
    double stueckelbergPhase = 0.0;
    double finalLowerPopulation = 0.0;
    double finalUpperPopulation = 0.0;
};

struct StueckelbergFringePoint {
    double holdDuration = 0.0;
    double phase = 0.0;
    double finalLowerPopulation = 0.0;
    double finalUpperPopulation = 0.0;
};

// The sweep with return passes the avoided crossing twice, at t1 on the way out
// and at t2 on the way back. Each passage splits the state between the two
// adiabatic levels like a beam splitter; between them the two paths gather the
// Stueckelberg phase
//   phi_S = (1/hbar) int_{t1}^{t2} sqrt(Delta^2 + (2 d F(t))^2) dt,
// so the final populations oscillate with the hold time (interference fringes).
// The final populations are obtained by propagating the two-level model along
// the schedule: the two ramps in fourth-order steps that follow the turn of
// the state, the hold in one exact step.
class QuantumStueckelberg2D {
public:
    // Midpoint rule with 4096 intervals; 0 unless t2 > t1 and hbar > 0.
    static double phaseIntegral(const LandauZenerReference& reference, const LinearSweep& sweep, double hbar);
    // Starts in the lower adiabatic state of H(startValue) and ends with the
    // populations of the adiabatic states of H at the end of the schedule;
    // both 0 unless the reference is valid, the sweep analyzable and hbar > 0.
    static void propagateSweep(const LandauZenerReference& reference, const LinearSweep& sweep, double hbar,
                               double& finalLower, double& finalUpper);
    static StueckelbergReference reference(const BoundStateResult& result, const LinearSweep& sweep, int i, int j,
                                           double hbar);
    // Fringe over hold times holdMin..holdMax (n points); empty when the range
    // is not valid, holdMin included: a hold cannot be negative.
    static std::vector<StueckelbergFringePoint> holdTimeScan(const BoundStateResult& result, const LinearSweep& sweep,
                                                             double holdMin, double holdMax, int n, int i, int j,
                                                             double hbar);
};

// Enabled, with return, parameter 6, finite values, startTime >= 0, duration > 0,
// holdDuration >= 0, returnDuration > 0, startValue != endValue, and zero bias
// crossed both on the way out and on the way back.
bool isReturnSweepAnalyzable(const LinearSweep& sweep);

} // namespace vxo
