#pragma once

#include "experiments/ObservableSample.h"
#include "experiments/QuantumRabi2D.h"

#include "plots/PlotWidget.h"

#include <vector>

namespace vxo {

// Driven two-level dynamics of a double well: the measured populations of
// the two lowest stationary states and the captured two-level weight over
// simulation time, behind them the dashed rotating-wave prediction
// P2(t) = (Omega_R / Omega)^2 sin^2(Omega t / 2) (and 1 - P2 for state 1)
// with a mark at the predicted pi-pulse time. Only samples whose Rabi block
// is valid are drawn or set the time range; populations are drawn on [0, 1]
// (a NaN at 1).
class QuantumRabiPlotWidget : public PlotWidget {
public:
    using PlotWidget::PlotWidget;

    // Copies the observable history (oldest first).
    void setSamples(const std::vector<ObservableSample>& samples);
    // Copies the prediction, an invalid one included (then none is drawn).
    void setTwoLevelReference(const RabiReference& reference);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<ObservableSample> samples_;
    RabiReference reference_;
};

} // namespace vxo
