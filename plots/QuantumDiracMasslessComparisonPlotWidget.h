#pragma once

#include "experiments/KleinScans.h"

#include "plots/KleinScanPlotWidget.h"

namespace vxo {

// The massless Dirac (graphene-like) page: at one energy and one barrier the
// stationary transmission of a massless particle and of a massive control
// particle against the incidence angle, from a copied comparison record, with
// the near-normal chirality window shaded, the current angle marked on the
// massless curve and the packet's largest transmitted probability as a red
// dot there.
class QuantumDiracMasslessComparisonPlotWidget : public KleinScanPlotWidget<DiracMasslessComparison> {
public:
    explicit QuantumDiracMasslessComparisonPlotWidget(QWidget* parent);
};

} // namespace vxo
