#pragma once

#include "plots/HistoryPlotWidget.h"

namespace vxo {

// A history plot of a two-level experiment drawn over the prediction of its
// two-level model (Rabi, Landau-Zener, Stueckelberg, Ramsey): what the plot
// marks from the prediction (periods, crossings, pulses) it draws only when
// the prediction is valid.
template <typename Reference>
class TwoLevelPlotWidget : public HistoryPlotWidget {
public:
    using HistoryPlotWidget::HistoryPlotWidget;

    // Copies the prediction, an invalid one included, and repaints.
    void setTwoLevelReference(const Reference& reference) { this->keep(reference_, reference); }

protected:
    Reference reference_;
};

} // namespace vxo
