#pragma once

#include "experiments/QuantumBilliard2D.h"

#include "plots/PlotAxes.h"
#include "plots/PlotPages.h"
#include "plots/RecordPlotWidget.h"

namespace vxo {

class BilliardRecorder;

// The quantum billiard page (rectangular or Sinai): on top the time-averaged
// density inside the interior as a colour map scaled to its largest cell, with
// the circular scatterer drawn over it; below it the occupied fraction of the
// free area, the fidelity to psi(0) and, with a scatterer, four times the
// probability in the thin shell around it, against time.
class QuantumBilliardPlotWidget : public RecordPlotWidget<BilliardRecorder, BilliardConfig> {
public:
    using RecordPlotWidget::RecordPlotWidget;

    // Where the two panels lie.
    // Room between the panels for two legend rows and the lower title.
    static plot::SplitLayout layout() { return plot::carpetPageLayout().withLeft(62.0).withShare(0.63).withGap(56.0); }

protected:
    std::optional<plot::SplitLayout> splitLayout() const override { return layout(); }
    void paintEvent(QPaintEvent* event) override;
};

} // namespace vxo
