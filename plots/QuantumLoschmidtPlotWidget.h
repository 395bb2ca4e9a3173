#pragma once

#include "plots/PlotAxes.h"
#include "plots/PlotPages.h"
#include "plots/RecorderPlotWidget.h"

namespace vxo {

class LoschmidtRecorder;

// The Loschmidt-echo page: a packet evolves up to the reversal time T, time is
// reversed once (complex conjugation, optionally with a momentum error) and
// the packet evolves back; at 2T a perfect reversal restores the start. On top
// the path of the packet's centroid, outbound and back, the two axes scaled
// separately; below the density echo and the coherent-state echo against time
// with T and 2T marked.
class QuantumLoschmidtPlotWidget : public RecorderPlotWidget<LoschmidtRecorder> {
public:
    using RecorderPlotWidget::RecorderPlotWidget;

    // Where the two panels lie; side by side only where the echo panel holds its line of current values.
    static plot::SplitLayout layout() { return plot::tracePageLayout().withSideBySidePanelWidth(150.0); }

protected:
    std::optional<plot::SplitLayout> splitLayout() const override { return layout(); }
    void paintEvent(QPaintEvent* event) override;
};

} // namespace vxo
