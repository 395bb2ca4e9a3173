#pragma once

#include "experiments/DriveProtocols.h"
#include "experiments/QuantumLandauZener2D.h"

#include "plots/PlotAxes.h"
#include "plots/PlotPages.h"
#include "plots/TwoLevelPlotWidget.h"

namespace vxo {

// A linear bias sweep through the avoided crossing of a double well: the
// measured populations of the instantaneous adiabatic states (lower, upper)
// and of the localised states (left, right) with the captured two-level
// weight over simulation time, a mark at the predicted crossing time running
// down through the bias strip, and in that strip the bias the sweep applies,
// scaled to its larger end value. Only samples whose Landau-Zener block is
// valid are drawn or set the time range; populations are drawn on [0, 1]
// (a NaN at 1).
class QuantumLandauZenerPlotWidget : public TwoLevelPlotWidget<LandauZenerReference> {
public:
    using TwoLevelPlotWidget::TwoLevelPlotWidget;

    // Where the panel lies.
    static plot::PanelLayout layout();

    // Copies the sweep; its bias is drawn only when it is enabled.
    void setSweep(const LinearSweep& sweep);
    // Empties the history and restores the constructor's reference and sweep.
    void reset();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    LinearSweep sweep_;
};

} // namespace vxo
