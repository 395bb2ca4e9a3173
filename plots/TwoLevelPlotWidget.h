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
    // What an empty plot says instead of asking for its experiment, where
    // the experiment is loaded but gives nothing to draw; empty: the plot's
    // own hint. A reset() of the plot leaves it to the page to say again.
    void setEmptyReason(const QString& reason) { this->keep(emptyReason_, reason); }
    const QString& emptyReason() const { return emptyReason_; }

protected:
    // The reason set, else the plot's own hint.
    QString emptyText(const QString& hint) const { return emptyReason_.isEmpty() ? hint : emptyReason_; }

    Reference reference_;
    QString emptyReason_;
};

} // namespace vxo
