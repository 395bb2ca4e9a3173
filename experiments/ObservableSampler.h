#pragma once

#include "core/EnergyObservables2D.h"
#include "experiments/ObservableSample.h"

#include <functional>

namespace vxo {

class ColumnAmplitudes2D;
class ComplexField2D;
class DensitySums2D;
class ObservableHistory;
class PotentialScene;
struct BoundStateResult;
struct LandauZenerReference;
struct LinearSweep;
struct PeriodicDrive;
struct RamseyReference;
struct RamseySequence;
struct StueckelbergReference;
class ScatteringAbsorption;

// What the main window hands to one observation besides the wave field. Null
// pointers stand for "not available" and leave the blocks that need them unset.
struct ObservationInputs {
    double time = 0.0;
    // What the step evolves psi with; the energies are that Hamiltonian's.
    SteppedHamiltonian hamiltonian;
    bool absorbingBoundaryEnabled = false;
    const PotentialField2D* potential = nullptr;

    // Potential Scene, used only while it is active and not empty.
    const PotentialScene* scene = nullptr;
    bool sceneActive = false;
    // The resonance page's latch: the packet has reached the barrier pair.
    bool resonanceLatched = false;

    // Single legacy barrier (scene inactive, geometry "Barrier") and the
    // scattering page's latch for it.
    bool legacyBarrier = false;
    bool legacyBarrierLatched = false;
    double legacyBarrierCenterX = 0.0;
    double legacyBarrierThickness = 0.0;
    // What the absorbing layer has taken from the packet at the barrier;
    // with it, reflection and transmission are shares of the whole packet.
    const ScatteringAbsorption* scatteringAbsorption = nullptr;

    // Drives and the two-level bases and references built from them.
    const PeriodicDrive* periodicDrive = nullptr;
    const LinearSweep* linearSweep = nullptr;
    const RamseySequence* ramseySequence = nullptr;
    const BoundStateResult* boundStates = nullptr;  // bound-state page (Rabi)
    const BoundStateResult* sweepStates = nullptr;  // Landau-Zener / Stueckelberg: the stepped potential's pair
    const BoundStateResult* ramseyStates = nullptr; // Ramsey
    const LandauZenerReference* landauZener = nullptr;
    const StueckelbergReference* stueckelberg = nullptr;
    const RamseyReference* ramseyReference = nullptr;

    // The density sums of psi when the caller has them already (they are
    // shared with the other readers of a tick); null: taken from psi here.
    const DensitySums2D* densitySums = nullptr;
    // The energies of the stepped Hamiltonian when the caller has them
    // already (the magnetic step's come with the current it shows, from one
    // pass); null: taken from psi here.
    const EnergyObservables2D* energies = nullptr;
    // psi's column sums, which every two-level projection reads, asked for
    // only when a two-level block is measured (shared the same way); empty:
    // taken from psi here, at most once.
    std::function<const ColumnAmplitudes2D&()> columnAmplitudes;
};

// Condenses the wave field into one ObservableSample: moments, absorbed
// probability, energies and drift against the oldest sample of the history,
// then the scattering, double-well and two-level blocks, each under its own
// condition. The sample is returned, not pushed.
class ObservableSampler {
public:
    // Energies need a potential on the wave field's grid; a mismatch is an
    // invalid argument of the energy observables and propagates.
    static ObservableSample observe(const ComplexField2D& psi, const ObservableHistory& history,
                                    const ObservationInputs& inputs);

    // The packet has reached a barrier pair: more than 2.5 % of the probability
    // under the barriers or in the cavity, or more than 1 % beyond them.
    static bool packetReachedBarriers(double barriersAndCavityFraction, double rightFraction);
};

} // namespace vxo
