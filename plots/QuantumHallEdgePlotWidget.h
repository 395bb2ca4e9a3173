#pragma once

#include "plots/OrbitPlotWidget.h"

namespace vxo {

class HallEdgeRecorder;

// The Hall-edge page: the trajectory of the mean position in a fixed window
// over the confining edge and its wall, and under it the probability in the
// edge strip and the drift along the edge against time, with the chirality
// and the newest sample summarised.
class QuantumHallEdgePlotWidget : public OrbitPlotWidget<HallEdgeRecorder> {
public:
    using OrbitPlotWidget::OrbitPlotWidget;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace vxo
