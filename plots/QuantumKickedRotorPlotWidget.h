#pragma once

#include "plots/RecorderPlotWidget.h"

class QPainter;

namespace vxo {

class KickedRotorRecorder;

// The kicked-rotor page: a packet on a periodic x domain kicked at regular
// times. On top the stroboscopic carpet, one row per recorded kick (oldest at
// the top) and one column per momentum mode, coloured by sqrt(P(n) / Pmax);
// below the mean square mode <n^2> against the number of kicks, the quantum
// value (which stops growing: dynamical localisation) beside the classical
// standard map (which keeps diffusing).
class QuantumKickedRotorPlotWidget : public RecorderPlotWidget<KickedRotorRecorder> {
public:
    using RecorderPlotWidget::RecorderPlotWidget;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // One <n^2> series of the lower panel against the kick count.
    void drawSeries(QPainter& painter, const QRect& panel, double kicks, double scale, bool classical) const;
};

} // namespace vxo
