#pragma once

#include "experiments/QuantumRevival2D.h"

#include "plots/PlotFrame.h"
#include "plots/RecorderPlotWidget.h"

namespace vxo {

class RevivalRecorder;

// The wave-packet revivals page: on top the quantum carpet, the x-marginal of
// the packet across the box interior with one row per recorded sample (time
// running downwards, each row scaled to its own maximum); below it the
// recurrence fidelity |<psi(0)|psi(t)>|^2 against time. Dashed markers at the
// quarter, half, three-quarter and full revival times T_rev = 4 m L^2 / (pi
// hbar) of the box width cross both panels.
//
// The widget reads the main window's recorder through a non-owning pointer at
// paint time and keeps copies of the box record, the mass and hbar.
class QuantumRevivalPlotWidget : public RecorderPlotWidget<RevivalRecorder> {
public:
    using RecorderPlotWidget::RecorderPlotWidget;

    // Stores the pointer (null means no data) and copies the box, mass and hbar.
    void setRecorder(const RevivalRecorder* recorder, const RevivalBoxConfig& config, double mass, double hbar);
    // Drops the pointer and zeroes the box; mass and hbar stay.
    void reset();

    // Where the two panels lie.
    static plot::SplitLayout layout();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    RevivalBoxConfig boxConfig_;
    double mass_ = 1.0;
    double hbar_ = 1.0;
};

} // namespace vxo
