#pragma once

#include "experiments/DriveProtocols.h"
#include "experiments/QuantumLandauZener2D.h"

#include "plots/PlotAxes.h"
#include "plots/PlotPages.h"
#include "plots/TwoLevelPlotWidget.h"

#include <limits>

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

    // Where the panel lies in a widget `height` tall, and the bias strip
    // under it: 18 under the panel and 34 high, 4 under it and 20 high in a
    // widget too short for that beside a panel of 100 px (a short page).
    static plot::PanelLayout layout(int height = std::numeric_limits<int>::max());
    static plot::StackedBand biasStrip(int height);

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
