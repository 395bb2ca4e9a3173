#include "app/text/DiagnosticsRowOrder.h"

#include "app/text/DiagnosticsRowLabels.h"

#include <QRegularExpression>

#include <algorithm>
#include <array>

namespace vxo {

namespace {

// The rows one experiment panel writes: the pairs of the scattering,
// resonance, bound-state and double-well panels, and one row each for the
// others.
struct PanelRows {
    DiagnosticsRow first;
    DiagnosticsRow last;
};
constexpr std::array<PanelRows, 19> kPanels{{
    {kTunnelingRegimeRow, kTunnelingTheoryRow},
    {kScatteringStateRow, kScatteringProbabilitiesRow},
    {kResonanceRow, kResonanceReferenceRow},
    {kBoundSpectrumRow, kBoundPreparationRow},
    {kDoubleWellSplittingRow, kDoubleWellPopulationsRow},
    {kRabiRow, kRabiRow},
    {kLandauZenerRow, kLandauZenerRow},
    {kStueckelbergRow, kStueckelbergRow},
    {kRamseyRow, kRamseyRow},
    {kBerryRow, kBerryRow},
    {kLoschmidtRow, kLoschmidtRow},
    {kMoshinskyRow, kMoshinskyRow},
    {kKapitzaDiracRow, kKapitzaDiracRow},
    {kAharonovBohmRow, kAharonovBohmRow},
    {kLandauRow, kLandauRow},
    {kHallEdgeRow, kHallEdgeRow},
    {kBackflowRow, kBackflowRow},
    {kZitterbewegungRow, kZitterbewegungRow},
    {kKleinRow, kKleinRow},
}};

} // namespace

bool diagnosticsRowDecidesOrder(int row) { return row >= kTunnelingRegimeRow && row <= kKleinRow; }

bool diagnosticsPanelIdle(const std::vector<QString>& values)
{
    static const QRegularExpression inactive(QStringLiteral("\\binactive\\b"),
                                             QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression figure(QStringLiteral("\\d"));
    const bool saysInactive =
        std::any_of(values.begin(), values.end(), [](const QString& value) { return value.contains(inactive); });
    const bool holdsAFigure =
        std::any_of(values.begin(), values.end(), [](const QString& value) { return value.contains(figure); });
    return saysInactive || !holdsAFigure;
}

std::vector<int> diagnosticsRowOrder(const std::function<QString(int)>& valueOfRow)
{
    std::vector<int> shown{kLibrarySelectionRow};
    std::vector<int> idle;
    for (const PanelRows& panel : kPanels) {
        std::vector<QString> values;
        for (int row = panel.first; row <= panel.last; ++row)
            values.push_back(valueOfRow(row));
        std::vector<int>& into = diagnosticsPanelIdle(values) ? idle : shown;
        for (int row = panel.first; row <= panel.last; ++row)
            into.push_back(row);
    }
    for (int row = kLibrarySelectionRow + 1; row < kDiagnosticsRowCount; ++row)
        if (!diagnosticsRowDecidesOrder(row))
            shown.push_back(row);
    shown.insert(shown.end(), idle.begin(), idle.end());
    return shown;
}

} // namespace vxo
