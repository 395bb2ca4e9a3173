#pragma once

#include "experiments/QuantumZeno2D.h"

#include "plots/RecordPlotWidget.h"

#include <vector>

class QPainter;

namespace vxo {

class ZenoRecorder;

// The quantum Zeno page: two copies of a packet in two lanes, the upper
// control lane left alone, the lower watched lane projected again and again
// onto the region left of the measurement edge. On top the survival of both
// lanes against time (the watched one decays more slowly); below the current
// x-profile of each lane, scaled for shape, with the measurement edge.
//
// The main window computes the two lane profiles from the current field; the
// widget keeps its own copy of them.
class QuantumZenoPlotWidget : public RecordPlotWidget<ZenoRecorder, ZenoLaneProfiles> {
public:
    using RecordPlotWidget::RecordPlotWidget;

    // Where the two panels lie: under the page's title, each with its
    // heading on the line above it; side by side on a short, wide page.
    static plot::SplitLayout layout()
    {
        return plot::SplitLayout{}
            .withLeft(58.0)
            .withRight(20.0)
            .withTop(48.0)
            .withGap(38.0)
            .withBottom(30.0)
            .withMinimumHeight(190.0)
            .withMinimumWidth(20.0)
            .withSideBySidePanelWidth(160.0);
    }

protected:
    std::optional<plot::SplitLayout> splitLayout() const override { return layout(); }
    void paintEvent(QPaintEvent* event) override;

private:
    // The control lane's survival or the watched lane's measured survival against time.
    void drawSurvivalCurve(QPainter& painter, const QRect& panel, double tmax, bool watched,
                           const QColor& colour) const;
    // One lane's profile across [xmin, xmax].
    void drawLaneProfile(QPainter& painter, const QRect& panel, const std::vector<float>& profile, double xmin,
                         double xmax, double pmax, const QColor& colour) const;
};

} // namespace vxo
