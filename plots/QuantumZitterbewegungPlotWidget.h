#pragma once

#include "plots/PlotAxes.h"
#include "plots/PlotPages.h"
#include "plots/RecorderPlotWidget.h"

namespace vxo {

class DiracZitterbewegungRecorder;

// The Zitterbewegung page: the mean position against time with its residual
// from the fitted straight line magnified about the panel's centre, over the
// mean velocity c<sigma_x> with the fitted drift velocity, and a summary of
// the energy-branch weights, omega_ZB and the largest residual.
class QuantumZitterbewegungPlotWidget : public RecorderPlotWidget<DiracZitterbewegungRecorder> {
public:
    using RecorderPlotWidget::RecorderPlotWidget;

    // Where the two panels lie in a widget of the given width whose captions
    // are set in font.
    static plot::StackedLayout layout(const QFont& font, int width);

protected:
    std::optional<plot::SplitLayout> splitLayout() const override { return splitLayoutAt(width()); }
    std::optional<plot::SplitLayout> splitLayoutAt(int width) const override
    {
        return plot::splitForm(layout(font(), width));
    }
    void paintEvent(QPaintEvent* event) override;
};

} // namespace vxo
