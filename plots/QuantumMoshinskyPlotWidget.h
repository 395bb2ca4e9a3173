#pragma once

#include "plots/RecorderPlotWidget.h"

namespace vxo {

class MoshinskyRecorder;

// The Moshinsky-shutter page: a carpet of the line density P(x, t) (time
// running downwards, each sample's row placed at its recording time on the
// same 0..tEnd scale as the opening-time line and the labels) with the
// shutter, the detector and the opening time marked, and under it the line
// density at the detector against time, numbered in round times and scaled
// so that its largest value stands just under the summary line.
class QuantumMoshinskyPlotWidget : public RecorderPlotWidget<MoshinskyRecorder> {
public:
    using RecorderPlotWidget::RecorderPlotWidget;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace vxo
