#pragma once

#include "plots/RecorderPlotWidget.h"

namespace vxo {

class MoshinskyRecorder;

// The Moshinsky-shutter page: a carpet of the line density P(x, t) (time
// running downwards, each sample's row placed at its recording time on the
// same 0..tEnd scale as the opening-time line and the labels) with the
// shutter, the detector and the opening time marked, and under it the line
// density at the detector against time, numbered in round times and scaled
// so that its largest value stands just under the summary line. On a short,
// wide page the two lie side by side, the carpet on the left.
class QuantumMoshinskyPlotWidget : public RecorderPlotWidget<MoshinskyRecorder> {
public:
    using RecorderPlotWidget::RecorderPlotWidget;

    // Where the two panels lie in a widget of the given width whose texts are
    // set in font: under the page's title, the carpet over 63% of the height
    // (the signal keeps 120 px from a widget about 440 px high, which a
    // 1920 x 1080 screen gives it under the summary) and its caption in the
    // gap under it, the signal over a line of
    // its times and its caption. Side by side the band under them holds the
    // captions on the lines they wrap onto in half the width.
    static plot::SplitLayout layout(const QFont& font, int width);

protected:
    std::optional<plot::SplitLayout> splitLayout() const override { return splitLayoutAt(width()); }
    std::optional<plot::SplitLayout> splitLayoutAt(int width) const override { return layout(font(), width); }
    void paintEvent(QPaintEvent* event) override;
};

} // namespace vxo
