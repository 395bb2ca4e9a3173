#pragma once

#include "plots/RecorderPlotWidget.h"

class QPainter;

namespace vxo {

class KickedRotorRecorder;

// The kicked-rotor page: a packet on a periodic x domain kicked at regular
// times. On top the stroboscopic carpet, one row per recorded kick (oldest at
// the top) and one column per momentum mode, coloured by sqrt(P(n) / Pmax);
// below the mean square mode <n^2> against the number of kicks, the quantum
// value (which stops growing: dynamical localisation) beside the classical
// standard map (which keeps diffusing). On a short, wide page the two lie
// side by side, the carpet on the left.
class QuantumKickedRotorPlotWidget : public RecorderPlotWidget<KickedRotorRecorder> {
public:
    using RecorderPlotWidget::RecorderPlotWidget;

    // Where the two panels lie: under the page's title, each with its
    // heading on the line above it; stacked, the carpet takes three fifths
    // of the height. Side by side the band under them holds two lines, the
    // carpet's mode range and, under it, its caption, which a narrow panel
    // cannot hold between the range's ends; stacked, the band under the
    // curves holds their kicks over the caption.
    static plot::SplitLayout layout()
    {
        return plot::SplitLayout{}
            .withLeft(58.0)
            .withRight(18.0)
            .withTop(48.0)
            .withGap(40.0)
            .withBottom(40.0)
            .withShare(0.6)
            .withMinimumHeight(300.0)
            .withMinimumWidth(40.0)
            .withSideBySidePanelWidth(160.0)
            .withSideBySideBottom(46.0);
    }

protected:
    std::optional<plot::SplitLayout> splitLayout() const override { return layout(); }
    void paintEvent(QPaintEvent* event) override;

private:
    // One <n^2> series of the lower panel against the kick count.
    void drawSeries(QPainter& painter, const QRect& panel, double kicks, double scale, bool classical) const;
};

} // namespace vxo
