#pragma once

#include "plots/ParticlePlotWidget.h"
#include "plots/PlotLayouts.h"

#include <QSize>

namespace vxo {

class VortexRecorder;

// The vortex page: a phase vortex placed off the centre of an isotropic
// harmonic trap precesses about the centre. On the left the measured orbit of
// the vortex core against the circle through its start about the trap centre
// (the harmonic reference orbit), the two axes scaled separately; on the right
// the angular momentum <Lz>/hbar against time, with zero always in range.
//
// The mass gives the trap frequency of the caption; hbar divides <Lz>.
class QuantumVortexPlotWidget : public ParticlePlotWidget<VortexRecorder> {
public:
    using ParticlePlotWidget::ParticlePlotWidget;

    using Layout = plot::VortexLayout;
    using Panels = plot::VortexPanels;
    static Layout layout() { return Layout{}; }
    static Panels panels(const QSize& widgetSize, const Layout& layout)
    {
        return plot::vortexPanels(widgetSize, layout);
    }

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace vxo
