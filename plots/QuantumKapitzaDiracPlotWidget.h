#pragma once

#include "plots/RecorderPlotWidget.h"

namespace vxo {

class KapitzaDiracRecorder;

// The Kapitza-Dirac page: a carpet of the momentum distribution along p_x
// (one row per sample, time running downwards) on the newest sample's p axis,
// with gold guides at the diffraction orders n G, and under it a bar chart of
// the newest order populations with the phase of the experiment and the
// pulse area. On a short, wide page the two lie side by side, the carpet on
// the left.
class QuantumKapitzaDiracPlotWidget : public RecorderPlotWidget<KapitzaDiracRecorder> {
public:
    using RecorderPlotWidget::RecorderPlotWidget;

    // Where the two panels lie in a widget of the given width whose texts are
    // set in font: under the page's title, the carpet over two thirds of the
    // height and its caption in the gap under it; the bars keep 80 px. Side
    // by side the band under them holds the order numbers and their caption,
    // and the carpet's caption on the lines it wraps onto in half the width.
    static plot::SplitLayout layout(const QFont& font, int width);

protected:
    std::optional<plot::SplitLayout> splitLayout() const override { return splitLayoutAt(width()); }
    std::optional<plot::SplitLayout> splitLayoutAt(int width) const override;
    void paintEvent(QPaintEvent* event) override;
};

} // namespace vxo
