#pragma once

namespace vxo {

// The fixed layout of the diagnostics table: every row is addressed by its
// index for good (DiagnosticsRow names them). The panel rows, from
// kTunnelingRegimeRow to kKleinRow, belong to the experiment panels and the
// bound-state status; the pipeline row keeps its text; every diagnostics
// refresh rewrites the others.
struct DiagnosticsRowLabels {
    const char* section;
    const char* parameter;
    // The value shown from the set-up until the row's writer first runs
    // (the library-selection row shows the selected library entry instead).
    const char* initialValue;
};

// Every row of the table by what it shows, in table order.
enum DiagnosticsRow : int {
    // Identity, transport, simulation, universe, grid and solver.
    kLibrarySelectionRow = 0,
    kTransportStateRow = 1,
    kTransportSpeedRow = 2,
    kTimerStepsRow = 3,
    kTimeRow = 4,
    kStepRow = 5,
    kNormRow = 6,
    kAbsorbedProbabilityRow = 7,
    kPhysicalSizeRow = 8,
    kBoundaryRow = 9,
    kGridSizeRow = 10,
    kGridSpacingRow = 11,
    kTimeStepRow = 12,
    // Wave packet, observables, potential and momentum space.
    kPacketCenterRow = 13,
    kPacketSigmaRow = 14,
    kPacketMomentumRow = 15,
    kPacketMassRow = 16,
    kPacketKineticEnergyRow = 17,
    kPacketEnergyXRow = 18,
    kMeanPositionRow = 19,
    kPositionSpreadRow = 20,
    kGeometryRow = 21,
    kViewportEditorRow = 22,
    kPotentialStrengthRow = 23,
    kPotentialPositionRow = 24,
    kPotentialDimensionsRow = 25,
    kPotentialApertureRow = 26,
    kPotentialRangeRow = 27,
    kPotentialContoursRow = 28,
    kProbabilityContoursRow = 29,
    kMeanMomentumRow = 30,
    kMomentumSpreadRow = 31,
    kMomentumResolutionRow = 32,
    // The experiment panels and the bound-state status.
    kTunnelingRegimeRow = 33,
    kTunnelingTheoryRow = 34,
    kScatteringStateRow = 35,
    kScatteringProbabilitiesRow = 36,
    kResonanceRow = 37,
    kResonanceReferenceRow = 38,
    kBoundSpectrumRow = 39,
    kBoundPreparationRow = 40,
    kDoubleWellSplittingRow = 41,
    kDoubleWellPopulationsRow = 42,
    kRabiRow = 43,
    kLandauZenerRow = 44,
    kStueckelbergRow = 45,
    kRamseyRow = 46,
    kBerryRow = 47,
    kLoschmidtRow = 48,
    kMoshinskyRow = 49,
    kKapitzaDiracRow = 50,
    kAharonovBohmRow = 51,
    kLandauRow = 52,
    kHallEdgeRow = 53,
    kBackflowRow = 54,
    kZitterbewegungRow = 55,
    kKleinRow = 56,
    // Probability current, analysis, energies, measurement and rendering.
    kCurrentMaximumRow = 57,
    kCurrentIntegralRow = 58,
    kCrossSectionRow = 59,
    kTimeHistoryRow = 60,
    kKineticEnergyRow = 61,
    kPotentialEnergyRow = 62,
    kTotalEnergyRow = 63,
    kEnergyDriftRow = 64,
    kAccumulatedHitsRow = 65,
    kLastBatchRow = 66,
    kCollapseRow = 67,
    kCollapseSpreadsRow = 68,
    kDetectorScreenRow = 69,
    kCrossingProbabilityRow = 70,
    kHitsFluxDistanceRow = 71,
    kRenderingPresetRow = 72,
    kRenderingViewRow = 73,
    kRenderingDisplayRow = 74,
    kPostProcessRow = 75,
    kPipelineRow = 76,
};

constexpr int kDiagnosticsRowCount = kPipelineRow + 1;

// The labels of one row; `row` must lie in [0, kDiagnosticsRowCount).
const DiagnosticsRowLabels& diagnosticsRowLabels(int row);

} // namespace vxo
