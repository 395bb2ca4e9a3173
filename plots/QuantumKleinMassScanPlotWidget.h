#pragma once

#include "experiments/KleinScans.h"

#include "plots/KleinScanPlotWidget.h"

namespace vxo {

// The Klein transmission-versus-mass page: the stationary plane-wave
// transmission T(m) of a copied mass scan at fixed energy, the regime below
// the transition mass m* = |V0 - E| / c^2 (supercritical Klein when V0 > E,
// positive branch otherwise) and the evanescent one above it, the current
// mass marked on the curve and the packet's largest transmitted probability
// as a red dot there.
class QuantumKleinMassScanPlotWidget : public KleinScanPlotWidget<KleinMassScan> {
public:
    explicit QuantumKleinMassScanPlotWidget(QWidget* parent);
};

} // namespace vxo
