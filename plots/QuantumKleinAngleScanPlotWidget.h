#pragma once

#include "experiments/KleinScans.h"

#include "plots/KleinScanPlotWidget.h"

namespace vxo {

// The Klein transmission-versus-incidence-angle page: the stationary
// plane-wave transmission T(theta) of a copied angle scan, the current angle
// marked on the curve (interpolated over pairs of solved points only) and the
// packet's largest transmitted probability as a red dot at that angle.
class QuantumKleinAngleScanPlotWidget : public KleinScanPlotWidget<KleinAngleScan> {
public:
    explicit QuantumKleinAngleScanPlotWidget(QWidget* parent);
};

} // namespace vxo
