#pragma once

#include "plots/PlotAxes.h"
#include "plots/PlotPages.h"
#include "plots/HistoryPlotWidget.h"

namespace vxo {

// The periodic-drive history: the packet centre <x> and the trap centre that
// the drive imposes, mean + amplitude sin(omega t + phase) (computed from the
// drive's parameters, not recorded), on one position scale symmetric about 0,
// and the total energy <H> on a scale of its own, against simulation time from
// 0 to at least 8. Values that are not finite widen no scale and are bridged
// in the curves. The time and position axes carry round numbers on the grid,
// the energy its own numbers on the right, each scale's in its curve's colour.
class QuantumDrivePlotWidget : public HistoryPlotWidget {
public:
    using HistoryPlotWidget::HistoryPlotWidget;

    // Where the panel lies.
    static plot::PanelLayout layout();

    // Stores the drive; the phase is handed in in degrees.
    void setDriveParameters(double mean, double amplitude, double angularFrequency, double phaseDegrees);
    // Empties the history; the drive parameters stay.
    void clearHistory();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double mean_ = 0.0;
    double amplitude_ = 0.0;
    double angularFrequency_ = 0.0;
    double phase_ = 0.0; // radians
};

} // namespace vxo
