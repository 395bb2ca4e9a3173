#pragma once

#include "plots/PlotAxes.h"
#include "plots/PlotPages.h"
#include "plots/ParticlePlotWidget.h"

namespace vxo {

class BouncerRecorder;

// The quantum bouncer page: a packet falling under a uniform force onto a hard
// floor. On top a carpet of the vertical marginal with height running to the
// right from just below the floor and time running downwards (each row scaled
// to its own maximum), marked with the floor and the classical turning heights
// y_f + ell |a_n| of the first eight Airy levels; below it the quantum mean
// height <y> beside the ideal elastic classical bounce from the same start.
class QuantumBouncerPlotWidget : public ParticlePlotWidget<BouncerRecorder> {
public:
    using ParticlePlotWidget::ParticlePlotWidget;

    // Where the two panels lie.
    static plot::SplitLayout layout() { return plot::carpetPageLayout().withGap(38.0).withShare(0.66); }

protected:
    std::optional<plot::SplitLayout> splitLayout() const override { return layout(); }
    void paintEvent(QPaintEvent* event) override;
};

} // namespace vxo
