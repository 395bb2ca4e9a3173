#pragma once

#include "plots/RecorderPlotWidget.h"

namespace vxo {

class KapitzaDiracRecorder;

// The Kapitza-Dirac page: a carpet of the momentum distribution along p_x
// (one row per sample, time running downwards) on the newest sample's p axis,
// with gold guides at the diffraction orders n G, and under it a bar chart of
// the newest order populations with the phase of the experiment and the
// pulse area.
class QuantumKapitzaDiracPlotWidget : public RecorderPlotWidget<KapitzaDiracRecorder> {
public:
    using RecorderPlotWidget::RecorderPlotWidget;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace vxo
