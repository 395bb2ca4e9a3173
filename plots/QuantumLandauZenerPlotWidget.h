#pragma once

#include "experiments/DriveProtocols.h"
#include "experiments/ObservableSample.h"
#include "experiments/QuantumLandauZener2D.h"

#include "plots/PlotWidget.h"

#include <vector>

namespace vxo {

// A linear bias sweep through the avoided crossing of a double well: the
// measured populations of the instantaneous adiabatic states (lower, upper)
// and of the localised states (left, right) with the captured two-level
// weight over simulation time, a mark at the predicted crossing time running
// down through the bias strip, and in that strip the bias the sweep applies,
// scaled to its larger end value. Only samples whose Landau-Zener block is
// valid are drawn or set the time range; populations are drawn on [0, 1]
// (a NaN at 1).
class QuantumLandauZenerPlotWidget : public PlotWidget {
public:
    using PlotWidget::PlotWidget;

    // Copies the observable history (oldest first).
    void setSamples(const std::vector<ObservableSample>& samples);
    // Copies the prediction; the crossing is marked only when it is valid.
    void setTwoLevelReference(const LandauZenerReference& reference);
    // Copies the sweep; its bias is drawn only when it is enabled.
    void setSweep(const LinearSweep& sweep);
    // Empties the history and restores the constructor's reference and sweep.
    void reset();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<ObservableSample> samples_;
    LandauZenerReference reference_;
    LinearSweep sweep_;
};

} // namespace vxo
