#pragma once

#include "plots/PlotAxes.h"
#include "plots/PlotPages.h"
#include "plots/RecorderPlotWidget.h"

namespace vxo {

class BerryRecorder;

// The Berry-phase page: a rotating quadrupole deforms a harmonic trap so that
// its coefficients (q1, q2) travel once around the degenerate point q1 = q2 =
// 0. On top that loop in the (q1, q2) plane with the current deformation;
// below the return fidelity (0 to 1) and the geometric phase (-180 to +180
// degrees, broken where it was not computed) against time.
class QuantumBerryPhasePlotWidget : public RecorderPlotWidget<BerryRecorder> {
public:
    using RecorderPlotWidget::RecorderPlotWidget;

    // Where the two panels lie; side by side from 140 px each, where the
    // loop panel's texts wrap inside it, over each other where they are
    // narrower than 250 px: the loop keeps its place under them.
    static plot::SplitLayout layout()
    {
        return plot::tracePageLayout().withRight(48.0).withSideBySidePanelWidth(140.0).withNarrowPanels(250.0, 230.0);
    }

protected:
    std::optional<plot::SplitLayout> splitLayout() const override { return layout(); }
    void paintEvent(QPaintEvent* event) override;
};

} // namespace vxo
