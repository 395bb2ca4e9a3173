#pragma once

#include <QString>

#include <functional>
#include <vector>

namespace vxo {

// The order in which the diagnostics table shows its rows; the rows keep
// their fixed indices, only the view is ordered. Right under the experiment's
// name come the rows of the experiment panels that show the loaded
// experiment, so that a guide pointing at one of them is followed without
// scrolling; then the general rows in table order; last the panels that show
// nothing of it: a panel reads "inactive", or none of its values holds a
// figure ("n/a", a hint to set something up). `valueOfRow` gives a row's
// value text. Every row index occurs once.
std::vector<int> diagnosticsRowOrder(const std::function<QString(int)>& valueOfRow);

// Whether the rows an experiment panel writes, given by their values, show
// nothing of the loaded experiment (as above).
bool diagnosticsPanelIdle(const std::vector<QString>& values);

// The rows whose values decide the order: those of the experiment panels.
bool diagnosticsRowDecidesOrder(int row);

} // namespace vxo
