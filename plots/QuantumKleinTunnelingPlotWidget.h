#pragma once

#include "plots/RecorderPlotWidget.h"
#include "plots/ScanPainting.h"

namespace vxo {

class DiracKleinRecorder;

// The Klein tunnelling page: the probability left of the barrier (reflected),
// inside it and right of it (transmitted) against time, full scale at 0.92 of
// the panel's height and unclamped, on round numbers of time and probability,
// with a summary over the panel of the packet energy, the barrier, the
// incidence angle, the Klein zone, the largest transmitted probability and
// the integrated detector flux of the recorder's own configuration.
class QuantumKleinTunnelingPlotWidget : public RecorderPlotWidget<DiracKleinRecorder> {
public:
    using RecorderPlotWidget::RecorderPlotWidget;

    // Where the panel of the time traces and its texts lie, before the
    // summary and the legend take their lines.
    static plot::ScanLayout layout();
    // The layout at the widget's size, with the lines the summary and the
    // legend take.
    plot::ScanLayout scanLayout() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace vxo
