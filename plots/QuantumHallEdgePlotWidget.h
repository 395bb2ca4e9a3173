#pragma once

#include "plots/PlotFrame.h"
#include "plots/RecorderPlotWidget.h"

namespace vxo {

class HallEdgeRecorder;

// The Hall-edge page: the trajectory of the mean position in a fixed window
// over the confining edge and its wall, and under it the probability in the
// edge strip and the drift along the edge against time, with the chirality
// and the newest sample summarised. Reads the main window's recorder through
// a non-owning pointer at paint time; a null, unconfigured or empty recorder
// shows the placeholder.
class QuantumHallEdgePlotWidget : public RecorderPlotWidget<HallEdgeRecorder> {
public:
    using RecorderPlotWidget::RecorderPlotWidget;

    // Where the two panels lie.
    static plot::StackedLayout layout();

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace vxo
