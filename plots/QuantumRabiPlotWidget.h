#pragma once

#include "experiments/QuantumRabi2D.h"

#include "plots/PlotAxes.h"
#include "plots/PlotPages.h"
#include "plots/TwoLevelPlotWidget.h"

namespace vxo {

// Driven two-level dynamics of a double well: the measured populations of
// the two lowest stationary states and the captured two-level weight over
// simulation time, behind them the dashed rotating-wave prediction
// P2(t) = (Omega_R / Omega)^2 sin^2(Omega t / 2) (and 1 - P2 for state 1)
// with a mark at the predicted pi-pulse time. Only samples whose Rabi block
// is valid are drawn or set the time range; populations are drawn on [0, 1]
// (a NaN at 1).
class QuantumRabiPlotWidget : public TwoLevelPlotWidget<RabiReference> {
public:
    using TwoLevelPlotWidget::TwoLevelPlotWidget;

    // Where the panel lies.
    static plot::PanelLayout layout();

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace vxo
