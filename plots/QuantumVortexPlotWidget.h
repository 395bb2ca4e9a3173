#pragma once

#include "plots/RecorderPlotWidget.h"

namespace vxo {

class VortexRecorder;

// The vortex page: a phase vortex placed off the centre of an isotropic
// harmonic trap precesses about the centre. On the left the measured orbit of
// the vortex core against the circle through its start about the trap centre
// (the harmonic reference orbit), the two axes scaled separately; on the right
// the angular momentum <Lz>/hbar against time, with zero always in range.
//
// The widget reads the main window's recorder through a non-owning pointer at
// paint time and keeps copies of the mass (for the trap frequency in the
// caption) and hbar (which divides <Lz>).
class QuantumVortexPlotWidget : public RecorderPlotWidget<VortexRecorder> {
public:
    using RecorderPlotWidget::RecorderPlotWidget;

    // Stores the pointer (null means no data), the mass and hbar.
    void setRecorder(const VortexRecorder* recorder, double mass, double hbar);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double mass_ = 1.0;
    double hbar_ = 1.0;
};

} // namespace vxo
