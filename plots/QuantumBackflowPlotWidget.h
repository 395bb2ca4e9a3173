#pragma once

#include "plots/PlotAxes.h"
#include "plots/PlotPages.h"
#include "plots/RecorderPlotWidget.h"

namespace vxo {

class BackflowRecorder;

// The backflow page: the probability current through the detector line
// against time, with the intervals of negative current shaded, over the
// probability left of the detector and the accumulated backward flux, and a
// summary of the positive-momentum fraction and the backflow found so far.
class QuantumBackflowPlotWidget : public RecorderPlotWidget<BackflowRecorder> {
public:
    using RecorderPlotWidget::RecorderPlotWidget;

    // Where the two panels lie.
    static plot::StackedLayout layout();

protected:
    std::optional<plot::SplitLayout> splitLayout() const override { return plot::splitForm(layout()); }
    void paintEvent(QPaintEvent* event) override;
};

} // namespace vxo
