#pragma once

#include "experiments/KleinScans.h"

#include "plots/KleinScanPlotWidget.h"

namespace vxo {

// The Klein transmission-versus-barrier-height page: the stationary
// plane-wave transmission T(V0) of a copied height scan over the three
// regimes that the thresholds E - mc^2 and E + mc^2 separate (positive
// branch, evanescent, supercritical Klein), the current height marked on the
// curve and the packet's largest transmitted probability as a red dot there.
class QuantumKleinHeightScanPlotWidget : public KleinScanPlotWidget<KleinHeightScan> {
public:
    explicit QuantumKleinHeightScanPlotWidget(QWidget* parent);
};

} // namespace vxo
