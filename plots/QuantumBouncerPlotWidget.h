#pragma once

#include "plots/PlotFrame.h"
#include "plots/RecorderPlotWidget.h"

namespace vxo {

class BouncerRecorder;

// The quantum bouncer page: a packet falling under a uniform force onto a hard
// floor. On top a carpet of the vertical marginal with height running to the
// right from just below the floor and time running downwards (each row scaled
// to its own maximum), marked with the floor and the classical turning heights
// y_f + ell |a_n| of the first eight Airy levels; below it the quantum mean
// height <y> beside the ideal elastic classical bounce from the same start.
//
// The widget reads the main window's recorder through a non-owning pointer at
// paint time and keeps copies of the mass and hbar.
class QuantumBouncerPlotWidget : public RecorderPlotWidget<BouncerRecorder> {
public:
    using RecorderPlotWidget::RecorderPlotWidget;

    // Stores the pointer (null means no data), the mass and hbar.
    void setRecorder(const BouncerRecorder* recorder, double mass, double hbar);

    // Where the two panels lie.
    static plot::SplitLayout layout();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double mass_ = 1.0;
    double hbar_ = 1.0;
};

} // namespace vxo
