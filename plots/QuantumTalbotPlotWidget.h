#pragma once

#include "plots/PlotFrame.h"
#include "plots/RecorderPlotWidget.h"

namespace vxo {

class TalbotRecorder;

// The Talbot self-imaging page: on top the Talbot carpet, the x-marginal
// across the whole grid with one row per recorded sample (time running
// downwards, each row scaled to its own maximum); below it the correlation of
// each row with the initial comb and with the comb shifted by half a period.
// Dashed markers at the quarter multiples of the Talbot time T_T = m a^2 /
// (pi hbar), up to 3 T_T, cross both panels, coloured by their fraction: whole
// (the image returns), half (the image returns shifted by a/2) or odd quarters.
//
// The widget reads the main window's recorder through a non-owning pointer at
// paint time and keeps copies of the mass and hbar.
class QuantumTalbotPlotWidget : public RecorderPlotWidget<TalbotRecorder> {
public:
    using RecorderPlotWidget::RecorderPlotWidget;

    // Stores the pointer (null means no data), the mass and hbar.
    void setRecorder(const TalbotRecorder* recorder, double mass, double hbar);

    // Where the two panels lie.
    static plot::SplitLayout layout();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double mass_ = 1.0;
    double hbar_ = 1.0;
};

} // namespace vxo
