#pragma once

#include "plots/PlotAxes.h"
#include "plots/PlotPages.h"
#include "plots/HistoryPlotWidget.h"

namespace vxo {

// The quantum-quench history: the packet width sigmaX and the total energy
// <H> against simulation time on one time axis, each on a scale of its own
// (the width scale never below 0), and a dashed mark at the programmed quench
// time. The two curves are told apart by a colour legend and carry their
// scales' round numbers in their colours, the width's on the left with the
// grid, the energy's on the right; the times are numbered under the panel.
// Values that are not finite widen no scale and are bridged in the
// curves; a history without any finite <H> draws the energy on [-0.6, 0.6].
class QuantumQuenchPlotWidget : public HistoryPlotWidget {
public:
    using HistoryPlotWidget::HistoryPlotWidget;

    // Where the panel lies.
    static plot::PanelLayout layout();

    // The quench time; a negative time draws no mark.
    void setMarkerTime(double time);
    // Empties the history and removes the mark.
    void clear();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double markerTime_ = -1.0;
};

} // namespace vxo
