#pragma once

#include "experiments/ObservableSample.h"

#include "plots/PlotWidget.h"

#include <vector>

namespace vxo {

// A plot of the observable history the main window records each tick, drawn
// from the plot's own copy of it.
class HistoryPlotWidget : public PlotWidget {
public:
    using PlotWidget::PlotWidget;

    // Copies the observable history, oldest first (reusing the storage), and
    // repaints.
    void setSamples(const std::vector<ObservableSample>& samples);

protected:
    std::vector<ObservableSample> samples_;
};

} // namespace vxo
