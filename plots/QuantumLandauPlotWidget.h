#pragma once

#include "plots/OrbitPlotWidget.h"

namespace vxo {

class LandauRecorder;

// The Landau-level page: the trajectory of the mean position in the plane
// (with the reference cyclotron circle for a displaced packet) over the mean
// energy and the survival fidelity against time (with the level energy E_n
// for a Landau eigenstate), and a summary of the field, omega_c, l_B and the
// newest sample.
class QuantumLandauPlotWidget : public OrbitPlotWidget<LandauRecorder> {
public:
    using OrbitPlotWidget::OrbitPlotWidget;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace vxo
