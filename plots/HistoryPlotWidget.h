#pragma once

#include "experiments/ObservableSample.h"

#include "plots/PlotWidget.h"

#include <vector>

namespace vxo {

// A plot of the observable history the main window records each tick: it
// keeps its own copy, so the window may go on appending while the plot paints.
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
