#include "plots/HistoryPlotWidget.h"

namespace vxo {

void HistoryPlotWidget::setSamples(const std::vector<ObservableSample>& samples)
{
    if (&samples != &samples_)
        samples_ = samples;
    update();
}

} // namespace vxo
