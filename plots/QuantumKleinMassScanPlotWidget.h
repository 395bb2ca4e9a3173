#pragma once

#include "experiments/KleinScans.h"

#include "plots/PlotWidget.h"

namespace vxo {

// The Klein transmission-versus-mass page: the stationary plane-wave
// transmission T(m) of a copied mass scan at fixed energy, the regime below
// the transition mass m* = |V0 - E| / c^2 (supercritical Klein when V0 > E,
// positive branch otherwise) and the evanescent one above it, the current
// mass marked on the curve and the packet's largest transmitted probability
// as a red dot there.
class QuantumKleinMassScanPlotWidget : public PlotWidget {
public:
    using PlotWidget::PlotWidget;

    // Copies the record and the two values and repaints; a negative packet
    // value means there is none.
    void setScan(const KleinMassScan& scan, double currentRestMass, double packetMaxPRight);
    // Back to the empty record and no packet value; the current mass stays.
    void reset();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    KleinMassScan scan_;
    double currentRestMass_ = 0.0;
    double packetMaxPRight_ = -1.0;
};

} // namespace vxo
