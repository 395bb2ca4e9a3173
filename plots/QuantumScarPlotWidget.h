#pragma once

#include <QPainterPath>
#include "plots/PlotAxes.h"
#include "plots/PlotPages.h"
#include "plots/RecorderPlotWidget.h"

namespace vxo {

class ScarRecorder;
struct StadiumGeometry;

// The quantum-scars page: a packet evolves inside a stadium billiard while
// the recorder accumulates the energy-filtered projection Phi_E; a scar is
// excess spectral weight along the unstable axial periodic orbit. On top the
// spectral density |Phi_E|^2 cropped to the stadium with its outline and the
// axial orbit; below the filtered and instantaneous orbit enhancement (left
// scale, 1 = no excess) and the return fidelity (right scale 0 to 1) against
// time.
class QuantumScarPlotWidget : public RecorderPlotWidget<ScarRecorder> {
public:
    using RecorderPlotWidget::RecorderPlotWidget;

    // Where the two panels lie. Side by side from 150 px each: the map and
    // the curves then keep a whole panel's height where stacked they would
    // scroll (a 1024 x 768 projector's analysis area is about 520 px wide).
    static plot::SplitLayout layout()
    {
        return plot::tracePageLayout()
            .withLeft(62.0)
            .withGap(38.0)
            .withShare(0.64)
            .withMinimumHeight(150.0)
            .withMinimumWidth(60.0)
            .withSideBySidePanelWidth(150.0);
    }

protected:
    std::optional<plot::SplitLayout> splitLayout() const override { return layout(); }
    void paintEvent(QPaintEvent* event) override;

private:
    // The stadium's outline with its bounding box stretched onto target, each
    // direction by its own factor; empty for an invalid geometry.
    static QPainterPath stadiumPath(const QRectF& target, const StadiumGeometry& stadium);
};

} // namespace vxo
