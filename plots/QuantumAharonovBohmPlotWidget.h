#pragma once

#include "plots/PlotAxes.h"
#include "plots/PlotPages.h"
#include "plots/RecorderPlotWidget.h"

namespace vxo {

class AharonovBohmRecorder;

// The Aharonov-Bohm page: a time-against-y carpet of the density along the
// detector line (one column per sample, row 0 at the bottom) over the
// central-fringe intensity against time, with the enclosed flux, its phase
// and the newest sample summarised as "now" (the page's summary reads the
// detector line where the packet passes it, a different moment).
class QuantumAharonovBohmPlotWidget : public RecorderPlotWidget<AharonovBohmRecorder> {
public:
    using RecorderPlotWidget::RecorderPlotWidget;

    // Where the two panels lie; in a widget `width` wide and its font, with
    // the band under panels side by side as tall as their captions need.
    static plot::StackedLayout layout();
    static plot::StackedLayout layout(const QFont& font, int width);

protected:
    std::optional<plot::SplitLayout> splitLayoutAt(int width) const override
    {
        return plot::splitForm(layout(font(), width));
    }
    void paintEvent(QPaintEvent* event) override;
};

} // namespace vxo
