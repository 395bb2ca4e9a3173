#pragma once

#include "experiments/KleinScans.h"

#include "plots/ScanPlotWidget.h"

namespace vxo {

// The Klein transmission-versus-incidence-angle page: the stationary
// plane-wave transmission T(theta) of a copied angle scan, the current angle
// marked on the curve (interpolated over pairs of solved points only) and the
// packet's largest transmitted probability as a red dot at that angle.
class QuantumKleinAngleScanPlotWidget : public ScanPlotWidget<KleinAngleScan> {
public:
    using ScanPlotWidget::ScanPlotWidget;

protected:
    ScanPage page() const override;
    plot::ScanPicture picture() const override;
};

} // namespace vxo
