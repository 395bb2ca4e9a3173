#pragma once

#include "plots/PlotAxes.h"
#include "plots/PlotPages.h"
#include "plots/HistoryPlotWidget.h"

namespace vxo {

// Coherent tunnelling in a symmetric double well: the probabilities in the
// left and right well against simulation time, behind them the ideal
// two-level exchange P_left = cos^2(pi t / T), P_right = sin^2(pi t / T) of
// the tunnelling period T (in absolute time) with a mark at T / 2, where the
// packet has moved completely into the other well. Only samples whose
// double-well block is valid are drawn or set the time range; populations
// are drawn on [0, 1] (a NaN at 1).
class QuantumDoubleWellPlotWidget : public HistoryPlotWidget {
public:
    using HistoryPlotWidget::HistoryPlotWidget;

    // Where the panel lies.
    static plot::PanelLayout layout();

    // The period T = 2 pi hbar / splitting; 0 or less hides the prediction.
    void setTunnellingPeriod(double period);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double tunnellingPeriod_ = 0.0;
};

} // namespace vxo
