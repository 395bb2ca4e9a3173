#pragma once

#include "experiments/DriveProtocols.h"
#include "experiments/ObservableSample.h"
#include "experiments/QuantumStueckelberg2D.h"

#include "plots/PlotHistories.h"
#include "plots/TwoLevelPlotWidget.h"

#include <vector>

namespace vxo {

// Landau-Zener-Stueckelberg interference: the bias of a double well is swept
// through zero, held and swept back, so the two passages through the avoided
// crossing interfere. Three stacked panels share the widget's width: the
// measured two-level populations against time from 0 with the reference's two
// crossing times marked down through the strip, the sweep's bias profile, and
// the hold-time fringe (predicted final lower-state population against the
// turnaround hold) with the current hold marked. Only samples whose
// Stueckelberg block is valid are drawn or stretch the time axis;
// populations are drawn on [0, 1] (a NaN at 1).
class QuantumStueckelbergPlotWidget : public TwoLevelPlotWidget<StueckelbergReference> {
public:
    using TwoLevelPlotWidget::TwoLevelPlotWidget;

    // Where the three panels lie.
    static plot::InterferenceLayout layout();

    // Copies the sweep; its bias is drawn only when it is enabled.
    void setSweep(const LinearSweep& sweep);
    // Copies the hold-time scan; fewer than two points show the placeholder.
    void setFringeScan(const std::vector<StueckelbergFringePoint>& points);
    // Empties history and scan and restores the constructor's reference and sweep.
    void reset();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<StueckelbergFringePoint> fringe_;
    LinearSweep sweep_;
};

} // namespace vxo
