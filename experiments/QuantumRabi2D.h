#pragma once

namespace vxo {

struct BoundStateResult;
struct PeriodicDrive;

// Rotating-wave prediction for the pair (i, j) driven by a periodic bias slope.
struct RabiReference {
    bool valid = false;
    int stateI = 0;
    int stateJ = 1;
    double energyI = 0.0;
    double energyJ = 0.0;
    double transitionFrequency = 0.0;      // omega0 = |E_j - E_i| / hbar
    double driveFrequency = 0.0;           // omega
    double detuning = 0.0;                 // omega - omega0
    double dipoleElement = 0.0;            // d = <phi_i|x|phi_j>
    double rabiFrequency = 0.0;            // Omega_R = |A d| / hbar
    double generalizedRabiFrequency = 0.0; // Omega = sqrt(detuning^2 + Omega_R^2)
    double transferAmplitude = 0.0;        // (Omega_R / Omega)^2
    double piPulseTime = 0.0;              // pi / Omega
    double rabiPeriod = 0.0;               // 2 pi / Omega
};

// Rabi oscillations of a double well whose bias slope is driven as
// F(t) = A sin(omega t + phi): the drive adds F(t) x to the potential, so it
// couples the pair through A d. In the rotating-wave approximation the
// population transferred from state i to state j is
//   P_j(t) = (Omega_R / Omega)^2 sin^2(Omega t / 2).
class QuantumRabi2D {
public:
    // Valid only for a valid pair, hbar > 0 and an enabled drive of parameter 6
    // (the Linear slope X) with finite amplitude and finite omega >= 0, and Omega > 0.
    static RabiReference compute(const BoundStateResult& result, const PeriodicDrive& drive, int i, int j, double hbar);
    // 0 for an invalid reference or a negative or non-finite t; clamped to [0, 1].
    static double predictedPopulation(const RabiReference& reference, double t);
};

} // namespace vxo
