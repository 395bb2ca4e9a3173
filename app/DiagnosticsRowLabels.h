#pragma once

namespace vxo {

// The fixed layout of the diagnostics table: 77 rows, each addressed by its
// index for good. Rows 0 to 32 and 57 to 75 are rewritten by every
// diagnostics refresh, rows 33 to 56 belong to the experiment panels and the
// bound-state status, row 76 keeps its text.
struct DiagnosticsRowLabels {
    const char* section;
    const char* parameter;
    // The value shown from the set-up until the row's writer first runs
    // (row 0 shows the selected library entry instead).
    const char* initialValue;
};

constexpr int kDiagnosticsRowCount = 77;

// The labels of one row; `row` must lie in [0, kDiagnosticsRowCount).
const DiagnosticsRowLabels& diagnosticsRowLabels(int row);

// The rows written by the experiment panels and the bound-state status.
enum DiagnosticsPanelRow : int {
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
};

} // namespace vxo
