// The order the diagnostics table shows its rows in: the panels that show
// the loaded experiment right under its name, the general rows after them,
// the panels that show nothing of it last; every row once.

#include "app/text/DiagnosticsRowLabels.h"
#include "app/text/DiagnosticsRowOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

namespace vxo {
namespace {

TEST(DiagnosticsRowOrder, TheLoadedExperimentsPanelsComeFirstAndThoseThatShowNothingLast)
{
    // Every panel as a run of the tunnelling guide leaves it, a few changed.
    std::map<int, QString> values;
    for (int row = 0; row < kDiagnosticsRowCount; ++row)
        values[row] = diagnosticsRowDecidesOrder(row) ? QStringLiteral("inactive") : QStringLiteral("0.000");
    values[kTunnelingRegimeRow] = QStringLiteral("TUNNELING  Ex < V0   Ex=3.1250");
    values[kTunnelingTheoryRow] = QStringLiteral("T=0.3440   R=0.6560");
    // No figure in either row: a hint to set something up.
    values[kScatteringStateRow] = QStringLiteral("Potential Scene: no dedicated R/T partition");
    values[kScatteringProbabilitiesRow] = QStringLiteral("Double-barrier analysis requires only Barrier objects.");
    // One row of the pair says inactive: the pair goes, the figure of the other with it.
    values[kResonanceReferenceRow] = QStringLiteral("Pcav=0.0000");
    values[kBoundSpectrumRow] = QStringLiteral("5 states   Ec=5.00000");
    values[kBoundPreparationRow] = QStringLiteral("Gaussian packet");
    values[kRabiRow] = QStringLiteral("omega12=0.30554  omega=0.50000");
    // Figures, but an inactive recorder's.
    values[kBerryRow] = QStringLiteral("Berry recorder inactive: enabled=no  samples=0  t=0.000");

    const std::vector<int> order = diagnosticsRowOrder([&values](int row) { return values.at(row); });

    std::vector<int> expected{kLibrarySelectionRow, kTunnelingRegimeRow,  kTunnelingTheoryRow,
                              kBoundSpectrumRow,    kBoundPreparationRow, kRabiRow};
    for (int row = kLibrarySelectionRow + 1; row < kDiagnosticsRowCount; ++row)
        if (!diagnosticsRowDecidesOrder(row))
            expected.push_back(row);
    for (int row = kTunnelingRegimeRow; row <= kKleinRow; ++row)
        if (std::find(expected.begin(), expected.end(), row) == expected.end())
            expected.push_back(row);
    EXPECT_EQ(order, expected);
    EXPECT_EQ(expected.size(), std::size_t(kDiagnosticsRowCount)) << "every row once";
    // The panel rows are exactly those between the general rows.
    EXPECT_FALSE(diagnosticsRowDecidesOrder(kMomentumResolutionRow));
    EXPECT_TRUE(diagnosticsRowDecidesOrder(kTunnelingRegimeRow));
    EXPECT_TRUE(diagnosticsRowDecidesOrder(kKleinRow));
    EXPECT_FALSE(diagnosticsRowDecidesOrder(kCurrentMaximumRow));
}

} // namespace
} // namespace vxo
