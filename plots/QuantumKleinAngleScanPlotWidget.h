#pragma once

#include "experiments/KleinScans.h"

#include "plots/PlotWidget.h"

namespace vxo {

// The Klein transmission-versus-incidence-angle page: the stationary
// plane-wave transmission T(theta) of a copied angle scan, the current angle
// marked on the curve (interpolated over pairs of solved points only) and the
// packet's largest transmitted probability as a red dot at that angle.
class QuantumKleinAngleScanPlotWidget : public PlotWidget {
public:
    using PlotWidget::PlotWidget;

    // Copies the record and the two values and repaints; a negative packet
    // value means there is none.
    void setScan(const KleinAngleScan& scan, double currentAngleDegrees, double packetMaxPRight);
    // Back to the empty record and no packet value; the current angle stays.
    void reset();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    KleinAngleScan scan_;
    double currentAngleDegrees_ = 0.0;
    double packetMaxPRight_ = -1.0;
};

} // namespace vxo
