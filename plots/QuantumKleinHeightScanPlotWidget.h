#pragma once

#include "experiments/KleinScans.h"

#include "plots/PlotWidget.h"

namespace vxo {

// The Klein transmission-versus-barrier-height page: the stationary
// plane-wave transmission T(V0) of a copied height scan over the three
// regimes that the thresholds E - mc^2 and E + mc^2 separate (positive
// branch, evanescent, supercritical Klein), the current height marked on the
// curve and the packet's largest transmitted probability as a red dot there.
class QuantumKleinHeightScanPlotWidget : public PlotWidget {
public:
    using PlotWidget::PlotWidget;

    // Copies the record and the two values and repaints; a negative packet
    // value means there is none.
    void setScan(const KleinHeightScan& scan, double currentBarrierHeight, double packetMaxPRight);
    // Back to the empty record and no packet value; the current height stays.
    void reset();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    KleinHeightScan scan_;
    double currentBarrierHeight_ = 0.0;
    double packetMaxPRight_ = -1.0;
};

} // namespace vxo
