#pragma once

#include "experiments/BoundStateResult.h"

#include "plots/PlotAxes.h"
#include "plots/PlotLayouts.h"
#include "plots/PlotTexts.h"
#include "plots/PlotWidget.h"

#include <QRectF>

#include <vector>

namespace vxo {

// The stationary-state ladder of a one-dimensional well: the potential row
// V(x), one line per bound-state energy E_n with its label (every level keeps
// one: labels that would print over each other alternate between the left
// and right ends of the lines, and where both are taken a label moves up or
// down to the nearest free line with a leader to its level), the continuum
// threshold, and the selected state's eigenfunction drawn on its own energy
// line (scaled to 7.5 % of the energy range) with its nodes marked where the
// sampled function changes sign strictly between two samples of which one
// reaches 1.5 % of its peak. The widget keeps a deep copy of the result and
// computes nothing. A result that is not ok, has fewer than two x samples or
// no state, or whose potential row or an eigenfunction has not one value per
// x sample shows the placeholder.
class QuantumBoundStatePlotWidget : public PlotWidget {
public:
    using PlotWidget::PlotWidget;

    // Where the panel lies.
    static plot::PanelLayout layout();

    // Where one level's label is drawn: its text box (left-aligned at the
    // left end of the lines, right-aligned at the right end), the height of
    // its level line, and whether it left its line and hangs on a leader.
    struct LevelLabel {
        int state = -1;
        QRectF box;
        bool rightEnd = false;
        double levelY = 0.0;
        bool onLeader = false;
    };
    // The labels for the present size and result, one per level at a finite
    // height; empty when the result cannot be drawn.
    std::vector<LevelLabel> levelLabels() const;

    // Copies the result and stores the selection (a position in the state
    // list) unchanged; a selection outside the list draws no eigenfunction.
    void setResult(const BoundStateResult& result, int selectedState);
    // Back to the empty result and no selection.
    void clear();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The result can be drawn: ok, two or more x samples, at least one state,
    // and the potential row and every eigenfunction as long as the x axis.
    bool drawable() const;
    // The plot rectangle and the energy axis of the present size and result.
    struct EnergyFrame;
    EnergyFrame energyFrame() const;

    BoundStateResult result_;
    int selectedState_ = -1;
};

} // namespace vxo
