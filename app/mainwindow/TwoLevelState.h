#pragma once

#include "experiments/BoundStateResult.h"
#include "experiments/FollowedPairBasis.h"
#include "experiments/QuantumDoubleWell2D.h"
#include "experiments/QuantumLandauZener2D.h"
#include "experiments/QuantumRabi2D.h"
#include "experiments/QuantumRamsey2D.h"
#include "experiments/QuantumStueckelberg2D.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vxo {

// The two-level analyses of the window: the double well's two-mode model and
// the references the sweep and Ramsey panels compare the run against, each
// calibrated on the bound states of the potential the rebuild made. A
// reference reset to its default reads as "not calibrated".
struct TwoLevelState {
    DoubleWellConfig doubleWellConfig;
    TwoLevelParameters doubleWellParameters;
    RabiReference rabiReference;
    // The potential the run started from (the rebuild's, before any protocol
    // moved it): states computed from another one are stale for the pages
    // that predict from them.
    std::uint64_t startPotentialFingerprint = 0;

    // Linear sweep: the spectrum it was calibrated on, the Landau-Zener and
    // Stueckelberg references and the Stueckelberg hold-time scan.
    BoundStateResult sweepBoundStates;
    LandauZenerReference landauZenerReference;
    StueckelbergReference stueckelbergReference;
    std::vector<StueckelbergFringePoint> stueckelbergHoldScan;
    // The pair of the potential as the sweep left it last, kept while that
    // potential's middle row stands still (before the sweep, a hold, its
    // end), with the potential (identity, revision) it was last checked
    // against; the pairs relaxed along the sweep, in whose span the pair of
    // a moved row is found; and the relaxations and the pairs found in that
    // span since the window opened.
    mutable BoundStateResult steppedSweepPair;
    mutable std::uint64_t steppedPairIdentity = 0;
    mutable std::uint64_t steppedPairRevision = 0;
    mutable FollowedPairBasis steppedPairBasis;
    mutable std::uint64_t steppedPairRelaxations = 0;
    mutable std::uint64_t steppedPairsFromBasis = 0;

    // Ramsey sequence: spectrum, reference, fringe scan and the dephasing
    // ensemble with its scan.
    BoundStateResult ramseyBoundStates;
    RamseyReference ramseyReference;
    std::vector<RamseyFringePoint> ramseyFringeScan;
    RamseyEnsembleResult ramseyEnsemble;
    std::vector<RamseyEnsemblePoint> ramseyEnsembleScan;

    // The scans computed last, each with everything it was computed from (the
    // basis whole, the settings, hbar): a rebuild or a panel that asks again
    // with the same inputs takes them instead of computing them again.
    struct KeptScans {
        std::vector<double> stueckelbergInputs;
        std::vector<StueckelbergFringePoint> stueckelbergHoldScan;
        std::vector<double> ramseyInputs;
        std::vector<RamseyFringePoint> ramseyFringeScan;
        RamseyEnsembleResult ramseyEnsemble;
        std::vector<RamseyEnsemblePoint> ramseyEnsembleScan;
        std::uint64_t computed = 0; // since the window opened
    } keptScans;

    // The double-well spectra computed last (the sweep's and the Ramsey
    // sequence's biases), reused while the grid they were computed from, the
    // mass and hbar are the same: a Reset does not relax the states again,
    // which on the finest grid takes most of a rebuild.
    static constexpr std::size_t kBasesKept = 2;
    mutable std::vector<BoundStateResult> recentBases;
};

} // namespace vxo
