#include "experiments/ObservableSampler.h"

#include "core/ColumnAmplitudes2D.h"
#include "core/DensitySums2D.h"
#include "core/EnergyObservables2D.h"
#include "core/PotentialScene.h"
#include "experiments/BoundStateResult.h"
#include "experiments/DriveProtocols.h"
#include "experiments/ObservableHistory.h"
#include "experiments/QuantumDoubleWell2D.h"
#include "experiments/QuantumLandauZener2D.h"
#include "experiments/QuantumRamsey2D.h"
#include "experiments/QuantumResonance2D.h"
#include "experiments/QuantumStueckelberg2D.h"
#include "experiments/ScatteringAbsorption.h"

#include <algorithm>

namespace vxo {

namespace {

// Half-width of the region counted as "at the barrier" around a single legacy
// barrier: half its thickness plus a margin, at least 0.6.
double legacyBarrierHalfWidth(double thickness) { return std::max(0.5 * thickness + 0.36, 0.6); }

bool drivesBias(bool enabled, std::int32_t parameter) { return enabled && parameter == SceneParameterSlopeX; }

void observeScattering(ObservableSample& sample, const ObservationInputs& in, bool sceneUsable)
{
    if (sceneUsable) {
        DoubleBarrierConfig config;
        if (!QuantumResonance2D::extractFromScene(*in.scene, config, nullptr))
            return;
        const DoubleBarrierRegions inBox = QuantumResonance2D::regionProbabilities(*in.densitySums, config);
        const DoubleBarrierRegions regions =
            in.scatteringAbsorption ? in.scatteringAbsorption->ofWholePacket(inBox) : inBox;
        if (!ObservableSampler::packetReachedBarriers(regions.barriersFraction + regions.cavityFraction,
                                                      regions.rightFraction) &&
            !in.resonanceLatched)
            return;
        sample.reflectedProbability = regions.leftFraction;
        sample.transmittedProbability = regions.rightFraction;
        sample.scatteringValid = true;
        return;
    }
    if (in.sceneActive || !in.legacyBarrier || !in.legacyBarrierLatched)
        return;
    const double h = legacyBarrierHalfWidth(in.legacyBarrierThickness);
    const RegionProbabilities inBox = in.densitySums->regions(in.legacyBarrierCenterX - h, in.legacyBarrierCenterX + h);
    const RegionProbabilities regions = in.scatteringAbsorption ? in.scatteringAbsorption->ofWholePacket(inBox) : inBox;
    sample.reflectedProbability = regions.leftFraction;
    sample.transmittedProbability = regions.rightFraction;
    sample.scatteringValid = true;
}

void observeRabi(ObservableSample& sample, const ObservationInputs& in)
{
    // Gated on the result being usable, not on its staleness: the populations
    // are projections on whatever basis the page computed.
    if (!in.periodicDrive || !drivesBias(in.periodicDrive->enabled, in.periodicDrive->parameter) || !in.boundStates ||
        !in.boundStates->ok || in.boundStates->states.size() < 2)
        return;
    const TwoLevelPopulations populations =
        QuantumDoubleWell2D::twoLevelPopulations(in.columnAmplitudes(), *in.boundStates, 0, 1);
    if (!populations.valid)
        return;
    sample.rabiPopulation1 = populations.population1;
    sample.rabiPopulation2 = populations.population2;
    sample.rabiCaptured = populations.captured;
    sample.rabiValid = true;
}

void observeRamsey(ObservableSample& sample, const ObservationInputs& in)
{
    if (!in.ramseySequence || !drivesBias(in.ramseySequence->enabled, in.ramseySequence->parameter) ||
        !in.ramseyStates || !in.ramseyStates->ok || !in.ramseyReference || !in.ramseyReference->valid)
        return;
    const TwoLevelPopulations populations =
        QuantumRamsey2D::twoLevelPopulations(in.columnAmplitudes(), *in.ramseyStates, 0, 1);
    if (!populations.valid)
        return;
    sample.ramseyPopulation1 = populations.population1;
    sample.ramseyPopulation2 = populations.population2;
    sample.ramseyCaptured = populations.captured;
    sample.ramseyValid = true;
}

// The Landau-Zener reference a sweep's populations are measured against: the
// stored one for a single passage, the one inside the stored Stueckelberg
// reference for a sweep with return; null while that reference is not valid.
const LandauZenerReference* sweepReference(const ObservationInputs& in)
{
    if (!in.linearSweep->returnEnabled)
        return in.landauZener && in.landauZener->valid ? in.landauZener : nullptr;
    return in.stueckelberg && in.stueckelberg->valid ? &in.stueckelberg->landauZener : nullptr;
}

void observeSweep(ObservableSample& sample, const ObservationInputs& in)
{
    if (!in.linearSweep || !drivesBias(in.linearSweep->enabled, in.linearSweep->parameter) || !in.sweepStates ||
        !in.sweepStates->ok)
        return;
    const LandauZenerReference* reference = sweepReference(in);
    if (!reference)
        return;
    const SweepPopulations p =
        QuantumLandauZener2D::steppedPopulations(in.columnAmplitudes(), *in.sweepStates, *reference);
    if (!p.valid)
        return;
    if (!in.linearSweep->returnEnabled) {
        sample.landauZenerLeft = p.leftPopulation;
        sample.landauZenerRight = p.rightPopulation;
        sample.landauZenerLower = p.lowerPopulation;
        sample.landauZenerUpper = p.upperPopulation;
        sample.landauZenerCaptured = p.captured;
        sample.landauZenerValid = true;
    } else {
        sample.stueckelbergLeft = p.leftPopulation;
        sample.stueckelbergRight = p.rightPopulation;
        sample.stueckelbergLower = p.lowerPopulation;
        sample.stueckelbergUpper = p.upperPopulation;
        sample.stueckelbergCaptured = p.captured;
        sample.stueckelbergValid = true;
    }
}

} // namespace

bool ObservableSampler::packetReachedBarriers(double barriersAndCavityFraction, double rightFraction)
{
    return barriersAndCavityFraction > 0.025 || rightFraction > 0.01;
}

ObservableSample ObservableSampler::observe(const ComplexField2D& psi, const ObservableHistory& history,
                                            const ObservationInputs& in)
{
    ObservableSample sample;
    sample.time = in.time;
    // One read of |psi|^2 serves the moments and the legacy barrier's regions.
    DensitySums2D ownSums;
    ObservationInputs inputs = in;
    if (!inputs.densitySums) {
        ownSums.compute(psi);
        inputs.densitySums = &ownSums;
    }
    const PositionMoments moments = inputs.densitySums->moments();
    sample.norm = moments.norm;
    sample.meanX = moments.meanX;
    sample.meanY = moments.meanY;
    sample.sigmaX = moments.sigmaX;
    sample.sigmaY = moments.sigmaY;
    if (in.absorbingBoundaryEnabled) {
        // Not positive (a norm at or above 1, or a NaN norm) counts as nothing absorbed.
        const double absorbed = 1.0 - moments.norm;
        sample.absorbedProbability = absorbed > 0.0 ? absorbed : 0.0;
    }

    if (in.potential && !psi.empty()) {
        const EnergyObservables2D energies =
            in.energies ? *in.energies : EnergyObservables2D::ofStep(psi, *in.potential, in.hamiltonian);
        sample.kineticEnergy = energies.kinetic;
        sample.potentialEnergy = energies.potential;
        sample.totalEnergy = energies.total;
    }
    sample.energyDriftPercent = history.energyDriftPercent(sample.totalEnergy);

    const bool sceneUsable = in.sceneActive && in.scene && !in.scene->empty();
    observeScattering(sample, inputs, sceneUsable);

    if (!sceneUsable)
        return sample;
    DoubleWellConfig config;
    if (!QuantumDoubleWell2D::extractFromScene(*in.scene, config, nullptr))
        return sample;
    const DoubleWellRegions regions = QuantumDoubleWell2D::regionProbabilities(*inputs.densitySums, config);
    sample.leftWellProbability = regions.leftWellFraction();
    sample.rightWellProbability = regions.rightWellFraction();
    sample.barrierProbability = regions.barrierFraction();
    sample.doubleWellValid = true;

    // One read of psi's amplitude serves every two-level projection.
    ColumnAmplitudes2D ownColumns;
    if (!inputs.columnAmplitudes)
        inputs.columnAmplitudes = [&psi, &ownColumns]() -> const ColumnAmplitudes2D& {
            if (ownColumns.empty())
                ownColumns.compute(psi);
            return ownColumns;
        };
    observeRabi(sample, inputs);
    observeRamsey(sample, inputs);
    observeSweep(sample, inputs);
    return sample;
}

} // namespace vxo
