#pragma once

#include "experiments/BoundStateResult.h"

#include "plots/PlotWidget.h"

namespace vxo {

// The stationary-state ladder of a one-dimensional well: the potential row
// V(x), one line per bound-state energy E_n with its label, the continuum
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

    BoundStateResult result_;
    int selectedState_ = -1;
};

} // namespace vxo
