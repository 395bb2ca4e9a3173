#pragma once

#include "experiments/QuantumBilliard2D.h"

#include "plots/PlotFrame.h"
#include "plots/RecorderPlotWidget.h"

namespace vxo {

class BilliardRecorder;

// The quantum billiard page (rectangular or Sinai): on top the time-averaged
// density inside the interior as a colour map scaled to its largest cell, with
// the circular scatterer drawn over it; below it the occupied fraction of the
// free area, the fidelity to psi(0) and, with a scatterer, four times the
// probability in the thin shell around it, against time.
//
// The widget reads the main window's recorder through a non-owning pointer at
// paint time and keeps a copy of the billiard record.
class QuantumBilliardPlotWidget : public RecorderPlotWidget<BilliardRecorder> {
public:
    using RecorderPlotWidget::RecorderPlotWidget;

    // Stores the pointer (null means no data) and copies the billiard record.
    void setRecorder(const BilliardRecorder* recorder, const BilliardConfig& config);
    // Drops the pointer and zeroes the record.
    void reset();

    // Where the two panels lie.
    static plot::SplitLayout layout();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    BilliardConfig config_;
};

} // namespace vxo
