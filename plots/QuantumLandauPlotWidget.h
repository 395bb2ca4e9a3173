#pragma once

#include "plots/PlotFrame.h"
#include "plots/RecorderPlotWidget.h"

namespace vxo {

class LandauRecorder;

// The Landau-level page: the trajectory of the mean position in the plane
// (with the reference cyclotron circle for a displaced packet) over the mean
// energy and the survival fidelity against time (with the level energy E_n
// for a Landau eigenstate), and a summary of the field, omega_c, l_B and the
// newest sample. Reads the main window's recorder through a non-owning
// pointer at paint time; a null, unconfigured or empty recorder shows the
// placeholder.
class QuantumLandauPlotWidget : public RecorderPlotWidget<LandauRecorder> {
public:
    using RecorderPlotWidget::RecorderPlotWidget;

    // Where the two panels lie.
    static plot::StackedLayout layout();

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace vxo
