#pragma once

namespace vxo {

// One record of global observables per simulation tick. Every field starts at
// zero and every flag false, so a block the tick did not measure reads as
// absent: readers look at the block's flag before its values.
struct ObservableSample {
    double time = 0.0;
    double meanX = 0.0;
    double meanY = 0.0;
    double sigmaX = 0.0;
    double sigmaY = 0.0;
    double norm = 0.0;
    // max(0, 1 - norm) while the absorbing boundary is on, else 0.
    double absorbedProbability = 0.0;
    // Shares of the whole packet left and right of the barrier, what the
    // absorbing layer took on each side included.
    double reflectedProbability = 0.0;
    double transmittedProbability = 0.0;
    double kineticEnergy = 0.0;
    double potentialEnergy = 0.0;
    double totalEnergy = 0.0;
    // 100 (<H> - H0) / H0 with H0 the total energy of the oldest stored sample.
    double energyDriftPercent = 0.0;
    bool scatteringValid = false;

    double leftWellProbability = 0.0;
    double rightWellProbability = 0.0;
    double barrierProbability = 0.0;
    bool doubleWellValid = false;

    double rabiPopulation1 = 0.0;
    double rabiPopulation2 = 0.0;
    double rabiCaptured = 0.0;
    bool rabiValid = false;

    double landauZenerLeft = 0.0;
    double landauZenerRight = 0.0;
    double landauZenerLower = 0.0;
    double landauZenerUpper = 0.0;
    double landauZenerCaptured = 0.0;
    bool landauZenerValid = false;

    double stueckelbergLeft = 0.0;
    double stueckelbergRight = 0.0;
    double stueckelbergLower = 0.0;
    double stueckelbergUpper = 0.0;
    double stueckelbergCaptured = 0.0;
    bool stueckelbergValid = false;

    double ramseyPopulation1 = 0.0;
    double ramseyPopulation2 = 0.0;
    double ramseyCaptured = 0.0;
    bool ramseyValid = false;
};

} // namespace vxo
