#pragma once

#include "plots/PlotPages.h"
#include "plots/PlotTimeMarkers.h"
#include "plots/ParticlePlotWidget.h"

namespace vxo {

class TalbotRecorder;

// The Talbot self-imaging page: on top the Talbot carpet, the x-marginal
// across the whole grid with one row per recorded sample (time running
// downwards, each row scaled to its own maximum); below it the correlation of
// each row with the initial comb and with the comb shifted by half a period.
// Dashed markers at the quarter multiples of the Talbot time T_T = m a^2 /
// (pi hbar), up to 3 T_T, cross both panels, coloured by their fraction: whole
// (the image returns), half (the image returns shifted by a/2) or odd quarters.
class QuantumTalbotPlotWidget : public ParticlePlotWidget<TalbotRecorder> {
public:
    using ParticlePlotWidget::ParticlePlotWidget;

    // Where the two panels lie: between them room for the x labels, a
    // legend of two lines on a narrow page, and the lower title.
    static plot::SplitLayout layout()
    {
        return plot::carpetPageLayout().withMinimumHeight(100.0).withMinimumWidth(30.0).withGap(56.0);
    }

protected:
    std::optional<plot::SplitLayout> splitLayout() const override { return layout(); }
    void paintEvent(QPaintEvent* event) override;
};

} // namespace vxo
